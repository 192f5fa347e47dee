// The drive table: which host folder each drive letter names.
//
// KIRAFU_DRIVES, when set, gives the table as "C=/;D=/media/usb" (letters in either case,
// ";"-separated). Unset, C: is "/" and D:, E:, ... are the mount points of device-backed
// filesystems in /proc/self/mounts order.
//
// A drive path is a Shift-JIS text "X:\folder\name" (or "X:" for the root); a host path is the
// bytes the operating system takes. A letter keeps its case in drive paths ("c:" and "C:" name
// the same host folder but are different texts). A letter not in the table names a drive
// without a readable medium.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kirafu {

struct Drive {
    char letter;       // upper case
    std::string root;  // host folder, absolute, without a trailing "/" except for "/" itself
};

class DriveTable {
  public:
    // The table from the environment and the mount table of this process.
    static DriveTable FromEnvironment();
    // A table from a KIRAFU_DRIVES value; malformed items are passed over.
    static DriveTable FromSetting(std::string_view setting);
    // A table from the text of a mounts file (/proc/self/mounts format).
    static DriveTable FromMounts(std::string_view mounts);

    const std::vector<Drive>& drives() const { return drives_; }
    // The host root of a drive letter (either case), if the table has it.
    std::optional<std::string> RootOf(char letter) const;

    // "X:\a\b" (Shift-JIS) to the host path, or nothing when the letter is not in the table.
    // Splits at "\" only between characters, so the second byte of a Shift-JIS character is
    // never a separator.
    std::optional<std::string> ToHostPath(std::string_view drivePath) const;
    // A host path to drive form: the drive whose root is the longest prefix of the path. The
    // letter is written upper case. Nothing when no drive holds the path.
    std::optional<std::string> ToDrivePath(std::string_view hostPath) const;

  private:
    std::vector<Drive> drives_;
};

// The process-wide table, read from the environment on first use. Tests may replace it.
const DriveTable& Drives();
void SetDrives(DriveTable table);

}  // namespace kirafu
