#include "mock/TempDrive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/DriveTable.h"

namespace kirafu::test {

namespace fs = std::filesystem;

TempDrive::TempDrive(char letter) {
    std::string pattern = (fs::temp_directory_path() / "kirafu-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    SetDrives(DriveTable::FromSetting(std::string(1, letter) + "=" + root_));
}

TempDrive::~TempDrive() {
    std::error_code ec;
    // Give write access back everywhere first, so that nothing stays behind.
    for (auto it = fs::recursive_directory_iterator(
             root_, fs::directory_options::skip_permission_denied, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root_, ec);
}

std::string TempDrive::Host(std::string_view relative) const {
    return relative.empty() ? root_ : root_ + "/" + std::string(relative);
}

void TempDrive::MakeFolder(std::string_view relative) const {
    fs::create_directories(Host(relative));
}

void TempDrive::MakeFile(std::string_view relative, std::string_view content,
                         long long mtime) const {
    fs::path p = Host(relative);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
    SetTime(relative, mtime);
}

void TempDrive::MakeSparseFile(std::string_view relative, long long size) const {
    fs::path p = Host(relative);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).flush();
    if (truncate(p.c_str(), static_cast<off_t>(size)) != 0)
        throw std::runtime_error("truncate failed");
    SetTime(relative, 1041757508);
}

void TempDrive::SetTime(std::string_view relative, long long mtime) const {
    struct timespec times[2];
    times[0].tv_sec = static_cast<time_t>(mtime);
    times[0].tv_nsec = 0;
    times[1] = times[0];
    if (utimensat(AT_FDCWD, Host(relative).c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
        throw std::runtime_error("utimensat failed");
}

std::string TempDrive::ReadAll(std::string_view relative) const {
    std::ifstream f(Host(relative), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

}  // namespace kirafu::test
