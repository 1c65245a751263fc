// The text-file layer over POSIX calls: bounded reads, atomic rewrites, errno turned into the game's messages.
#include "store/TextFile.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zv::store {

namespace {

// A name with a NUL inside would silently open a different, shorter name.
void CheckName(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) throw InOutError(kInvalidFilename, EINVAL);
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
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

InOutError InOutError::FromErrno(int e) { return InOutError(MessageForErrno(e), e); }

std::string ReadTextFile(const std::string& path) {
    CheckName(path);
    // O_NONBLOCK keeps a FIFO planted under the name from hanging the open.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (fd.get() < 0) throw InOutError::FromErrno(errno);
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw InOutError::FromErrno(errno);
    if (S_ISDIR(st.st_mode)) throw InOutError::FromErrno(EISDIR);
    // Devices, FIFOs and sockets are not files the game writes; refuse them too.
    if (!S_ISREG(st.st_mode)) throw InOutError(kFileAccessDenied, EACCES);
    if (st.st_size < 0 || static_cast<std::size_t>(st.st_size) > kMaxTextFileSize)
        throw InOutError(kFileAccessDenied, EFBIG);

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
    if (got > kMaxTextFileSize) throw InOutError(kFileAccessDenied, EFBIG);
    content.resize(got);
    return content;
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

} // namespace zv::store
