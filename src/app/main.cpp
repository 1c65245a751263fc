// Program entry: the single-instance guard, the three windows in their order, the event loop and shutdown.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "platform/Account.h"
#include "platform/Clock.h"
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
#include "app/BestGamesWindow.h"
#include "app/Layout.h"
#include "app/Resources.h"
#include "platform/Sound.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "app/Rules.h"
#include "platform/WindowHost.h"

using namespace zv;

int main(int argc, char** argv) {
    bool verbose = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--verbose") == 0) verbose = true;
    // Without a screen SDL would draw off screen: the game would run unseen and hold the single-instance
    // guard against the player's next start.
    if (std::string why; !platform::DisplayReachable(why)) {
        std::fprintf(stderr, "zorvex2000: %s\n", why.c_str());
        return 1;
    }
    // The player's language, before any text is made and before GTK may start.
    const std::string language = platform::UseEnvironmentLanguage();
    if (verbose) std::fprintf(stderr, "zorvex2000: %s\n", language.c_str());
    // The guard is taken before any window; its name is the file name we were started under.
    platform::InstanceLock lock;
    const bool secondCopy = lock.Acquire(platform::ExecutableName(argv[0])) == platform::InstanceLock::Result::AlreadyHeld;

    // The desktop's scale is read before the display is opened (Xft.dpi through a short connection of its
    // own): the artwork of the first frame at that scale is then decoded while SDL opens the display.
    const platform::ScaleChoice desktopScale = platform::DesktopScale();
    if (verbose) std::fprintf(stderr, "zorvex2000: %s\n", desktopScale.reason.c_str());
    if (!secondCopy) app::PrefetchFirstFrame(platform::UserDataDir(), desktopScale.scale);

    try {
        platform::WindowHost host;
        platform::HostMessageBoxes boxes(host);
        platform::SdlSound sound(platform::DataDirs());
        platform::SystemClock clock;
        platform::SystemCalendar calendar;
        platform::SystemAccount account;
        platform::SystemFileDialog dialog;
        std::unique_ptr<platform::FullScreen> fullScreen;

        app::Services services;
        services.messages = &boxes;
        services.sound = &sound;
        services.clock = &clock;
        services.fileDialog = &dialog;
        services.dataDir = platform::UserDataDir();
        services.settingsPath = services.dataDir + "/config.cfg";
        services.fullScreen = [&]() -> platform::FullScreenDisplay* { return fullScreen.get(); };
        services.minimise = [&] { host.MinimiseAll(); };
        services.requestQuit = [&] { host.RequestQuit(); };
        services.openUrl = [](const std::string& url) { platform::OpenUrl(url); };
        services.calendar = &calendar;
        services.account = &account;
        // The best-games file is written once the frame that ends a game is on the screen.
        services.later = [&](std::function<void()> task) { host.Later(std::move(task)); };
        services.desktopScale = [&] { return desktopScale.scale; };
        services.largestScale = [&] { return host.LargestScale(app::kMainDesignWidth, app::kMainDesignHeight); };
        services.setScale = [&](int scale) {
            host.SetScale(scale);
            if (verbose)
                std::fprintf(stderr, "zorvex2000: windows drawn at scale %d (the largest at which the main window fits the screen is %d)\n",
                             scale, host.LargestScale(app::kMainDesignWidth, app::kMainDesignHeight));
            if (fullScreen) fullScreen->SetWindowedSize(scale * app::kMainDesignWidth, scale * app::kMainDesignHeight);
        };

        app::TForm1 form1(services);
        platform::HostWindow& window1 = host.Create(form1.Window(), "Zorvex 2000", {});
        boxes.SetParent(&window1);
        fullScreen = std::make_unique<platform::FullScreen>(window1.Sdl());
        host.OnError = [&](const std::string& m) { form1.ReportError(m); };

        if (secondCopy) {
            boxes.ShowInfo(platform::kAppTitle, platform::Tr("Zorvex 2000 уже загружены"));
            host.RequestQuit();
        }
        form1.FormCreate();
        // A second copy ends on the first pass of its loop; its window need not flash up.
        if (!secondCopy) window1.Show();

        app::TForm2 form2(services, form1.Rules());
        // The options window is owned by the main window rather than kept above every window on the
        // desktop: it then stays above the game also in full screen, and comes back with it.
        platform::HostWindow& window2 = host.Create(form2.Window(), "Zorvex 2000", {true, false, true, true});
        window2.SetOwner(window1);
        services.showOptions = [&] { window2.Show(); };
        services.pressFullScreenSwitch = [&] { form2.LMD3DEffectButton2->Activate(); };
        services.hideOptions = [&] { window2.Hide(); };
        form2.FormCreate();

        // The best games lie above the game the way the options window does, owned by the main window.
        app::TBestGames bestGames(services, form1.Book());
        platform::HostWindow& window4 = host.Create(bestGames.Window(), "Zorvex 2000", {true, false, true, true});
        window4.SetOwner(window1);
        services.showBestGames = [&](Mode m) {
            bestGames.ShowMode(m);
            window4.Show();
        };
        services.hideBestGames = [&] { window4.Hide(); };
        form1.Book().onChange = [&] { bestGames.Refresh(); };

        // The rules window gets its controls and its own window when it is first asked for.
        app::TFormRules formRules(services, form1);
        platform::HostWindow* windowRules = nullptr;
        services.showRules = [&] {
            formRules.Open();
            if (!windowRules) {
                windowRules = &host.Create(formRules.Window(), "Zorvex 2000", {true, false, true, true});
                windowRules->SetOwner(window1);
            }
            windowRules->Show();
        };
        services.hideRules = [&] {
            if (windowRules) windowRules->Hide();
        };

        app::TForm3 form3;
        platform::HostWindow& window3 = host.Create(form3.Window(), "Zorvex 2000", {true, false, true});
        form3.hide = [&] { window3.Hide(); };
        app::ReleaseResourcePages();

        // Start-up benchmarks measure exec to the first presented frame: they ask us to stop right there.
        if (std::getenv("ZV_BENCH_FIRST_FRAME")) host.RequestQuit();
        host.Run();

        form1.FormDestroy();
        app::FinishPrefetch();
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
