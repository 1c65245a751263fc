// The window host: real SDL windows for our forms, presenting only what changed and sleeping while nothing happens.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zv::ui {
class Form;
}

namespace zv::platform {

struct WindowOptions {
    bool borderless = true;
    bool alwaysOnTop = false;
    bool hidden = false;
};

class HostWindow {
public:
    HostWindow(ui::Form& form, const std::string& title, WindowOptions options);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    SDL_Window* Sdl() const { return window_; }
    ui::Form& GetForm() const { return form_; }
    Uint32 Id() const { return id_; }
    bool Shown() const { return shown_; }
    // Shows the window; the first showing centres it on the desktop.
    void Show();
    void Hide();
    void Minimise();
    // Paints what the form invalidated and presents it.
    void Present();
    // Full screen changes the window size; content is then scaled by a whole factor and centred.
    void SurfaceChanged();
    // Window pixel to form pixel; false when the point lies outside the content.
    bool ToForm(int wx, int wy, int& fx, int& fy) const;

private:
    static SDL_HitTestResult HitTest(SDL_Window* win, const SDL_Point* area, void* data);
    void Layout();
    ui::Form& form_;
    SDL_Window* window_ = nullptr;
    Uint32 id_ = 0;
    bool shown_ = false;
    bool everShown_ = false;
    // Whole factors where the content fits; a uniform shrink where it does not (a 640 x 480 mode).
    double scale_ = 1.0;
    int offsetX_ = 0, offsetY_ = 0;
    SDL_Surface* scaled_ = nullptr;
    bool fullRedraw_ = true;
};

// Owns SDL's video subsystem and the event loop of all windows.
class WindowHost {
public:
    WindowHost();
    ~WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;

    HostWindow& Create(ui::Form& form, const std::string& title, WindowOptions options);
    // Runs until a quit request; blocks in SDL_WaitEvent while nothing happens.
    void Run();
    // Places a quit request in the event queue.
    void RequestQuit();
    // Minimises every window of the program.
    void MinimiseAll();
    // Processes everything queued without blocking (tests and start-up).
    bool Pump();
    void PresentAll();

    // Called for anything thrown out of an event handler; the loop goes on.
    std::function<void(const std::string& message)> OnError;

private:
    bool Dispatch(const SDL_Event& e);
    // Dispatches one event; anything thrown by a handler goes to OnError and the loop goes on.
    void Handle(const SDL_Event& e);
    HostWindow* ById(Uint32 id);
    std::vector<std::unique_ptr<HostWindow>> windows_;
    bool quit_ = false;
};

} // namespace zv::platform
