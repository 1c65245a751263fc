// The file chooser: GTK 3 reached through dlopen, with zenity as the fallback.
#include "platform/FileDialog.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>

extern char** environ;

namespace zv::platform {

namespace {

// The few GTK and GLib entry points the chooser needs, all objects kept opaque.
struct Gtk {
    using InitCheck = int (*)(int*, char***);
    using DisableSetlocale = void (*)();
    using NativeNew = void* (*)(const char*, void*, int, const char*, const char*);
    using FilterNew = void* (*)();
    using FilterSetName = void (*)(void*, const char*);
    using FilterAddPattern = void (*)(void*, const char*);
    using AddFilter = void (*)(void*, void*);
    using Run = int (*)(void*);
    using GetFilename = char* (*)(void*);
    using Free = void (*)(void*);
    using Unref = void (*)(void*);
    using EventsPending = int (*)();
    using MainIteration = int (*)();

    InitCheck init_check = nullptr;
    DisableSetlocale disable_setlocale = nullptr;
    NativeNew native_new = nullptr;
    FilterNew filter_new = nullptr;
    FilterSetName filter_set_name = nullptr;
    FilterAddPattern filter_add_pattern = nullptr;
    AddFilter add_filter = nullptr;
    Run run = nullptr;
    GetFilename get_filename = nullptr;
    Free g_free = nullptr;
    Unref unref = nullptr;
    EventsPending events_pending = nullptr;
    MainIteration main_iteration = nullptr;
};

constexpr int kActionOpen = 0;      // GTK_FILE_CHOOSER_ACTION_OPEN
constexpr int kResponseAccept = -3; // GTK_RESPONSE_ACCEPT

template <typename F>
bool Resolve(void* lib, const char* name, F& out) {
    out = reinterpret_cast<F>(dlsym(lib, name));
    return out != nullptr;
}

// Loaded and initialised once; GTK cannot be unloaded, so the library stays for good.
const Gtk* LoadGtk() {
    static bool tried = false;
    static Gtk gtk;
    static bool ok = false;
    if (tried) return ok ? &gtk : nullptr;
    tried = true;
    void* lib = dlopen("libgtk-3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib) return nullptr;
    const bool all = Resolve(lib, "gtk_init_check", gtk.init_check) &&
                     Resolve(lib, "gtk_disable_setlocale", gtk.disable_setlocale) &&
                     Resolve(lib, "gtk_file_chooser_native_new", gtk.native_new) &&
                     Resolve(lib, "gtk_file_filter_new", gtk.filter_new) &&
                     Resolve(lib, "gtk_file_filter_set_name", gtk.filter_set_name) &&
                     Resolve(lib, "gtk_file_filter_add_pattern", gtk.filter_add_pattern) &&
                     Resolve(lib, "gtk_file_chooser_add_filter", gtk.add_filter) &&
                     Resolve(lib, "gtk_native_dialog_run", gtk.run) &&
                     Resolve(lib, "gtk_file_chooser_get_filename", gtk.get_filename) &&
                     Resolve(lib, "g_free", gtk.g_free) && Resolve(lib, "g_object_unref", gtk.unref) &&
                     Resolve(lib, "gtk_events_pending", gtk.events_pending) &&
                     Resolve(lib, "gtk_main_iteration", gtk.main_iteration);
    if (!all) return nullptr;
    // gtk_init would otherwise switch the whole process, number formats included, to the
    // environment's locale. The dialog needs only the character set and the translations.
    gtk.disable_setlocale();
    std::setlocale(LC_CTYPE, "");
    std::setlocale(LC_MESSAGES, "");
    if (!gtk.init_check(nullptr, nullptr)) return nullptr;
    ok = true;
    return &gtk;
}

std::optional<std::string> OpenFileWithGtk(const Gtk& gtk, const std::string& title,
                                           const std::string& filterName, const std::string& pattern) {
    void* dialog = gtk.native_new(title.c_str(), nullptr, kActionOpen, nullptr, nullptr);
    if (!dialog) return std::nullopt;
    void* filter = gtk.filter_new(); // floating: the chooser takes it over
    gtk.filter_set_name(filter, filterName.c_str());
    gtk.filter_add_pattern(filter, pattern.c_str());
    gtk.add_filter(dialog, filter);

    std::optional<std::string> result;
    if (gtk.run(dialog) == kResponseAccept) {
        if (char* name = gtk.get_filename(dialog)) {
            result = name;
            gtk.g_free(name);
        }
    }
    gtk.unref(dialog);
    // The dialog leaves the screen only when GTK gets to handle its last events.
    while (gtk.events_pending()) gtk.main_iteration();
    return result;
}

} // namespace

std::optional<std::string> OpenFileWithZenity(const std::string& title, const std::string& filterName,
                                              const std::string& pattern, const std::string& program) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;

    const std::string titleArg = "--title=" + title;
    const std::string filterArg = "--file-filter=" + filterName + " | " + pattern;
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--file-selection"),
                          const_cast<char*>(titleArg.c_str()), const_cast<char*>(filterArg.c_str()), nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    // Nothing of ours beyond the standard streams reaches zenity (the instance lock least of all).
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return std::nullopt;
    }

    std::string out;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n > 0) out.append(buf, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR) break;
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r')) out.pop_back();
    if (out.empty()) return std::nullopt;
    return out;
}

std::optional<std::string> SystemFileDialog::OpenFile(const std::string& title, const std::string& filterName,
                                                      const std::string& pattern) {
    if (const Gtk* gtk = LoadGtk()) return OpenFileWithGtk(*gtk, title, filterName, pattern);
    return OpenFileWithZenity(title, filterName, pattern);
}

} // namespace zv::platform
