// Program entry: the single-instance guard, the real services given to the program, the event loop and shutdown.
#include <SDL.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "platform/Account.h"
#include "platform/Clock.h"
#include "platform/ComposeTable.h"
#include "platform/DesktopScale.h"
#include "platform/Display.h"
#include "platform/DisplayCheck.h"
#include "platform/FileDialog.h"
#include "platform/HostMessageBoxes.h"
#include "platform/InstanceLock.h"
#include "platform/Language.h"
#include "platform/MessageBox.h"
#include "platform/OpenUrl.h"
#include "platform/Paths.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/Resources.h"
#include "app/SystemDesktop.h"
#include "platform/Sound.h"
#include "platform/WindowHost.h"
#include "ui/TrueType.h"

using namespace zv;

int main(int argc, char** argv) {
    // Pictures are few and large: each gets pages of its own, given back the moment it is freed. Left to itself
    // the C library raises this threshold at the first such free and keeps later pictures in a heap that
    // does not shrink.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    const app::CommandLine command = app::ReadCommandLine(argc, argv);
    if (command.action != app::CommandLine::Action::Play) {
        std::fputs(command.text.c_str(), command.action == app::CommandLine::Action::Refuse ? stderr : stdout);
        return command.status;
    }
    const bool verbose = command.verbose;
    // Without a screen SDL would draw off screen: the game would run unseen and hold the single-instance
    // guard against the player's next start. Whether a display named answers, SDL tells once it has opened it.
    if (std::string why; !platform::DisplayNamed(why)) {
        std::fprintf(stderr, "zorvex2000: %s\n", why.c_str());
        return 1;
    }
    // The player's language, before any text is made and before GTK may start.
    const std::string language = platform::UseEnvironmentLanguage();
    if (verbose) std::fprintf(stderr, "zorvex2000: %s\n", language.c_str());
    // The guard is taken before any window; its name is the file name we were started under.
    platform::InstanceLock lock;
    const bool secondCopy = lock.Acquire(platform::ExecutableName(argv[0])) == platform::InstanceLock::Result::AlreadyHeld;

    // The desktop's scale is read before the display is opened (Xft.dpi through a short connection of its own).
    const platform::ScaleChoice desktopScale = platform::DesktopScale();
    if (verbose) std::fprintf(stderr, "zorvex2000: %s\n", desktopScale.reason.c_str());

    // Start-up benchmarks watch every frame until the window has settled.
    platform::TracePresentedFrames(std::getenv("ZV_BENCH_FRAMES") != nullptr);
    try {
        // Xlib would read its compose table as SDL opens the display: the game has no use for it.
        const std::optional<std::string> composeFile = platform::LeaveOutComposeTable();
        platform::WindowHost host;
        platform::RestoreComposeFile(composeFile);
        if (std::string why; !platform::DisplayOpened(SDL_GetCurrentVideoDriver(), why)) {
            std::fprintf(stderr, "zorvex2000: %s\n", why.c_str());
            return 1;
        }
        platform::HostMessageBoxes boxes(host);
        platform::SdlSound sound(platform::DataDirs());
        platform::SystemClock clock;
        platform::SystemAccount account;
        platform::SystemFileDialog dialog;
        app::SystemDesktop desktop(host, &boxes, desktopScale.scale);
        desktop.verbose = verbose;

        app::Services services;
        services.messages = &boxes;
        services.sound = &sound;
        services.clock = &clock;
        services.fileDialog = &dialog;
        services.account = &account;
        services.desktop = &desktop;
        services.dataDir = platform::UserDataDir();
        services.settingsPath = services.dataDir + "/config.cfg";
        // Motion on the board unless the environment turns it off.
        const char* animation = std::getenv("ZORVEX_ANIMATION");
        services.animation = !(animation && std::strcmp(animation, "0") == 0);

        // The program drives the loop's frames and hears its errors.
        app::Program program(services);
        program.Start(secondCopy);
        // On Wayland the output's scale is known only once the window is on it; Xft.dpi does not tell it.
        if (verbose && platform::OnWayland())
            if (const platform::HostWindow* main = desktop.WindowOf(program.Main().Window()))
                std::fprintf(stderr, "zorvex2000: scale %d from the Wayland output\n", main->PixelRatio());
        // The first frame is on the screen: the pages of the program's artwork and of the font files it read go
        // back to the system's file cache. Again once the windows made after it have decoded their pictures.
        const auto release = [] {
            app::ReleaseResourcePages();
            ui::ReleaseFontPages();
        };
        release();
        host.Later(release);

        // Start-up benchmarks measure exec to the first presented frame: they ask us to stop right there.
        if (std::getenv("ZV_BENCH_FIRST_FRAME")) host.RequestQuit();
        host.Run();

        program.Exit();
        if (verbose)
            if (const platform::HostWindow* main = desktop.WindowOf(program.Main().Window()))
                std::fprintf(stderr, "zorvex2000: %ld frames of the main window presented\n", main->Presented());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zorvex2000: %s\n", e.what());
        // The player started us from a menu and sees no terminal: a box too, if the screen lets us.
        try {
            platform::WindowHost host;
            if (host.HasDisplay()) platform::HostMessageBoxes(host).ShowError(platform::kAppTitle, e.what());
        } catch (const std::exception&) {
        }
        return 1;
    }
    SDL_Quit();
    return 0;
}
