// Starting the browser: detached, and holding none of the game's descriptors.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/InstanceLock.h"
#include "platform/OpenUrl.h"
#include "kit/TempDir.h"

using namespace zv::platform;

namespace {

void WriteScript(const std::string& path, const std::string& body) {
    std::ofstream(path) << "#!/bin/sh\n" << body;
    chmod(path.c_str(), 0700);
}

std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::ifstream f(path);
        if (f) {
            std::stringstream ss;
            ss << f.rdbuf();
            return ss.str();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

} // namespace

TEST(OpenUrl, TheProgramGetsTheAddressAndNoneOfOurDescriptors) {
    zv::kit::TempDir dir;
    zv::kit::ScopedEnv env("XDG_RUNTIME_DIR", dir.path().c_str());
    InstanceLock lock;
    ASSERT_EQ(lock.Acquire("zorvex2000"), InstanceLock::Result::Acquired);
    // Descriptors opened without close-on-exec, the way a library might leave them.
    const int leaked = open((dir / "leaked").c_str(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(leaked, 0);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);

    const std::string script = dir / "browser";
    // Lists the shell's descriptors from a child, so that the listing adds none of its own;
    // the shell's own descriptor of the script is allowed.
    WriteScript(script, "exec > \"" + dir.path() + "/fds.tmp\"\n"
                        "echo \"$1\"\n"
                        "ls -l /proc/$$/fd\n"
                        "mv \"" + dir.path() + "/fds.tmp\" \"" + dir.path() + "/fds\"\n");
    OpenUrlWith(script, kHomePage);

    std::istringstream lines(WaitForFile(dir / "fds"));
    std::string url;
    std::getline(lines, url);
    EXPECT_EQ(url, "https://zorvex2000.example.com/");
    std::string line;
    int standard = 0;
    while (std::getline(lines, line)) {
        const auto arrow = line.find(" -> ");
        if (arrow == std::string::npos) continue;
        const auto space = line.rfind(' ', arrow - 1);
        const int fd = std::stoi(line.substr(space + 1, arrow - space - 1));
        const std::string target = line.substr(arrow + 4);
        if (fd <= 2) {
            ++standard;
            continue;
        }
        EXPECT_EQ(target, script) << "descriptor " << fd << " inherited: " << line;
    }
    EXPECT_GE(standard, 1);
    close(leaked);
    close(fds[0]);
    close(fds[1]);
}

TEST(OpenUrl, LeavesNoChildBehindAndIsSilentWhenTheProgramIsMissing) {
    OpenUrlWith("/nonexistent/xdg-open", kHomePage);
    OpenUrlWith("no-such-program-anywhere", kHomePage);
    // The intermediate child has been reaped and the grandchild belongs to init.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}
