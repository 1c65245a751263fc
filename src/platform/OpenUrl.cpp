// Starting the browser through a double fork, so it is neither our child nor holder of our files.
#include "platform/OpenUrl.h"

#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace zv::platform {

namespace {

// Only async-signal-safe calls between fork and exec: other threads (audio) may hold locks.
void CloseDescriptorsFrom3() {
#ifdef SYS_close_range
    if (syscall(SYS_close_range, 3u, ~0u, 0u) == 0) return;
#endif
    const long max = sysconf(_SC_OPEN_MAX);
    for (long fd = 3; fd < (max > 0 && max < 1048576 ? max : 65536); ++fd) close(static_cast<int>(fd));
}

} // namespace

void OpenUrl(const std::string& url) { OpenUrlWith("xdg-open", url); }

void OpenUrlWith(const std::string& program, const std::string& url) {
    // Everything the children need is prepared before forking.
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(url.c_str()), nullptr};
    const pid_t child = fork();
    if (child < 0) return;
    if (child == 0) {
        const pid_t grandchild = fork();
        if (grandchild != 0) _exit(0); // the grandchild is handed over to init
        setsid();
        CloseDescriptorsFrom3();
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        execvp(argv[0], argv);
        _exit(127);
    }
    int status;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace zv::platform
