#include "platform/FolderListing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/DriveTable.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

DIR* AsDir(void* p) {
    return static_cast<DIR*>(p);
}

}  // namespace

LocalMoment ListingTime(const struct timespec& mtime) {
    std::time_t t = mtime.tv_sec;
    std::tm tm{};
    if (!localtime_r(&t, &tm)) return {};
    LocalMoment m{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday,
                  tm.tm_hour,        tm.tm_min,     tm.tm_sec & ~1};
    if (m.year < 1980) return {1980, 1, 1, 0, 0, 0};
    if (m.year > 2107) return {2107, 12, 31, 23, 59, 58};
    return m;
}

bool FolderListing::FindFirst(std::string_view drivePath) {
    FindClose();
    const DriveTable& drives = Drives();
    auto host = drives.ToHostPath(drivePath);
    if (!host) return false;
    auto root = drives.RootOf(drivePath[0]);
    // The drive root's filesystem is looked up again with every listing of the root itself,
    // which begins every walk, and kept for the folders below it.
    if (*host == *root || *root != rootPath_) {
        struct stat rootStat {};
        rootPath_.clear();
        if (stat(root->c_str(), &rootStat) != 0) return false;
        rootPath_ = *root;
        rootDevice_ = rootStat.st_dev;
    }

    int fd =
        open(host->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | (*host == *root ? 0 : O_NOFOLLOW));
    if (fd < 0) return false;
    struct stat st {};
    if (fstat(fd, &st) != 0 || st.st_dev != rootDevice_) {
        close(fd);
        return false;
    }
    DIR* d = fdopendir(fd);
    if (!d) {
        close(fd);
        return false;
    }
    dir_ = d;
    return ReadEntry();
}

bool FolderListing::FindNext() {
    return dir_ && ReadEntry();
}

void FolderListing::FindClose() {
    if (dir_) closedir(AsDir(dir_));
    dir_ = nullptr;
}

bool FolderListing::ReadEntry() {
    DIR* d = AsDir(dir_);
    for (;;) {
        errno = 0;
        dirent* e = readdir(d);
        if (!e) return false;
        const char* name = e->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0))) continue;
        struct stat st {};
        if (fstatat(dirfd(d), name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // gone meanwhile

        uint32_t attr;
        int64_t size = 0;
        if (S_ISDIR(st.st_mode)) {
            attr = st.st_dev == rootDevice_ ? kAttrDirectory : kAttrDirectory | kAttrReparsePoint;
        } else if (S_ISLNK(st.st_mode)) {
            struct stat target {};
            bool toFolder = fstatat(dirfd(d), name, &target, 0) == 0 && S_ISDIR(target.st_mode);
            attr = (toFolder ? kAttrDirectory : kAttrArchive) | kAttrReparsePoint;
        } else if (S_ISREG(st.st_mode)) {
            attr = kAttrArchive | ((st.st_mode & S_IWUSR) ? 0 : kAttrReadOnly);
            size = st.st_size;
        } else {
            attr = kAttrSystem;
        }
        if (name[0] == '.') attr |= kAttrHidden;

        entry_.name.clear();
        AppendHostNameAsText(entry_.name, name);
        entry_.attr = attr;
        entry_.size = size;
        entry_.time = ListingTime(st.st_mtim);
        return true;
    }
}

FolderListing& TheListing() {
    static FolderListing listing;
    return listing;
}

bool PathExists(std::string_view drivePath) {
    auto host = Drives().ToHostPath(drivePath);
    struct stat st {};
    return host && lstat(host->c_str(), &st) == 0;
}

}  // namespace kirafu
