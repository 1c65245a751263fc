// The single-instance guard: an exclusive lock on a file named after the program's file name.
#pragma once

#include <string>

namespace zv::platform {

// Holds the lock from a successful Acquire until Release or destruction. The system releases
// it when the process ends in any way, SIGKILL included. The descriptor is close-on-exec, so
// no child process (a browser, a file chooser) can keep the lock after the game has ended.
class InstanceLock {
public:
    enum class Result {
        Acquired,    // this object holds the lock now
        AlreadyHeld, // another running copy (or another open of the same file) holds it
        Unavailable  // the lock file could not be opened or is not ours
    };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Result Acquire(const std::string& programFileName);
    bool Held() const { return fd_ >= 0; }
    void Release();

    // $XDG_RUNTIME_DIR/<name>.lock, else /tmp/<name>-<uid>.lock.
    static std::string LockFilePath(const std::string& programFileName);

private:
    int fd_ = -1;
};

// Takes the lock for the rest of the process. False only when another copy holds it: when the
// lock cannot be taken at all, the program runs as if it were the only copy.
bool AcquireInstanceLock(const std::string& programFileName);

} // namespace zv::platform
