// Test support: a temporary folder that stands as a drive, and small helpers to build fixture
// trees in it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Controls.h"

namespace kirafu::test {

// A fresh temporary folder, made drive `letter` of the drive table (the table then holds only
// this drive). Removed with everything in it at the end of the test.
class TempDrive {
  public:
    explicit TempDrive(char letter = 'T');
    ~TempDrive();
    TempDrive(const TempDrive&) = delete;
    TempDrive& operator=(const TempDrive&) = delete;

    const std::string& root() const { return root_; }
    // Host path of a path relative to the root ("a/b.txt").
    std::string Host(std::string_view relative) const;
    // Makes the folders of relative (all of them).
    void MakeFolder(std::string_view relative) const;
    // Writes a file (folders made as needed) and sets its modification time.
    void MakeFile(std::string_view relative, std::string_view content = {},
                  long long mtime = 1041757508 /* 2003-01-05 9:05:08 UTC */) const;
    void MakeSparseFile(std::string_view relative, long long size) const;
    void SetTime(std::string_view relative, long long mtime) const;
    std::string ReadAll(std::string_view relative) const;

  private:
    std::string root_;
};

// A clock that says what the test tells it.
class MockClock final : public Clock {
  public:
    explicit MockClock(LocalMoment m) : now(m) {}
    LocalMoment Now() const override { return now; }
    LocalMoment now;
};

// A progress bar that records every call, as "max N" and "pos N".
class RecordingProgressBar final : public ProgressBar {
  public:
    void SetMax(int max) override { calls.push_back("max " + std::to_string(max)); }
    void SetPosition(int position) override { calls.push_back("pos " + std::to_string(position)); }
    std::vector<std::string> calls;
};

}  // namespace kirafu::test
