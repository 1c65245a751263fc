// The file chooser: GTK 3 reached through dlopen, with zenity as the fallback.
#include "platform/FileDialog.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <type_traits>

#include "platform/Paths.h"

extern char** environ;

namespace zv::platform {

namespace {

// The few GTK and GLib entry points the chooser needs, all objects kept opaque: the member, its C type and the
// library's name for it. The struct and its lookup are both made from this one list.
#define ZV_GTK_CALLS(X)                                                                                          \
    X(init_check, int (*)(int*, char***), "gtk_init_check")                                                      \
    X(disable_setlocale, void (*)(), "gtk_disable_setlocale")                                                    \
    X(dialog_new, void* (*)(const char*, void*, int, const char*, ...), "gtk_file_chooser_dialog_new")           \
    X(filter_new, void* (*)(), "gtk_file_filter_new")                                                            \
    X(filter_set_name, void (*)(void*, const char*), "gtk_file_filter_set_name")                                 \
    X(filter_add_pattern, void (*)(void*, const char*), "gtk_file_filter_add_pattern")                           \
    X(add_filter, void (*)(void*, void*), "gtk_file_chooser_add_filter")                                         \
    X(set_current_folder, int (*)(void*, const char*), "gtk_file_chooser_set_current_folder")                    \
    X(set_default_size, void (*)(void*, int, int), "gtk_window_set_default_size")                                \
    X(resize, void (*)(void*, int, int), "gtk_window_resize")                                                    \
    X(run, int (*)(void*), "gtk_dialog_run")                                                                     \
    X(get_filename, char* (*)(void*), "gtk_file_chooser_get_filename")                                           \
    X(destroy, void (*)(void*), "gtk_widget_destroy")                                                            \
    X(g_free, void (*)(void*), "g_free")                                                                         \
    X(events_pending, int (*)(), "gtk_events_pending")                                                           \
    X(main_iteration, int (*)(), "gtk_main_iteration")                                                           \
    X(screen_default, void* (*)(), "gdk_screen_get_default")                                                     \
    X(screen_width, int (*)(void*), "gdk_screen_get_width")                                                      \
    X(screen_height, int (*)(void*), "gdk_screen_get_height")                                                    \
    X(special_dir, const char* (*)(int), "g_get_user_special_dir")                                               \
    X(connect, unsigned long (*)(void*, const char*, void (*)(), void*, void*, int), "g_signal_connect_data")

struct Gtk {
#define ZV_GTK_MEMBER(member, type, symbol) std::type_identity_t<type> member = nullptr;
    ZV_GTK_CALLS(ZV_GTK_MEMBER)
#undef ZV_GTK_MEMBER
};

constexpr int kActionOpen = 0;        // GTK_FILE_CHOOSER_ACTION_OPEN
constexpr int kResponseAccept = -3;   // GTK_RESPONSE_ACCEPT
constexpr int kResponseCancel = -6;   // GTK_RESPONSE_CANCEL
constexpr int kDirectoryPictures = 4; // G_USER_DIRECTORY_PICTURES
constexpr int kConnectAfter = 1;      // G_CONNECT_AFTER

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
#define ZV_GTK_RESOLVE(member, type, symbol) &&Resolve(lib, symbol, gtk.member)
    const bool all = true ZV_GTK_CALLS(ZV_GTK_RESOLVE);
#undef ZV_GTK_RESOLVE
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

// A chooser as large as it needs, but never more than three quarters of the screen: left to
// itself it may open over the whole screen at a large desktop scale.
struct ChooserSize {
    const Gtk* gtk;
    int width, height;
};

void ResizeOnMap(void* dialog, void* data) {
    const auto* size = static_cast<const ChooserSize*>(data);
    size->gtk->resize(dialog, size->width, size->height);
}

void AddFilter(const Gtk& gtk, void* dialog, const std::string& name, const std::string& pattern) {
    void* filter = gtk.filter_new(); // floating: the chooser takes it over
    gtk.filter_set_name(filter, name.c_str());
    gtk.filter_add_pattern(filter, pattern.c_str());
    gtk.add_filter(dialog, filter);
}

std::optional<std::string> OpenFileWithGtk(const Gtk& gtk, const std::string& title, const std::string& filterName,
                                           const std::string& pattern, const std::string& folder) {
    // The buttons in GTK's own words of the player's language (from GTK's catalogue, not ours).
    const auto gtkWord = [](const char* word) { return dgettext("gtk30", word); };
    void* dialog = gtk.dialog_new(title.c_str(), nullptr, kActionOpen, gtkWord("_Cancel"), kResponseCancel,
                                  gtkWord("_Open"), kResponseAccept, static_cast<const char*>(nullptr));
    if (!dialog) return std::nullopt;
    AddFilter(gtk, dialog, filterName, pattern);
    AddFilter(gtk, dialog, Tr(kAllFilesFilterName), "*");
    if (!folder.empty()) gtk.set_current_folder(dialog, folder.c_str());

    ChooserSize size{&gtk, 760, 540};
    if (void* screen = gtk.screen_default()) {
        size.width = std::min(size.width, gtk.screen_width(screen) * 3 / 4);
        size.height = std::min(size.height, gtk.screen_height(screen) * 3 / 4);
    }
    gtk.set_default_size(dialog, size.width, size.height);
    gtk.connect(dialog, "map", reinterpret_cast<void (*)()>(&ResizeOnMap), &size, nullptr, kConnectAfter);

    std::optional<std::string> result;
    if (gtk.run(dialog) == kResponseAccept) {
        if (char* name = gtk.get_filename(dialog)) {
            result = name;
            gtk.g_free(name);
        }
    }
    gtk.destroy(dialog);
    // The dialog leaves the screen only when GTK gets to handle its last events.
    while (gtk.events_pending()) gtk.main_iteration();
    return result;
}

bool IsDirectory(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

#undef ZV_GTK_CALLS

} // namespace

std::string ChooserStartFolder(const std::string& lastFolder, const std::string& pictures, const std::string& home) {
    for (const std::string* d : {&lastFolder, &pictures, &home})
        if (IsDirectory(*d)) return *d;
    return {};
}

std::optional<std::string> OpenFileWithZenity(const std::string& title, const std::string& filterName,
                                              const std::string& pattern, const std::string& program,
                                              const std::string& startFolder) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;

    const std::string titleArg = "--title=" + title;
    const std::string filterArg = "--file-filter=" + filterName + " | " + pattern;
    const std::string allArg = std::string("--file-filter=") + Tr(kAllFilesFilterName) + " | *";
    // A trailing slash makes zenity open the folder rather than pick a file of that name.
    const std::string folderArg = "--filename=" + startFolder + "/";
    char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--file-selection"),
                          const_cast<char*>(titleArg.c_str()), const_cast<char*>(filterArg.c_str()),
                          const_cast<char*>(allArg.c_str()),
                          startFolder.empty() ? nullptr : const_cast<char*>(folderArg.c_str()), nullptr};

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
    std::optional<std::string> picked;
    if (const Gtk* gtk = LoadGtk()) {
        const char* pictures = gtk->special_dir(kDirectoryPictures);
        picked = OpenFileWithGtk(*gtk, title, filterName, pattern,
                                 ChooserStartFolder(lastFolder_, pictures ? pictures : "", HomeDir()));
    } else {
        // Without GLib to ask, the pictures folder is not known: the last folder, else home.
        picked = OpenFileWithZenity(title, filterName, pattern, "zenity", ChooserStartFolder(lastFolder_, "", HomeDir()));
    }
    if (picked) {
        const std::size_t slash = picked->rfind('/');
        if (slash != std::string::npos) lastFolder_ = slash == 0 ? "/" : picked->substr(0, slash);
    }
    return picked;
}

} // namespace zv::platform
