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

#include "platform/Paths.h"

extern char** environ;

namespace zv::platform {

namespace {

// The few GTK and GLib entry points the chooser needs, all objects kept opaque.
struct Gtk {
    using InitCheck = int (*)(int*, char***);
    using DisableSetlocale = void (*)();
    using DialogNew = void* (*)(const char*, void*, int, const char*, ...);
    using FilterNew = void* (*)();
    using FilterSetName = void (*)(void*, const char*);
    using FilterAddPattern = void (*)(void*, const char*);
    using AddFilter = void (*)(void*, void*);
    using SetCurrentFolder = int (*)(void*, const char*);
    using SetSize = void (*)(void*, int, int);
    using Run = int (*)(void*);
    using GetFilename = char* (*)(void*);
    using Destroy = void (*)(void*);
    using Free = void (*)(void*);
    using EventsPending = int (*)();
    using MainIteration = int (*)();
    using ScreenDefault = void* (*)();
    using ScreenSide = int (*)(void*);
    using SpecialDir = const char* (*)(int);
    using ConnectData = unsigned long (*)(void*, const char*, void (*)(), void*, void*, int);

    InitCheck init_check = nullptr;
    DisableSetlocale disable_setlocale = nullptr;
    DialogNew dialog_new = nullptr;
    FilterNew filter_new = nullptr;
    FilterSetName filter_set_name = nullptr;
    FilterAddPattern filter_add_pattern = nullptr;
    AddFilter add_filter = nullptr;
    SetCurrentFolder set_current_folder = nullptr;
    SetSize set_default_size = nullptr;
    SetSize resize = nullptr;
    Run run = nullptr;
    GetFilename get_filename = nullptr;
    Destroy destroy = nullptr;
    Free g_free = nullptr;
    EventsPending events_pending = nullptr;
    MainIteration main_iteration = nullptr;
    ScreenDefault screen_default = nullptr;
    ScreenSide screen_width = nullptr;
    ScreenSide screen_height = nullptr;
    SpecialDir special_dir = nullptr;
    ConnectData connect = nullptr;
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
    const bool all = Resolve(lib, "gtk_init_check", gtk.init_check) &&
                     Resolve(lib, "gtk_disable_setlocale", gtk.disable_setlocale) &&
                     Resolve(lib, "gtk_file_chooser_dialog_new", gtk.dialog_new) &&
                     Resolve(lib, "gtk_file_filter_new", gtk.filter_new) &&
                     Resolve(lib, "gtk_file_filter_set_name", gtk.filter_set_name) &&
                     Resolve(lib, "gtk_file_filter_add_pattern", gtk.filter_add_pattern) &&
                     Resolve(lib, "gtk_file_chooser_add_filter", gtk.add_filter) &&
                     Resolve(lib, "gtk_file_chooser_set_current_folder", gtk.set_current_folder) &&
                     Resolve(lib, "gtk_window_set_default_size", gtk.set_default_size) &&
                     Resolve(lib, "gtk_window_resize", gtk.resize) && Resolve(lib, "gtk_dialog_run", gtk.run) &&
                     Resolve(lib, "gtk_file_chooser_get_filename", gtk.get_filename) &&
                     Resolve(lib, "gtk_widget_destroy", gtk.destroy) && Resolve(lib, "g_free", gtk.g_free) &&
                     Resolve(lib, "gtk_events_pending", gtk.events_pending) &&
                     Resolve(lib, "gtk_main_iteration", gtk.main_iteration) &&
                     Resolve(lib, "gdk_screen_get_default", gtk.screen_default) &&
                     Resolve(lib, "gdk_screen_get_width", gtk.screen_width) &&
                     Resolve(lib, "gdk_screen_get_height", gtk.screen_height) &&
                     Resolve(lib, "g_get_user_special_dir", gtk.special_dir) &&
                     Resolve(lib, "g_signal_connect_data", gtk.connect);
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
