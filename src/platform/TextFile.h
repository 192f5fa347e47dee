// Text files in text mode, one open at a time.
//
// TextWriter turns each "\n" into CR LF and replaces its file atomically: it writes a
// temporary file beside the target, flushes it to disk and renames it over the target, so a
// failure leaves the old file byte for byte as it was. Data files are never written through a
// symbolic link: a target, or a folder holding it, that is a link is refused.
//
// TextReader opens read-only and gives whole lines of any length, CR LF (or LF) being one line
// end; a last line without a line end is a line all the same.
//
// Every failure throws Failure with a message naming the file in drive form.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace kirafu {

// The system calls the text files make that can fail while writing. Tests replace it to make
// a real fault happen at a chosen point.
class FileIo {
  public:
    virtual ~FileIo() = default;
    virtual ssize_t Write(int fd, const char* data, size_t size);
    virtual int Sync(int fd);
    virtual int Rename(const char* from, const char* to);
};
FileIo& TheFileIo();
// Installs io (nullptr: the real one). The caller keeps ownership.
void SetFileIo(FileIo* io);

class TextWriter {
  public:
    // Starts replacing the file at drivePath.
    explicit TextWriter(std::string_view drivePath);
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;
    // Without Commit the temporary file is removed and the target stays as it was.
    ~TextWriter();

    // Appends text, "\n" written as CR LF.
    void Write(std::string_view text);
    // Flushes, syncs and puts the new file in place.
    void Commit();

  private:
    void Flush();
    void Abandon() noexcept;

    std::string drivePath_;
    std::string hostPath_;
    std::string tempPath_;
    int fd_ = -1;
    std::string buffer_;
};

class TextReader {
  public:
    enum class Folder { kAnyFolder, kDataFolder };
    // Opens drivePath for reading. With kDataFolder the folder holding it must not be a
    // symbolic link either.
    explicit TextReader(std::string_view drivePath, Folder folder = Folder::kDataFolder);
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;
    ~TextReader();

    // The next whole line without its line end; false at the end of the file.
    bool ReadLine(std::string& line);

  private:
    bool Fill();

    std::string drivePath_;
    int fd_ = -1;
    std::string buffer_;
    size_t pos_ = 0;
    bool eof_ = false;
};

// The text without the bytes 0x00 to 0x20 at its beginning and end.
std::string_view Trim(std::string_view text);

// Makes a folder (drive form); false when it could not be made (it may exist already).
bool CreateFolder(std::string_view drivePath);
// The current folder in drive form, or nothing when no drive holds it.
std::string CurrentFolder();

}  // namespace kirafu
