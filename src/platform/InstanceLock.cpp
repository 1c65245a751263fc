// The single-instance guard built on flock, which the kernel drops when its holder dies.
#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace zv::platform {

namespace {

// The name goes into a path: keep it one plain component.
std::string SafeComponent(const std::string& name) {
    std::string out;
    for (char c : name) out += (c == '/' || c == '\0') ? '_' : c;
    if (out.empty() || out == "." || out == "..") out = "zorvex2000";
    return out;
}

} // namespace

std::string InstanceLock::LockFilePath(const std::string& programFileName) {
    const std::string name = SafeComponent(programFileName);
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') return std::string(runtime) + "/" + name + ".lock";
    return "/tmp/" + name + "-" + std::to_string(getuid()) + ".lock";
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

InstanceLock::Result InstanceLock::Acquire(const std::string& programFileName) {
    Release();
    const std::string path = LockFilePath(programFileName);
    int fd;
    do {
        fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Result::Unavailable;

    // In a shared /tmp another user may have planted the file; their lock means nothing to us.
    struct stat st{};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != getuid()) {
        close(fd);
        return Result::Unavailable;
    }

    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int err = errno;
        close(fd);
        return err == EWOULDBLOCK ? Result::AlreadyHeld : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

bool AcquireInstanceLock(const std::string& programFileName) {
    // Lives until the process ends; the lock goes with it.
    static InstanceLock* lock = new InstanceLock;
    return lock->Acquire(programFileName) != InstanceLock::Result::AlreadyHeld;
}

} // namespace zv::platform
