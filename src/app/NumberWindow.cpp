// The game-number window: its controls from the layout table, the typed digits and the two buttons.
#include "app/NumberWindow.h"

#include "platform/Language.h"
#include "view/Palette.h"

namespace zv::app {

namespace {

constexpr SDL_Color kStripColour = view::kDeepBlue;
constexpr SDL_Color kButtonColour{206, 218, 222, 255};
constexpr SDL_Color kTextColour = view::kBodyText;
constexpr std::size_t kMostDigits = 10; // 4294967295

const ui::FontRequest kCaptionFont{"Arial", true, 16, false};
const ui::FontRequest kTextFont{"Arial", false, 13, false};
const ui::FontRequest kFieldFont{"Arial", true, 16, false};

} // namespace

std::optional<std::uint32_t> GameNumberOf(const std::string& digits) {
    if (digits.empty() || digits.size() > kMostDigits) return std::nullopt;
    std::uint64_t v = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (v > UINT32_MAX) return std::nullopt;
    return static_cast<std::uint32_t>(v);
}

TFormNumber::TFormNumber(Windows& windows) : windows_(windows) {
    form_.SetCaption(platform::Tr("Игра по номеру"));
    form_.SetColour(view::kWindowFace);
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) { FormKeyDown(key, mod); };
    controls_ = BuildControls(form_, NumberWindowLayout());
    const BuiltControls& c = controls_;
    c.Get<ui::Label>("NumberStrip")->SetFill(kStripColour);
    auto text = [&](const char* name, const char* caption, ui::FontRequest font, SDL_Color colour) {
        auto* l = c.Get<ui::Label>(name);
        l->SetFont(font);
        l->SetShrinkToFit(true);
        l->SetColour(colour);
        l->SetCaption(caption);
        return l;
    };
    text("NumberCaption", platform::Tr("Игра по номеру"), kCaptionFont, view::kWhite);
    text("NumberPrompt", platform::Tr("Номер игры, от 0 до 4294967295:"), kTextFont, kTextColour);
    Field = text("NumberField", "", kFieldFont, kTextColour);
    Field->SetFill(view::kWhite);
    Running = text("NumberRunning", "", kTextFont, kTextColour);
    Play = text("NumberPlay", platform::Tr("Играть"), kTextFont, kTextColour);
    Cancel = text("NumberCancel", platform::Tr("Отмена"), kTextFont, kTextColour);
    for (ui::Label* b : {Play, Cancel}) {
        b->SetFill(kButtonColour);
        b->SetAlign(ui::Label::Align::Centre);
    }
    Play->OnClick = [this] { PlayClick(); };
    Cancel->OnClick = [this] { CancelClick(); };
}

void TFormNumber::Open(std::optional<std::uint32_t> running) {
    typed_.clear();
    ShowTyped();
    Running->SetCaption(running ? std::string(platform::Tr("Эта игра:")) + " " + std::to_string(*running) : std::string());
}

void TFormNumber::ShowTyped() { Field->SetCaption(" " + typed_ + "_"); }

void TFormNumber::PlayClick() {
    const std::optional<std::uint32_t> number = GameNumberOf(typed_);
    if (!number) {
        // Nothing dealt: the field says why and keeps what was typed.
        Running->SetCaption(platform::Tr("Номер от 0 до 4294967295, пожалуйста"));
        return;
    }
    windows_.Hide(WindowId::Number);
    windows_.DealNumberedGame(*number);
}

void TFormNumber::CancelClick() { windows_.Hide(WindowId::Number); }

void TFormNumber::FormKeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return;
    char digit = 0;
    if (key >= SDLK_0 && key <= SDLK_9) digit = static_cast<char>('0' + (key - SDLK_0));
    else if (key >= SDLK_KP_1 && key <= SDLK_KP_9) digit = static_cast<char>('1' + (key - SDLK_KP_1));
    else if (key == SDLK_KP_0) digit = '0';
    if (digit) {
        if (typed_.size() < kMostDigits) typed_ += digit;
        ShowTyped();
        return;
    }
    switch (key) {
    case SDLK_BACKSPACE:
        if (!typed_.empty()) typed_.pop_back();
        ShowTyped();
        break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: PlayClick(); break;
    case SDLK_ESCAPE: CancelClick(); break;
    default: break;
    }
}

} // namespace zv::app
