// A file layer that fails for real at a chosen point: after `budget` bytes have been written,
// every write fails with `error` (ENOSPC by default); optionally the sync or the rename fails.
#pragma once

#include <cerrno>

#include "platform/TextFile.h"

namespace kirafu::test {

class FailingFileIo final : public FileIo {
  public:
    explicit FailingFileIo(long long budget, int error = ENOSPC) : budget_(budget), error_(error) {}
    ssize_t Write(int fd, const char* data, size_t size) override {
        if (budget_ <= 0) {
            errno = error_;
            return -1;
        }
        size_t n = size < static_cast<size_t>(budget_) ? size : static_cast<size_t>(budget_);
        ssize_t done = FileIo::Write(fd, data, n);
        if (done > 0) budget_ -= done;
        return done;
    }
    int Sync(int fd) override {
        if (failSync) {
            errno = EIO;
            return -1;
        }
        return FileIo::Sync(fd);
    }
    int Rename(const char* from, const char* to) override {
        if (failRename) {
            errno = EXDEV;
            return -1;
        }
        return FileIo::Rename(from, to);
    }
    bool failSync = false;
    bool failRename = false;

  private:
    long long budget_;
    int error_;
};

// Installs a file layer for the life of the object.
class ScopedFileIo {
  public:
    explicit ScopedFileIo(FileIo& io) { SetFileIo(&io); }
    ~ScopedFileIo() { SetFileIo(nullptr); }
};

}  // namespace kirafu::test
