// A message box: a borderless window over the main one, a nested loop until it is closed.
#include "platform/HostMessageBoxes.h"

#include <cstdio>

#include "platform/WindowHost.h"
#include "ui/MessageForm.h"

namespace zv::platform {

void HostMessageBoxes::ShowError(const std::string& title, const std::string& text) { Show(true, title, text); }

void HostMessageBoxes::ShowInfo(const std::string& title, const std::string& text) { Show(false, title, text); }

void HostMessageBoxes::Show(bool error, const std::string& title, const std::string& text) {
    // After the loop has ended (errors at exit) a box would close before anyone saw it.
    if (!host_.HasDisplay() || host_.Quitting()) {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
        return;
    }
    ui::MessageForm box(title, text, error ? ui::MessageForm::Kind::Error : ui::MessageForm::Kind::Information);
    bool open = true;
    box.OnClose = [&open] { open = false; };
    const bool overParent = parent_ && parent_->Shown();
    // With nothing of ours on the screen the box must not get lost under other programs' windows.
    HostWindow& window = host_.Create(box, title, {true, !overParent, true, overParent});
    if (overParent) {
        int px, py, pw, ph, bw, bh;
        SDL_GetWindowPosition(parent_->Sdl(), &px, &py);
        SDL_GetWindowSize(parent_->Sdl(), &pw, &ph);
        SDL_GetWindowSize(window.Sdl(), &bw, &bh);
        window.SetOwner(*parent_);
        window.Place(px + (pw - bw) / 2, py + (ph - bh) / 2);
    }
    window.Show();
    SDL_RaiseWindow(window.Sdl());
    host_.RunModal(window, [&open] { return open; });
    host_.Destroy(window);
}

} // namespace zv::platform
