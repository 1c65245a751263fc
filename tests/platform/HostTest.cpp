// The window host without a display, through its own interface: windows at a scale and in full screen, the mouse
// mapped back, the modal loop, moving windows by hand and the game's message box.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>

#include "platform/HostMessageBoxes.h"
#include "platform/WindowDrag.h"
#include "platform/WindowHost.h"
#include "ui/MessageForm.h"
#include "ui/PictureControl.h"

using namespace zv::platform;
using zv::ui::MessageForm;

TEST(WindowDrag, AClickThatWobblesMovesNothingAndARealDragFollowsUntilRelease) {
    WindowDrag d;
    EXPECT_FALSE(d.Follow({500, 500}).has_value()); // no press, no move
    d.Press({100, 100}, {40, 60});
    EXPECT_FALSE(d.Follow({102, 97}).has_value());
    EXPECT_FALSE(d.Moving());
    d.Release();
    EXPECT_FALSE(d.Follow({300, 300}).has_value()); // after the release the window stays put
    EXPECT_FALSE(d.Armed());

    d.Press({100, 100}, {40, 60});
    EXPECT_EQ(d.Follow({100 + WindowDrag::kThreshold, 100}), (ScreenPoint{44, 60}));
    // Once moving, it follows every pixel, back to the start too.
    EXPECT_EQ(d.Follow({101, 99}), (ScreenPoint{41, 59}));
    EXPECT_EQ(d.Follow({100, 100 - WindowDrag::kThreshold - 10}), (ScreenPoint{40, 46}));
    d.Release();
    EXPECT_FALSE(d.Follow({0, 0}).has_value());
}

class HostTest : public ::testing::Test {
protected:
    // Events as SDL would queue them for a window.
    static void Push(Uint32 type, Uint32 window, int x = 0, int y = 0) {
        SDL_Event e{};
        e.type = type;
        if (type == SDL_MOUSEBUTTONDOWN || type == SDL_MOUSEBUTTONUP) {
            e.button.windowID = window;
            e.button.button = SDL_BUTTON_LEFT;
            e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
            e.button.x = x;
            e.button.y = y;
        }
        SDL_PushEvent(&e);
    }
    static void PushKey(SDL_Keycode key, Uint32 window) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.windowID = window;
        e.key.keysym.sym = key;
        SDL_PushEvent(&e);
    }
    static void PushWindowEvent(Uint8 what, Uint32 window) {
        SDL_Event e{};
        e.type = SDL_WINDOWEVENT;
        e.window.event = what;
        e.window.windowID = window;
        SDL_PushEvent(&e);
    }
    static void Click(const HostWindow& w, int x, int y) {
        Push(SDL_MOUSEBUTTONDOWN, w.Id(), x, y);
        Push(SDL_MOUSEBUTTONUP, w.Id(), x, y);
    }
    static void ClickCentre(const HostWindow& w, const zv::ui::Control& c) {
        const SDL_Rect r = c.ScreenBounds();
        Click(w, r.x + r.w / 2, r.y + r.h / 2);
    }
};

TEST_F(HostTest, WhileABoxIsUpOnlyTheBoxTakesInputAndEveryWindowRepaints) {
    WindowHost host;
    zv::ui::Form main("main", 200, 100);
    int clicks = 0;
    auto& button = main.AddAt<zv::ui::PictureControl>("button", 10, 10, 50, 50);
    button.OnClick = [&] { ++clicks; };
    HostWindow& mainWindow = host.Create(main, "main", {});
    mainWindow.Show();
    host.Pump();

    MessageForm box("Zorvex 2000", "Файл повреждён", MessageForm::Kind::Error);
    bool open = true;
    box.OnClose = [&] { open = false; };
    HostWindow& boxWindow = host.Create(box, "Zorvex 2000", {});
    boxWindow.SetOwner(mainWindow);
    boxWindow.Show();

    // Queued before the loop starts: a click on the main window, then an uncovering of it, then the
    // box's OK. Only the OK may act; the main window must be painted afresh.
    Click(mainWindow, 30, 30);
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED, mainWindow.Id());
    ClickCentre(boxWindow, *box.ok);
    SDL_Surface* surface = SDL_GetWindowSurface(mainWindow.Sdl());
    ASSERT_NE(surface, nullptr);
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255)); // what a covering window left
    main.SetColour({0, 0, 200, 255});
    main.Render(); // nothing is waiting to be painted but the uncovering
    host.RunModal(boxWindow, [&] { return open; });
    EXPECT_FALSE(open);
    EXPECT_EQ(clicks, 0);
    const Uint32 px = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + 90 * surface->pitch + 190 * 4);
    Uint8 r, g, b;
    SDL_GetRGB(px, surface->format, &r, &g, &b);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(b, 200);
    host.Destroy(boxWindow);

    // The box gone, the main window takes clicks again.
    Click(mainWindow, 30, 30);
    host.Pump();
    EXPECT_EQ(clicks, 1);
}

TEST_F(HostTest, AtAScaleTheWindowGrowsAndTheMouseIsMappedBackToTheForm) {
    WindowHost host;
    host.SetScale(2);
    zv::ui::Form main("main", 200, 100);
    main.SetColour({0, 0, 0, 255});
    int clicks = 0;
    auto& button = main.AddAt<zv::ui::PictureControl>("button", 150, 60, 20, 20);
    button.OnClick = [&] { ++clicks; };
    HostWindow& w = host.Create(main, "main", {});
    w.Show();
    host.Pump();
    int ww = 0, wh = 0;
    SDL_GetWindowSize(w.Sdl(), &ww, &wh);
    EXPECT_EQ(ww, 400);
    EXPECT_EQ(wh, 200);
    EXPECT_EQ(main.Scale(), 2);
    // Window pixel (310, 130) is form pixel (155, 65): on the button. (290, 110) is (145, 55): beside it.
    Click(w, 290, 110);
    host.Pump();
    EXPECT_EQ(clicks, 0);
    Click(w, 310, 130);
    host.Pump();
    EXPECT_EQ(clicks, 1);

    // Another scale: the window follows, the form is drawn afresh at it, and a window made now takes it.
    host.SetScale(3);
    host.Pump();
    SDL_GetWindowSize(w.Sdl(), &ww, &wh);
    EXPECT_EQ(ww, 600);
    EXPECT_EQ(wh, 300);
    EXPECT_EQ(main.Scale(), 3);
    Click(w, 3 * 160, 3 * 70);
    host.Pump();
    EXPECT_EQ(clicks, 2);
    zv::ui::Form other("other", 50, 40);
    HostWindow& o = host.Create(other, "other", {});
    SDL_GetWindowSize(o.Sdl(), &ww, &wh);
    EXPECT_EQ(ww, 150);
    EXPECT_EQ(wh, 120);
    // The same form drawn at 1x again: scale and window back to the logical size.
    host.SetScale(1);
    host.Pump();
    SDL_GetWindowSize(w.Sdl(), &ww, &wh);
    EXPECT_EQ(ww, 200);
    EXPECT_EQ(main.Scale(), 1);
    // At 1.5 the window is the form's size rounded, and the mouse maps back by the painting's rounding: the
    // button's place (150, 60)..(170, 80) is pixels 225..254 by 90..119, each edge pixel on it, the next beside.
    host.SetScale(zv::ui::Scale::FromQuarters(6));
    host.Pump();
    SDL_GetWindowSize(w.Sdl(), &ww, &wh);
    EXPECT_EQ(ww, 300);
    EXPECT_EQ(wh, 150);
    for (const SDL_Point p : {SDL_Point{224, 100}, SDL_Point{255, 100}, SDL_Point{240, 89}, SDL_Point{240, 120}}) Click(w, p.x, p.y);
    for (const SDL_Point p : {SDL_Point{225, 100}, SDL_Point{254, 100}, SDL_Point{240, 90}, SDL_Point{240, 119}}) Click(w, p.x, p.y);
    host.Pump();
    EXPECT_EQ(clicks, 6);
    host.SetScale(1);
    host.Pump();
    // The largest scale lets the window fit the screen's usable area (the dummy screen is 1024 x 768).
    EXPECT_EQ(host.LargestScale(632, 492), zv::ui::Scale::FromQuarters(6)); // 948 x 738
}

TEST_F(HostTest, FullScreenDrawsAtTheLargestWholeScaleThatFitsCentredOnBlack) {
    WindowHost host;
    zv::ui::Form main("main", 300, 200);
    main.SetColour({200, 0, 0, 255});
    int clicks = 0;
    auto& button = main.AddAt<zv::ui::PictureControl>("button", 0, 0, 10, 10);
    button.OnClick = [&] { ++clicks; };
    HostWindow& w = host.Create(main, "main", {});
    w.Show();
    host.Pump();
    ASSERT_EQ(SDL_SetWindowFullscreen(w.Sdl(), SDL_WINDOW_FULLSCREEN_DESKTOP), 0) << SDL_GetError();
    w.SurfaceChanged();
    host.Pump();
    int ww = 0, wh = 0;
    SDL_GetWindowSize(w.Sdl(), &ww, &wh);
    if (ww < 600 || wh < 400) GTEST_SKIP() << "the dummy screen is " << ww << " x " << wh;
    const int k = std::min({ww / 300, wh / 200, 4});
    EXPECT_EQ(w.ContentScale(), k);
    EXPECT_EQ(main.Scale(), k);
    EXPECT_EQ(w.WindowScale(), 1); // outside full screen it goes back to 1x
    const int ox = (ww - 300 * k) / 2, oy = (wh - 200 * k) / 2;
    SDL_Surface* surface = SDL_GetWindowSurface(w.Sdl());
    auto red = [&](int x, int y) {
        const Uint32 px = *reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4);
        Uint8 r, g, b;
        SDL_GetRGB(px, surface->format, &r, &g, &b);
        return r;
    };
    EXPECT_EQ(red(ox, oy), 200);
    EXPECT_EQ(red(ox + 300 * k - 1, oy + 200 * k - 1), 200);
    if (ox > 0) {
        EXPECT_EQ(red(ox - 1, oy), 0);
    }
    // A click on the button's last pixel at that scale reaches it.
    Click(w, ox + 10 * k - 1, oy + 10 * k - 1);
    host.Pump();
    EXPECT_EQ(clicks, 1);
    Click(w, ox + 10 * k, oy);
    host.Pump();
    EXPECT_EQ(clicks, 1);
    SDL_SetWindowFullscreen(w.Sdl(), 0);
    w.SurfaceChanged();
    host.Pump();
    EXPECT_EQ(main.Scale(), 1);
}

TEST_F(HostTest, ReturnEscapeAndTheWindowManagersCloseEndTheBoxFromAnyWindow) {
    WindowHost host;
    zv::ui::Form main("main", 200, 100);
    HostWindow& mainWindow = host.Create(main, "main", {});
    mainWindow.Show();
    for (int way = 0; way < 4; ++way) {
        MessageForm box("Zorvex 2000", "Zorvex 2000 уже загружены", MessageForm::Kind::Information);
        bool open = true;
        box.OnClose = [&] { open = false; };
        HostWindow& boxWindow = host.Create(box, "Zorvex 2000", {});
        boxWindow.Show();
        // The keyboard may still be with the main window: the box takes the keys all the same.
        if (way == 0) PushKey(SDLK_RETURN, mainWindow.Id());
        if (way == 1) PushKey(SDLK_KP_ENTER, boxWindow.Id());
        if (way == 2) PushKey(SDLK_ESCAPE, boxWindow.Id());
        if (way == 3) PushWindowEvent(SDL_WINDOWEVENT_CLOSE, boxWindow.Id());
        PushKey(SDLK_a, boxWindow.Id());
        host.RunModal(boxWindow, [&] { return open; });
        EXPECT_FALSE(open) << way;
        host.Destroy(boxWindow);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    // A quit request while a box is up ends the box's loop and, after it, the program's.
    MessageForm box("Zorvex 2000", "x", MessageForm::Kind::Information);
    HostWindow& boxWindow = host.Create(box, "Zorvex 2000", {});
    host.RequestQuit();
    host.RunModal(boxWindow, [] { return true; });
    EXPECT_FALSE(host.Pump());
}

TEST_F(HostTest, WithoutADisplayTheMessageGoesToStandardError) {
    WindowHost host;
    HostMessageBoxes boxes(host);
    ASSERT_FALSE(host.HasDisplay());
    ::testing::internal::CaptureStderr();
    boxes.ShowError("Zorvex 2000", "Файл не найден");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Zorvex 2000: Файл не найден\n");
}

TEST(MessageForm, LongTextIsWrappedAndTheBoxSizedToIt) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    {
        MessageForm small("Zorvex 2000", "OK?", MessageForm::Kind::Information);
        std::string longText;
        for (int i = 0; i < 40; ++i) longText += "слово ";
        longText += "/очень/длинный/путь/к/файлу/темы/которому/не/найти/пробела.zvt";
        MessageForm big("Zorvex 2000", longText, MessageForm::Kind::Error);
        EXPECT_GT(big.Height(), small.Height());
        EXPECT_GT(std::count(big.message->Caption().begin(), big.message->Caption().end(), '\n'), 2);
        // Wrapped lines keep their words whole and in order.
        std::string joined = big.message->Caption();
        std::replace(joined.begin(), joined.end(), '\n', ' ');
        EXPECT_EQ(joined, longText);
        // Everything lies inside the box, the OK button below the text.
        for (const MessageForm* f : {&small, &big}) {
            EXPECT_LE(f->message->Left() + f->message->Width(), f->Width());
            EXPECT_GE(f->ok->Top(), f->message->Top() + f->message->Height());
            EXPECT_LE(f->ok->Top() + f->ok->Height(), f->Height());
            EXPECT_EQ(f->title->Caption(), "Zorvex 2000");
        }
        // The box is moved by its strip, not by its button.
        EXPECT_TRUE(big.IsDragPoint(big.Width() / 2, 5));
        EXPECT_FALSE(big.IsDragPoint(big.ok->Left() + 5, big.ok->Top() + 5));
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
