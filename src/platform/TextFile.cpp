#include "platform/TextFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/DriveTable.h"
#include "platform/Error.h"
#include "platform/NameCodec.h"

namespace kirafu {
namespace {

FileIo gRealIo;
FileIo* gIo = &gRealIo;
// One open text file at a time.
bool gFileOpen = false;

constexpr size_t kChunk = 1 << 16;

std::string HostPathOf(std::string_view drivePath, std::string_view doing) {
    auto host = Drives().ToHostPath(drivePath);
    if (!host) ThrowFileFailure(drivePath, doing, ENOENT);
    return *host;
}

std::string ParentOf(const std::string& host) {
    size_t slash = host.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return host.substr(0, slash);
}

bool IsLink(const std::string& host) {
    struct stat st {};
    return lstat(host.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

[[noreturn]] void ThrowLinkRefused(std::string_view drivePath) {
    std::string text(drivePath);
    text += Sjis(" はシンボリックリンクを通るため、使いません。");
    throw Failure(std::move(text));
}

void ClaimFileSlot() {
    if (gFileOpen) throw Failure(Sjis("内部エラー：二つのファイルを同時に開こうとしました。"));
    gFileOpen = true;
}

}  // namespace

ssize_t FileIo::Write(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}
int FileIo::Sync(int fd) {
    return ::fsync(fd);
}
int FileIo::Rename(const char* from, const char* to) {
    return ::rename(from, to);
}

FileIo& TheFileIo() {
    return *gIo;
}
void SetFileIo(FileIo* io) {
    gIo = io ? io : &gRealIo;
}

TextWriter::TextWriter(std::string_view drivePath) : drivePath_(drivePath) {
    static const std::string kCreating = Sjis("作成");
    hostPath_ = HostPathOf(drivePath, kCreating);
    std::string parent = ParentOf(hostPath_);
    if (IsLink(parent) || IsLink(hostPath_)) ThrowLinkRefused(drivePath);
    ClaimFileSlot();
    tempPath_ = hostPath_ + ".tmp" + std::to_string(getpid());
    fd_ = open(tempPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        int err = errno;
        gFileOpen = false;
        ThrowFileFailure(drivePath, kCreating, err);
    }
    buffer_.reserve(kChunk + 1024);
}

TextWriter::~TextWriter() {
    Abandon();
}

void TextWriter::Abandon() noexcept {
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(tempPath_.c_str());
        fd_ = -1;
        gFileOpen = false;
    }
}

void TextWriter::Write(std::string_view text) {
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        if (nl == std::string_view::npos) {
            buffer_.append(text.substr(start));
            break;
        }
        buffer_.append(text.substr(start, nl - start));
        buffer_ += "\r\n";
        start = nl + 1;
    }
    if (buffer_.size() >= kChunk) Flush();
}

void TextWriter::Flush() {
    static const std::string kWriting = Sjis("書き込み");
    size_t done = 0;
    while (done < buffer_.size()) {
        ssize_t n = TheFileIo().Write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            int err = n < 0 ? errno : ENOSPC;
            Abandon();
            ThrowFileFailure(drivePath_, kWriting, err);
        }
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
}

void TextWriter::Commit() {
    static const std::string kWriting = Sjis("書き込み");
    static const std::string kReplacing = Sjis("置き換え");
    Flush();
    if (TheFileIo().Sync(fd_) != 0) {
        int err = errno;
        Abandon();
        ThrowFileFailure(drivePath_, kWriting, err);
    }
    if (::close(fd_) != 0) {
        int err = errno;
        fd_ = -1;
        gFileOpen = false;
        ::unlink(tempPath_.c_str());
        ThrowFileFailure(drivePath_, kWriting, err);
    }
    fd_ = -1;
    gFileOpen = false;
    if (IsLink(hostPath_)) {  // made a link while we wrote: leave it alone
        ::unlink(tempPath_.c_str());
        ThrowLinkRefused(drivePath_);
    }
    if (TheFileIo().Rename(tempPath_.c_str(), hostPath_.c_str()) != 0) {
        int err = errno;
        ::unlink(tempPath_.c_str());
        ThrowFileFailure(drivePath_, kReplacing, err);
    }
    // Make the rename itself durable.
    int dirFd = open(ParentOf(hostPath_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

TextReader::TextReader(std::string_view drivePath, Folder folder) : drivePath_(drivePath) {
    static const std::string kOpening = Sjis("開くことが");
    std::string host = HostPathOf(drivePath, kOpening);
    if (folder == Folder::kDataFolder && IsLink(ParentOf(host))) ThrowLinkRefused(drivePath);
    ClaimFileSlot();
    fd_ = open(host.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd_ < 0) {
        int err = errno;
        gFileOpen = false;
        if (err == ELOOP) ThrowLinkRefused(drivePath);
        ThrowFileFailure(drivePath, kOpening, err);
    }
    struct stat st {};
    if (fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        gFileOpen = false;
        ThrowFileFailure(drivePath, kOpening, EISDIR);
    }
}

TextReader::~TextReader() {
    if (fd_ >= 0) {
        ::close(fd_);
        gFileOpen = false;
    }
}

bool TextReader::Fill() {
    static const std::string kReading = Sjis("読み込み");
    if (eof_) return false;
    if (pos_ > 0) {
        buffer_.erase(0, pos_);
        pos_ = 0;
    }
    size_t old = buffer_.size();
    buffer_.resize(old + kChunk);
    ssize_t n;
    do {
        n = ::read(fd_, buffer_.data() + old, kChunk);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        int err = errno;
        buffer_.resize(old);
        ThrowFileFailure(drivePath_, kReading, err);
    }
    buffer_.resize(old + static_cast<size_t>(n));
    if (n == 0) eof_ = true;
    return n > 0;
}

bool TextReader::ReadLine(std::string& line) {
    size_t searchFrom = pos_;
    for (;;) {
        size_t nl = buffer_.find('\n', searchFrom);
        if (nl != std::string::npos) {
            size_t end = (nl > pos_ && buffer_[nl - 1] == '\r') ? nl - 1 : nl;
            line.assign(buffer_, pos_, end - pos_);
            pos_ = nl + 1;
            return true;
        }
        searchFrom = buffer_.size() - pos_;  // relative to pos_ after Fill moves the data
        if (!Fill()) {
            if (pos_ >= buffer_.size()) return false;
            line.assign(buffer_, pos_, std::string::npos);
            pos_ = buffer_.size();
            return true;
        }
        // Fill moved the unread rest to the front: pos_ is 0 now.
    }
}

std::string_view Trim(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 0x20) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 0x20) --e;
    return text.substr(b, e - b);
}

bool CreateFolder(std::string_view drivePath) {
    auto host = Drives().ToHostPath(drivePath);
    return host && ::mkdir(host->c_str(), 0755) == 0;
}

std::string CurrentFolder() {
    char buf[PATH_MAX];
    if (!::getcwd(buf, sizeof buf)) return {};
    auto drive = Drives().ToDrivePath(buf);
    return drive ? *drive : std::string();
}

}  // namespace kirafu
