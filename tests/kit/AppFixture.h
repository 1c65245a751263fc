// A main window and options window built headless with fake services, in a scratch directory.
#pragma once

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "kit/HeadlessServices.h"
#include "kit/StateAccess.h"
#include "app/Program.h"
#include "store/Settings.h"

namespace zv::test {

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// The stand-ins over a new scratch directory.
struct ScratchServices : kit::HeadlessServices {
    ScratchServices() : HeadlessServices(kit::MakeScratchDir("app")) {}
};

class AppTest : public ::testing::Test, protected ScratchServices {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override {
        form1 = nullptr;
        form2 = nullptr;
        program.reset();
        std::filesystem::remove_all(dir);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // Builds and starts the program as main does, with the stand-ins (again, when it was started before).
    void Start() {
        program.reset();
        program = std::make_unique<app::Program>(services);
        form1 = &program->Main();
        form2 = &program->Options();
        program->Start();
        RunLater(); // as the host does once the first frame is presented
    }

    GameState& S() { return kit::StateAccess::Of(form1->Engine()); }
    // The settings as their codes stand in the file.
    store::SettingsCodes Codes() { return store::CodesOf(S().Switches); }
    std::string DataFile(const std::string& name) { return services.dataDir + "/" + name; }

    // Centre of cell N in window coordinates.
    static SDL_Point CellCentre(int n) {
        return app::CellCentreInWindow(n);
    }
    void ClickCell(int n) {
        const SDL_Point p = CellCentre(n);
        form1->Window().ClickAt(p.x, p.y);
    }
    static void ClickCentre(ui::Form& f, const ui::Control& c) {
        const SDL_Rect r = c.ScreenBounds();
        f.ClickAt(r.x + r.w / 2, r.y + r.h / 2);
    }

    static Uint32 Pixel(SDL_Surface* s, int x, int y) {
        return *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4) & 0xFFFFFF;
    }

    std::unique_ptr<app::Program> program;
    app::TForm1* form1 = nullptr;
    app::TForm2* form2 = nullptr;
};

} // namespace zv::test
