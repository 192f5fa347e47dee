// Folder listing: the one listing state of the process (FindFirst / FindNext / FindClose).
//
// Entries come in the order the directory gives them; "." and ".." are left out. Each entry
// carries its name (Shift-JIS, through the name codec), its attribute value, its size and its
// last-write time:
//   plain folder                                     16
//   folder that is a symbolic link, or the mount
//   point of a filesystem other than the drive's     16 + 1024  (recorded, never descended)
//   other symbolic link, dangling ones included      32 + 1024  (never followed)
//   regular file                                     32, + 1 without the owner-write bit
//   fifo, socket, device                             4
//   any name beginning with "."                      + 2 (hidden)
// Size: a regular file's true size, 0 for everything else. Time: the entry's own modification
// time (not followed through links) in local time, seconds rounded down to even, held within
// 1980/01/01 0:00:00 and 2107/12/31 23:59:58.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace kirafu {

constexpr uint32_t kAttrReadOnly = 1;
constexpr uint32_t kAttrHidden = 2;
constexpr uint32_t kAttrSystem = 4;
constexpr uint32_t kAttrDirectory = 16;
constexpr uint32_t kAttrArchive = 32;
constexpr uint32_t kAttrReparsePoint = 1024;

struct ListingEntry {
    std::string name;  // Shift-JIS
    uint32_t attr = 0;
    int64_t size = 0;
    LocalMoment time;
};

// The host's modification time as the listing gives it (clamped, two-second steps).
LocalMoment ListingTime(const struct timespec& mtime);

class FolderListing {
  public:
    FolderListing() = default;
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;
    ~FolderListing() { FindClose(); }

    // Opens a listing of the folder drivePath ("X:" for a drive root) and reads its first
    // entry. False when the folder cannot be listed (no such drive or folder, no access, a
    // symbolic link, another filesystem than the drive root's) or has no entries.
    bool FindFirst(std::string_view drivePath);
    // The next entry; false at the end.
    bool FindNext();
    // Releases the listing; harmless when none is open.
    void FindClose();

    const ListingEntry& entry() const { return entry_; }

  private:
    bool ReadEntry();

    void* dir_ = nullptr;   // DIR*
    std::string rootPath_;  // the host root whose filesystem rootDevice_ is
    dev_t rootDevice_ = 0;
    ListingEntry entry_;
};

// The process-wide listing state.
FolderListing& TheListing();

// True when something of that name exists at the drive path (not followed through a link).
bool PathExists(std::string_view drivePath);

}  // namespace kirafu
