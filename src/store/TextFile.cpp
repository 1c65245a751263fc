// The text-file layer over POSIX calls: bounded reads, atomic rewrites, errno turned into the game's messages.
#include "store/TextFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

namespace zv::store {

namespace {

// A name with a NUL inside would silently open a different, shorter name.
void CheckName(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) throw InOutError(kInvalidFilename, EINVAL);
}

class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and reports the close's own error, which can be the first sign of a failed write.
    int close() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

private:
    int fd_;
};

void WriteAll(int fd, std::string_view content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw InOutError::FromErrno(errno);
        }
        if (n == 0) throw InOutError::FromErrno(EIO);
        done += static_cast<std::size_t>(n);
    }
}

} // namespace

std::string MessageForErrno(int e) {
    switch (e) {
    case ENOENT:
    case ENOTDIR:
    case ELOOP:
        return kFileNotFound;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
        return kInvalidFilename;
    case EMFILE:
    case ENFILE:
        return kTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return kFileAccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return kDiskFull;
    default:
        return "I/O error " + std::to_string(e);
    }
}

InOutError InOutError::FromErrno(int e) {
    std::string detail;
    switch (e) {
    case ELOOP: detail = "too many levels of symbolic links"; break;
    case ENOTDIR: detail = "a part of the path is not a directory"; break;
    case EISDIR: detail = "a directory, not a file"; break;
    case EROFS: detail = "a read-only file system"; break;
    case ENAMETOOLONG: detail = "the name is too long"; break;
    case ENXIO:
    case ENODEV: detail = "a device, not a file"; break;
    default:
        // "I/O error 6" says nothing to a player; the system's own words do.
        if (MessageForErrno(e).starts_with("I/O error")) detail = std::strerror(e);
    }
    return InOutError(MessageForErrno(e), e, std::move(detail));
}

std::string Explain(const std::exception& e) {
    const auto* io = dynamic_cast<const InOutError*>(&e);
    return io && !io->detail().empty() ? std::string(e.what()) + " (" + io->detail() + ")" : e.what();
}

namespace {

InOutError TooLarge() {
    return InOutError(kFileAccessDenied, EFBIG, LargerThan(kMaxTextFileSize) + ", more than the game ever writes");
}

// Opens a regular file for reading; anything else answering to the name is refused.
void OpenRegularFile(const std::string& path, Fd& fd, struct stat& st) {
    CheckName(path);
    // O_NONBLOCK keeps a FIFO planted under the name from hanging the open.
    fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) throw InOutError::FromErrno(errno);
    if (::fstat(fd.get(), &st) != 0) throw InOutError::FromErrno(errno);
    if (S_ISDIR(st.st_mode)) throw InOutError::FromErrno(EISDIR);
    // Devices, FIFOs and sockets are not files the game writes; refuse them too.
    if (!S_ISREG(st.st_mode))
        throw InOutError(kFileAccessDenied, EACCES,
                         S_ISFIFO(st.st_mode) ? "a named pipe, not a file"
                         : S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "a device, not a file"
                         : S_ISSOCK(st.st_mode) ? "a socket, not a file" : "not a plain file");
    if (st.st_size < 0) throw TooLarge();
}

// Exactly size bytes from offset at; a file that has become shorter is read beyond its end.
void ReadAt(int fd, char* out, std::size_t size, std::uint64_t at) {
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, out + got, size - got, static_cast<off_t>(at + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw InOutError::FromErrno(errno);
        }
        if (n == 0) throw InOutError(kReadBeyondEnd);
        got += static_cast<std::size_t>(n);
    }
}

InOutError LineTooLong(std::size_t longest) {
    return InOutError("the last line is longer than " + std::to_string(longest) + " bytes", EFBIG);
}

} // namespace

std::string ReadTextFile(const std::string& path) {
    Fd fd;
    struct stat st {};
    OpenRegularFile(path, fd, st);
    if (static_cast<std::uint64_t>(st.st_size) > kMaxTextFileSize) throw TooLarge();

    // The size may change under us, so the read itself is bounded as well.
    std::string content;
    content.resize(kMaxTextFileSize + 1);
    std::size_t got = 0;
    while (got < content.size()) {
        const ssize_t n = ::read(fd.get(), content.data() + got, content.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw InOutError::FromErrno(errno);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got > kMaxTextFileSize) throw TooLarge();
    content.resize(got);
    return content;
}

bool ReadLastLineHead(const std::string& path, std::size_t keep, std::string& head, std::size_t piece, std::size_t longest) {
    Fd fd;
    struct stat st {};
    OpenRegularFile(path, fd, st);
    const std::uint64_t size = static_cast<std::uint64_t>(st.st_size);
    if (size == 0) return false;
    if (piece == 0) piece = 1;

    auto byteAt = [&fd](std::uint64_t at) {
        char ch = 0;
        ReadAt(fd.get(), &ch, 1, at);
        return ch;
    };
    // A final LF ends the last line; it does not begin an empty one after it.
    const std::uint64_t end = byteAt(size - 1) == '\n' ? size - 1 : size;
    // Backwards from there to the LF before the last line, or to the start of the file.
    std::uint64_t start = 0;
    std::string buffer(static_cast<std::size_t>(std::min<std::uint64_t>(piece, end)), '\0');
    for (std::uint64_t pos = end; pos > 0;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece, pos));
        pos -= n;
        ReadAt(fd.get(), buffer.data(), n, pos);
        const std::size_t lf = std::string_view(buffer.data(), n).rfind('\n');
        if (lf != std::string_view::npos) {
            start = pos + lf + 1;
            break;
        }
        // One byte more than the longest line allows for the CR of its line end.
        if (end - pos - 1 > longest) throw LineTooLong(longest);
    }
    // A CR right before the line end belongs to the line end.
    std::uint64_t lineEnd = end;
    if (lineEnd > start && byteAt(lineEnd - 1) == '\r') --lineEnd;
    if (lineEnd - start > longest) throw LineTooLong(longest);
    std::string taken(static_cast<std::size_t>(std::min<std::uint64_t>(keep, lineEnd - start)), '\0');
    ReadAt(fd.get(), taken.data(), taken.size(), start);
    head = std::move(taken);
    return true;
}

namespace {

// A write killed between creating its temporary file and the rename leaves ".name.XXXXXX" behind.
// Only old ones go: a younger one may belong to a write still running in another copy.
void RemoveStaleTemporaries(const std::string& dir, const std::string& base) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return;
    const std::string prefix = "." + base + ".";
    const time_t now = ::time(nullptr);
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        const std::string full = dir + "/" + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > 60) ::unlink(full.c_str());
    }
    ::closedir(d);
}

// A link answering to the name is replaced by a write, as any file is, even one that holds the content already.
bool IsLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

} // namespace

void WriteTextFileAtomic(const std::string& path, std::string_view content) {
    CheckName(path);
    const std::size_t slash = path.rfind('/');
    const std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty() || base == "." || base == "..") throw InOutError(kInvalidFilename, EINVAL);

    // A file the user has write-protected stays protected, although the rename could replace it.
    mode_t mode = 0644;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISDIR(st.st_mode)) {
            if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) throw InOutError::FromErrno(errno);
            mode = st.st_mode & 07777;
        }
        // A file that already holds the content is left as it is: no new file and no wait for the disk (the
        // settings are written at every exit, mostly unchanged).
        if (S_ISREG(st.st_mode) && !IsLink(path) && HoldsExactly(path, content)) return;
    } else if (errno != ENOENT) {
        throw InOutError::FromErrno(errno);
    }

    std::string temp = dir + "/." + base + ".XXXXXX";
    const int raw = ::mkostemp(temp.data(), O_CLOEXEC); // O_CREAT | O_EXCL, mode 0600
    if (raw < 0) throw InOutError::FromErrno(errno);
    Fd fd(raw);
    try {
        WriteAll(fd.get(), content);
        if (::fsync(fd.get()) != 0) throw InOutError::FromErrno(errno);
        if (::fchmod(fd.get(), mode) != 0) throw InOutError::FromErrno(errno);
        if (fd.close() != 0) throw InOutError::FromErrno(errno);
        if (::rename(temp.c_str(), path.c_str()) != 0) throw InOutError::FromErrno(errno);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }

    RemoveStaleTemporaries(dir, base);

    // Makes the rename itself durable. The new content is already in place, so a
    // file system that cannot sync a directory is no reason to report a failure.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        (void)::fsync(dfd);
        ::close(dfd);
    }
}

bool HoldsExactly(const std::string& path, std::string_view content) {
    // Larger ones are just written again.
    constexpr std::size_t kLargestCompared = 1 << 20;
    if (content.size() > kLargestCompared || path.empty() || path.find('\0') != std::string::npos) return false;
    const int raw = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (raw < 0) return false;
    Fd fd(raw);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode) || static_cast<std::uintmax_t>(st.st_size) != content.size())
        return false;
    std::string held(content.size() + 1, '\0');
    std::size_t got = 0;
    while (got < held.size()) {
        const ssize_t n = ::read(fd.get(), held.data() + got, held.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got == content.size() && std::string_view(held.data(), got) == content;
}

void WriteTextFileIfChanged(const std::string& path, std::string_view content) {
    if (!HoldsExactly(path, content)) WriteTextFileAtomic(path, content);
}

FileLock::FileLock(const std::string& path, std::chrono::milliseconds wait) {
    if (path.empty() || path.find('\0') != std::string::npos) return;
    const std::size_t slash = path.rfind('/');
    const std::string lockPath = slash == std::string::npos ? "." + path + ".lock"
                                                            : path.substr(0, slash + 1) + "." + path.substr(slash + 1) + ".lock";
    const int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    if (fd < 0) return;
    // Polled rather than blocking, so a holder that never lets go cannot hang the game.
    const auto until = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            return;
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ::close(fd);
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_); // closing lets go of the lock
}

void RemoveFile(const std::string& path) {
    CheckName(path);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) throw InOutError::FromErrno(errno);
}

bool FileExists(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return false;
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void EnsureDirectory(const std::string& path) {
    CheckName(path);
    std::size_t pos = 0;
    while (pos < path.size()) {
        std::size_t next = path.find('/', pos);
        if (next == std::string::npos) next = path.size();
        if (next > pos) { // skips the root and doubled slashes
            const std::string prefix = path.substr(0, next);
            if (::mkdir(prefix.c_str(), 0700) != 0) {
                const int e = errno;
                struct stat st {};
                if (::stat(prefix.c_str(), &st) != 0) throw InOutError::FromErrno(e);
                if (!S_ISDIR(st.st_mode)) throw InOutError::FromErrno(ENOTDIR);
            }
        }
        pos = next + 1;
    }
}

std::string_view NextLine(std::string_view content, std::size_t& pos) {
    const std::size_t start = pos;
    const std::size_t lf = content.find('\n', start);
    std::size_t end = lf == std::string_view::npos ? content.size() : lf;
    pos = lf == std::string_view::npos ? content.size() : lf + 1;
    if (end > start && content[end - 1] == '\r') --end;
    return content.substr(start, end - start);
}

std::vector<std::string_view> TabFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

std::string LargerThan(std::size_t bytes) { return "the file is larger than " + std::to_string(bytes) + " bytes"; }

bool ReadTabbedLines(std::string_view content, std::string_view header, std::size_t largest, std::size_t fields,
                     std::string& problem, const std::function<std::string(const std::vector<std::string_view>& f)>& take) {
    if (content.size() > largest) {
        problem = LargerThan(largest);
        return false;
    }
    if (content.empty()) {
        problem = "the file is empty";
        return false;
    }
    std::size_t pos = 0;
    for (int number = 1; pos < content.size(); ++number) {
        const std::string_view line = NextLine(content, pos);
        std::string wrong;
        if (number == 1) {
            if (line != header) wrong = "the first line is not \"" + std::string(header) + "\"";
        } else if (const std::vector<std::string_view> f = TabFields(line); f.size() != fields) {
            wrong = std::to_string(fields) + " fields separated by tabs expected, " + std::to_string(f.size()) + " found";
        } else {
            wrong = take(f);
        }
        if (!wrong.empty()) {
            problem = "line " + std::to_string(number) + ": " + wrong;
            return false;
        }
    }
    return true;
}

Aside PutAside(const std::string& path, const std::string& suffix) {
    const std::string base = path + suffix;
    std::string aside = base;
    for (int n = 2; FileExists(aside) && n < 1000; ++n) aside = base + "-" + std::to_string(n);
    if (FileExists(aside)) return {"", "every name from " + base + " to " + aside + " is taken"};
    if (std::rename(path.c_str(), aside.c_str()) != 0) return {"", Explain(InOutError::FromErrno(errno))};
    return {aside, ""};
}

} // namespace zv::store
