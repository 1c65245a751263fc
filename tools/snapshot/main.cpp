// Renders the main window (or the options or rules window) headless to a BMP file: for the README and for looking at changes.
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Program.h"
#include "app/Headless.h"
#include "platform/Language.h"

using namespace zv;

namespace {
void Usage() {
    std::fprintf(stderr,
                 "usage: zv-snapshot OUT.bmp [--skin N] [--play SEED MOVES] [--options | --rules | --best [--stats]] [--over] [--hint] [--scale S] (S in steps of 0.25 from 1 to 4)\n"
                 "  Renders the window as a player would see it, without a display, in the language of the locale.\n");
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        Usage();
        return 2;
    }
    std::string out = argv[1];
    int skin = 0, moves = 0;
    ui::Scale scale = 1;
    unsigned seed = 0;
    bool options = false, rules = false, over = false, play = false, best = false, hint = false, stats = false;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--skin" && i + 1 < argc) skin = std::atoi(argv[++i]);
        else if (a == "--play" && i + 2 < argc) {
            play = true;
            seed = static_cast<unsigned>(std::strtoul(argv[++i], nullptr, 10));
            moves = std::atoi(argv[++i]);
        } else if (a == "--options") options = true;
        else if (a == "--rules") rules = true;
        else if (a == "--over") over = true;
        else if (a == "--best") best = true;
        else if (a == "--hint") hint = true;
        else if (a == "--stats") stats = true;
        else if (a == "--scale" && i + 1 < argc) scale = ui::Scale::FromQuarters(static_cast<int>(std::lround(4 * std::atof(argv[++i]))));
        else {
            Usage();
            return 2;
        }
    }
    // In the language of the environment, as the game would be (LANG=en_US.UTF-8 for English).
    platform::UseEnvironmentLanguage();
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "zv-snapshot: %s\n", SDL_GetError());
        return 1;
    }
    app::Headless headless(app::MakeScratchDir("snapshot"));
    headless.clock.now = {12, 0, 0, static_cast<int>(seed % 1000)};
    app::Services& services = headless.services;
    SetClock& clock = headless.clock;
    app::Program program(services);
    program.Start();
    app::TForm1& form1 = program.Main();
    if (skin >= 1 && skin <= 5) view::ApplyBuiltInSkin(form1.Skin(), skin);
    Game& g = form1.Engine();
    if (play) {
        clock.now = {static_cast<int>(seed / 3600000 % 24), static_cast<int>(seed / 60000 % 60), static_cast<int>(seed / 1000 % 60),
                     static_cast<int>(seed % 1000)};
        g.GstartClick();
        Random pick(seed);
        // Random legal-looking clicks: select a ball, then an empty cell.
        for (int m = 0; m < moves && g.State().PlayState != kPlayOver; ++m) {
            for (int tries = 0; tries < 200; ++tries) {
                int n = pick(100) + 1;
                if (g.State().Board.cells[static_cast<std::size_t>(n - 1)] != 0) {
                    g.ImClick(n);
                    break;
                }
            }
            for (int tries = 0; tries < 200; ++tries) {
                int n = pick(100) + 1;
                if (g.State().Board.cells[static_cast<std::size_t>(n - 1)] == 0) {
                    g.ImClick(n);
                    break;
                }
            }
        }
        // Leave one ball selected so the highlight shows.
        for (int n = 1; n <= 100; ++n)
            if (g.State().Board.cells[static_cast<std::size_t>(n - 1)] != 0) {
                g.ImClick(n);
                break;
            }
    }
    if (over) {
        Position full;
        full.board.cells.fill(1);
        g.SetPosition(full);
    }
    // A hint taken through its area in the title strip: its marks on the board, the price off the score.
    if (hint) form1.hintArea->Activate();
    app::TBestGames& bestGames = program.BestGames();
    if (best) {
        // Twelve finished games of lines over a few days, the last one marked where it entered.
        headless.account.name = "Анна Кузнецова";
        const int scores[12] = {120, 45, 310, 88, 45, 230, 17, 502, 64, 99, 140, 275};
        for (int i = 0; i < 12; ++i) {
            headless.clock.date = {2026, 5, 3 + i, 9 + i, 5 * i, 0};
            program.Book().GameFinished({GameEnd::Finished, Mode::Line, scores[i], scores[i] / 3 + 7, i % 4 == 0, i % 5 == 1 ? 2 : 0,
                                              static_cast<std::uint32_t>(20260503 + i * 48611)});
        }
        bestGames.ShowMode(Mode::Line);
        bestGames.ShowStatistics(stats);
    }
    SDL_Surface* canvas = nullptr;
    app::TForm2& form2 = program.Options();
    app::TFormRules& formRules = program.RulesWindow();
    for (ui::Form* f : {&form1.Window(), &form2.Window(), &formRules.Window(), &bestGames.Window()}) f->SetScale(scale);
    if (best) {
        bestGames.Window().Render();
        canvas = bestGames.Window().Canvas();
    } else if (rules) {
        formRules.Open(form1.BallList());
        formRules.Window().Render();
        canvas = formRules.Window().Canvas();
    } else if (options) {
        form2.Window().Render();
        canvas = form2.Window().Canvas();
    } else {
        form1.Window().Render();
        canvas = form1.Window().Canvas();
    }
    for (const std::string& m : headless.messages.shown) std::fprintf(stderr, "message: %s\n", m.c_str());
    if (SDL_SaveBMP(canvas, out.c_str()) != 0) {
        std::fprintf(stderr, "zv-snapshot: %s\n", SDL_GetError());
        return 1;
    }
    return 0;
}
