// The single-instance lock: exclusive per program name, and gone with the process that held it.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/InstanceLock.h"
#include "kit/TempDir.h"

using zv::platform::InstanceLock;
using Result = InstanceLock::Result;

namespace {

// A child that takes the lock, reports the outcome through a pipe and then waits to be ended.
pid_t ChildHolding(const std::string& name, bool& acquired, bool exitAtOnce) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        InstanceLock lock;
        const char ok = lock.Acquire(name) == Result::Acquired ? 1 : 0;
        (void)!write(fds[1], &ok, 1);
        if (exitAtOnce) _exit(0);
        for (;;) pause();
    }
    close(fds[1]);
    char ok = 0;
    EXPECT_EQ(read(fds[0], &ok, 1), 1);
    close(fds[0]);
    acquired = ok == 1;
    return pid;
}

} // namespace

TEST(InstanceLock, SecondHolderOfTheSameNameIsRefusedOtherNamesAreNot) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    InstanceLock first, second, other;
    EXPECT_EQ(first.Acquire("zorvex2000"), Result::Acquired);
    EXPECT_EQ(second.Acquire("zorvex2000"), Result::AlreadyHeld);
    EXPECT_FALSE(second.Held());
    // A copy started under another file name is another program.
    EXPECT_EQ(other.Acquire("zorvex-copy"), Result::Acquired);

    struct stat st{};
    ASSERT_EQ(stat((dir / "zorvex2000.lock").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    first.Release();
    EXPECT_EQ(second.Acquire("zorvex2000"), Result::Acquired);
}

TEST(InstanceLock, WithoutRuntimeDirTheFileIsPerUserInTmp) {
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", nullptr);
    EXPECT_EQ(InstanceLock::LockFilePath("zorvex2000"), "/tmp/zorvex2000-" + std::to_string(getuid()) + ".lock");
    zv::kit::ScopedEnv relative("XDG_RUNTIME_DIR", "relative/dir");
    EXPECT_EQ(InstanceLock::LockFilePath("a/b"), "/tmp/a_b-" + std::to_string(getuid()) + ".lock");
}

TEST(InstanceLock, SymlinkInPlaceOfTheLockFileIsNotFollowed) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    ASSERT_EQ(symlink((dir / "target").c_str(), (dir / "zorvex2000.lock").c_str()), 0);
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire("zorvex2000"), Result::Unavailable);
    EXPECT_FALSE(std::filesystem::exists(dir / "target"));
    // Not knowing is no reason to refuse to start.
    EXPECT_TRUE(zv::platform::AcquireInstanceLock("zorvex2000"));
}

TEST(InstanceLock, ReleasedWhenTheHolderProcessEndsOrIsKilled) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    for (const int sig : {0, SIGKILL, SIGTERM}) {
        SCOPED_TRACE(sig);
        bool acquired = false;
        const pid_t pid = ChildHolding("zorvex2000", acquired, sig == 0);
        ASSERT_TRUE(acquired);
        if (sig != 0) {
            InstanceLock mine;
            EXPECT_EQ(mine.Acquire("zorvex2000"), Result::AlreadyHeld);
            kill(pid, sig);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        InstanceLock after;
        EXPECT_EQ(after.Acquire("zorvex2000"), Result::Acquired);
    }
}

TEST(InstanceLock, ProgramsStartedByTheHolderDoNotInheritIt) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    InstanceLock lock;
    ASSERT_EQ(lock.Acquire("zorvex2000"), Result::Acquired);
    // A shell that outlives the lock holder would keep the lock if it inherited the descriptor.
    const std::string cmd = "ls -l /proc/self/fd/ | grep -c zorvex2000.lock";
    FILE* p = popen(cmd.c_str(), "r");
    ASSERT_NE(p, nullptr);
    int count = -1;
    ASSERT_EQ(fscanf(p, "%d", &count), 1);
    pclose(p);
    EXPECT_EQ(count, 0);
}

TEST(InstanceLock, ExactlyOneOfManySimultaneousStartsWins) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    constexpr int kStarts = 24;
    int go[2], results[2];
    ASSERT_EQ(pipe(go), 0);
    ASSERT_EQ(pipe(results), 0);
    std::vector<pid_t> pids;
    for (int i = 0; i < kStarts; ++i) {
        const pid_t pid = fork();
        if (pid == 0) {
            close(go[1]);
            char c;
            (void)!read(go[0], &c, 1); // all start together when the pipe closes
            InstanceLock lock;
            const char r = lock.Acquire("zorvex2000") == Result::Acquired ? 'W' : 'L';
            (void)!write(results[1], &r, 1);
            sleep(2); // hold it while the others try
            _exit(0);
        }
        pids.push_back(pid);
    }
    close(go[0]);
    close(go[1]);
    close(results[1]);
    int wins = 0, total = 0;
    char r;
    while (total < kStarts && read(results[0], &r, 1) == 1) {
        ++total;
        wins += r == 'W';
    }
    close(results[0]);
    for (pid_t pid : pids) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    EXPECT_EQ(total, kStarts);
    EXPECT_EQ(wins, 1);
}
