// Time from a click on a board cell to the presented frame: the real main window, window host and event dispatch.
// Usage: zv-click [--clicks N] [--record N] [--seed S] [--finish N] [--scale S]
//   Runs on whatever SDL video driver the environment names (x11 under Xvfb, or dummy).
//   --scale draws the windows at a scale from 1 to 4 in steps of 0.25 as the game does for the desktop's scale
//   (the main window is then S x 632 x 492); the screen must be large enough to take it.
//   --record seeds every record file first: a value out of reach keeps record writes out of the
//   figures, 0 makes every move rewrite the record file as play past a record does.
//   Only moves the game accepts are clicked; "moves refused" counts any that it did not, and stays 0 (the run
//   stops early when it reaches N).
//   --finish ends every game with the finish button after N moves, so that many games end and enter the
//   best games. The clicks that end a game are timed on their own, and so is the best-games write that
//   follows their frame.
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Account.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Paths.h"
#include "store/Records.h"
#include "platform/Sound.h"
#include "app/Layout.h"
#include "app/Program.h"
#include "app/SystemDesktop.h"
#include "platform/WindowHost.h"
#include "ui/Control.h"
#include "app/Headless.h"

namespace {

using namespace zv;
using Clock = std::chrono::steady_clock;

// Centre of a cell in form pixels, where the controls and the hit test live.
SDL_Point CellCentre(int n) { return app::CellCentreInWindow(n); }

ui::Scale scale = 1; // the window's pixels per form pixel

// A press or release at a point of the form, pushed as SDL reports it: in the window's pixels.
void PushButton(Uint32 window, Uint32 type, SDL_Point p) {
    SDL_Event e{};
    e.type = type;
    e.button.windowID = window;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = scale.Px(p.x);
    e.button.y = scale.Px(p.y);
    SDL_PushEvent(&e);
}

// A key pressed and released, then one pass of the host loop.
double TimedKey(platform::WindowHost& host, Uint32 window, SDL_Keycode key) {
    const auto t0 = Clock::now();
    for (Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event e{};
        e.type = type;
        e.key.windowID = window;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
    host.Pump();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

std::vector<double> laterWork; // the work done after a frame, when there was any

// Press and release queued, then one pass of the host loop: dispatch, paint, present. The work the
// click left for after its frame is then done, as the host's loop does, and timed on its own.
double TimedClick(platform::WindowHost& host, Uint32 window, SDL_Point p, const app::BestGamesBook* book = nullptr) {
    const auto t0 = Clock::now();
    PushButton(window, SDL_MOUSEBUTTONDOWN, p);
    PushButton(window, SDL_MOUSEBUTTONUP, p);
    host.Pump();
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    const bool pending = book && book->WritePending();
    const auto t1 = Clock::now();
    host.RunLater();
    if (pending) laterWork.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t1).count());
    return ms;
}

// True when a click at the centre of cell n reaches the cell's own button, and so the rules. A control
// lying over it takes the click instead: the overlay of a blocked cell, or the record label, which sizes
// itself to its text and reaches over the left cells of row 2 once the record has five digits or more.
bool ClickReachesCell(app::TForm1& form, int n) {
    const SDL_Point p = CellCentre(n);
    return form.Window().HitAt(p.x, p.y) == form.im[static_cast<std::size_t>(n - 1)];
}

// An empty cell the ball at from can reach and a click can reach, or 0.
int ReachableEmpty(const GameState& s, app::TForm1& form, int from, std::mt19937& rng) {
    std::vector<char> seen(kCells + 1, 0);
    std::vector<int> queue{from}, found;
    seen[static_cast<std::size_t>(from)] = 1;
    for (std::size_t q = 0; q < queue.size(); ++q) {
        const CellPos c = CellOf(queue[q]);
        const CellPos next[4] = {{c.row - 1, c.col}, {c.row + 1, c.col}, {c.row, c.col - 1}, {c.row, c.col + 1}};
        for (const CellPos& n : next) {
            if (n.row < 1 || n.row > kRows || n.col < 1 || n.col > kCols) continue;
            const int i = CellIndex(n.row, n.col);
            if (seen[static_cast<std::size_t>(i)] || s.Board.at(n.row, n.col) != 0) continue;
            seen[static_cast<std::size_t>(i)] = 1;
            queue.push_back(i);
            if (ClickReachesCell(form, i)) found.push_back(i);
        }
    }
    if (found.empty()) return 0;
    return found[std::uniform_int_distribution<std::size_t>(0, found.size() - 1)(rng)];
}

void Report(const char* what, std::vector<double> v) {
    if (v.empty()) return;
    std::sort(v.begin(), v.end());
    auto at = [&](double q) { return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))]; };
    std::printf("%-22s %6zu clicks  median %.3f ms  p90 %.3f ms  p99 %.3f ms  max %.3f ms\n", what, v.size(), at(0.5),
                at(0.9), at(0.99), v.back());
}

} // namespace

int main(int argc, char** argv) {
    int clicks = 1000;
    long record = 1000000000;
    unsigned seed = 1;
    int finishAfter = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--clicks")) clicks = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--record")) record = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--finish")) finishAfter = std::atoi(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed")) seed = static_cast<unsigned>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (!std::strcmp(argv[i], "--scale")) {
            const double f = std::atof(argv[i + 1]);
            if (f < 1 || f > ui::Form::kMaxScale || f * 4 != std::floor(f * 4)) {
                std::fprintf(stderr, "zv-click: --scale takes 1 to %d in steps of 0.25\n", ui::Form::kMaxScale);
                return 2;
            }
            scale = ui::Scale::FromQuarters(static_cast<int>(f * 4));
        }
    }
    const std::string dir = app::MakeScratchDir("click");
    std::filesystem::create_directories(dir + "/data");
    for (int m = 0; m < kModeCount; ++m)
        std::ofstream(store::RecordFilePath(dir + "/data", static_cast<Mode>(m))) << record << "\r\n";

    int status = 0;
    try {
        platform::WindowHost host;
        host.SetScale(scale);
        // The stand-ins, but for what a click really goes through: the speaker, the clock and the chooser.
        // A message box would wait for a person: the headless one keeps them instead.
        app::Headless headless(dir);
        platform::SdlSound sound(platform::DataDirs());
        platform::SystemClock clock;
        platform::SystemFileDialog dialog;
        platform::SystemAccount account;
        // The scale reaches the windows as the desktop's does in the game, no more than the screen holds. The
        // dummy driver's screen is nobody's, so there any scale goes.
        app::SystemDesktop desktop(host, nullptr, scale, host.HasDisplay() ? 0 : ui::Form::kMaxScale);
        app::Services& services = headless.services;
        services.account = &account;
        services.sound = &sound;
        services.clock = &clock;
        services.fileDialog = &dialog;
        services.desktop = &desktop;
        const auto& boxes = headless.messages;

        app::Program program(services);
        program.Start();
        app::TForm1& form1 = program.Main();
        platform::HostWindow& window = *desktop.WindowOf(form1.Window());
        host.Pump();
        int width = 0, height = 0;
        SDL_GetWindowSize(window.Sdl(), &width, &height);
        if (window.ContentScale() != scale)
            throw std::runtime_error("the screen takes the main window at scale " + window.ContentScale().Text() + ", not " +
                                     scale.Text());

        const SDL_Rect g = form1.Gstart->ScreenBounds();
        const SDL_Point gstart{g.x + g.w / 2, g.y + g.h / 2};
        const SDL_Rect f = form1.finish->ScreenBounds();
        const SDL_Point finish{f.x + f.w / 2, f.y + f.h / 2};
        const app::BestGamesBook* book = &program.Book();
        std::mt19937 rng(seed);
        std::vector<double> select, move, over, finished;
        int games = 0, refused = 0, movesThisGame = 0;
        const GameState& s = form1.Engine().State();
        // A click on the new-game button that deals no balls went astray, and every click after it would too.
        auto newGame = [&] {
            const auto dealt = form1.Engine().Totals().ballsDealt;
            TimedClick(host, window.Id(), gstart, book);
            if (form1.Engine().Totals().ballsDealt == dealt) throw std::runtime_error("the click on the new-game button started no game");
            ++games;
        };
        newGame();
        // Clicks that miss their cells make no moves: the run ends once as many were refused as were asked for.
        while (static_cast<int>(move.size()) < clicks && refused < clicks) {
            if (s.PlayState >= kPlayOver || (finishAfter > 0 && movesThisGame >= finishAfter)) {
                if (s.PlayState < kPlayOver) finished.push_back(TimedClick(host, window.Id(), finish, book));
                newGame();
                movesThisGame = 0;
                continue;
            }
            std::vector<int> balls;
            for (int i = 1; i <= kCells; ++i)
                if (s.Board.cells[static_cast<std::size_t>(i - 1)] != 0 && ClickReachesCell(form1, i)) balls.push_back(i);
            std::shuffle(balls.begin(), balls.end(), rng);
            int from = 0, to = 0;
            for (int b : balls)
                if ((to = ReachableEmpty(s, form1, b, rng)) != 0) {
                    from = b;
                    break;
                }
            if (!from) { // nothing can move: start again
                newGame();
                continue;
            }
            select.push_back(TimedClick(host, window.Id(), CellCentre(from)));
            const auto turns = form1.Engine().Totals().turns;
            const double ms = TimedClick(host, window.Id(), CellCentre(to), book);
            (s.PlayState >= kPlayOver ? over : move).push_back(ms);
            refused += form1.Engine().Totals().turns == turns;
            ++movesThisGame;
        }
        std::printf("video driver %s, main window %d x %d at scale %s, %d games, record files at %ld, %d moves refused\n",
                    SDL_GetCurrentVideoDriver(), width, height, scale.Text().c_str(), games, record, refused);
        Report("click selecting a ball", select);
        Report("click making a move", move);
        Report("move ending the game", over);
        Report("click on finish", finished);
        Report("best-games write after", laterWork);
        // The keyboard: the frame moved around the board, and Escape ending a selection made by key.
        std::vector<double> arrows, escapes;
        const SDL_Keycode ways[4] = {SDLK_RIGHT, SDLK_DOWN, SDLK_LEFT, SDLK_UP};
        for (int i = 0; i < clicks; ++i) arrows.push_back(TimedKey(host, window.Id(), ways[(i / 7) % 4]));
        for (int i = 0; i < clicks / 10; ++i) {
            TimedKey(host, window.Id(), SDLK_SPACE);
            escapes.push_back(TimedKey(host, window.Id(), SDLK_ESCAPE));
        }
        Report("key moving the frame", arrows);
        Report("key ending a selection", escapes);
        if (!boxes.shown.empty()) std::printf("messages shown: %zu (first: %s)\n", boxes.shown.size(), boxes.shown[0].c_str());
        program.Exit();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zv-click: %s\n", e.what());
        status = 1;
    }
    std::filesystem::remove_all(dir);
    SDL_Quit();
    return status;
}
