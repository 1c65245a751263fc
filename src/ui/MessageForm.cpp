// The message box's layout and keys.
#include "ui/MessageForm.h"

#include <algorithm>

#include "ui/Draw.h"
#include "ui/Fonts.h"

namespace zv::ui {

namespace {

constexpr int kPad = 16;
constexpr int kStripHeight = 24;
constexpr int kButtonWidth = 88, kButtonHeight = 26;
constexpr int kMinWidth = 280;
constexpr SDL_Color kBody{207, 220, 222, 255};
constexpr SDL_Color kInfoStrip{24, 28, 74, 255};
constexpr SDL_Color kErrorStrip{120, 20, 28, 255};
const FontRequest kTextFont{"Arial", false, 15, false};
const FontRequest kTitleFont{"Arial", true, 15, false};

int TextWidth(const FontFace* face, const std::string& s) {
    if (!face || s.empty()) return 0;
    SurfacePtr mask = face->RenderMask(s);
    return mask ? mask->w : 0;
}

// The title strip, by which the box is moved.
class Strip : public Container {
public:
    using Container::Container;
    bool StopsWindowDrag() const override { return false; }
};

// The raised frame round the whole box: it has no border of the system's.
class Frame : public Control {
public:
    using Control::Control;
    bool StopsWindowDrag() const override { return false; }
    bool Contains(int, int) const override { return false; }
    void Paint(SDL_Surface* target, int x, int y, Scale scale) override {
        const SDL_Rect px = PixelBounds(scale);
        Bevel(target, x, y, px.w, px.h, true, 2 * scale.Line());
    }
};

} // namespace

std::string WrapText(const std::string& text, const FontRequest& font, int maxWidth) {
    const FontFace* face = Fonts().Get(font);
    std::string out;
    std::string::size_type start = 0;
    for (;;) {
        const auto nl = text.find('\n', start);
        const std::string para = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
        std::string line;
        std::string::size_type at = 0;
        while (at <= para.size()) {
            auto sp = para.find(' ', at);
            if (sp == std::string::npos) sp = para.size();
            const std::string word = para.substr(at, sp - at);
            const std::string longer = line.empty() ? word : line + " " + word;
            if (!line.empty() && TextWidth(face, longer) > maxWidth) {
                out += line + "\n";
                line = word;
            } else {
                line = longer;
            }
            at = sp + 1;
        }
        out += line;
        if (nl == std::string::npos) break;
        out += "\n";
        start = nl + 1;
    }
    return out;
}

MessageForm::MessageForm(const std::string& titleText, const std::string& text, Kind kind) : Form("MessageForm", kMinWidth, 120) {
    SetCaption(titleText);
    SetColour(kBody);
    auto& strip = AddAt<Strip>("strip", 0, 0, kMinWidth, kStripHeight);
    strip.SetColour(kind == Kind::Error ? kErrorStrip : kInfoStrip);
    title = &strip.AddAt<Label>("title", 10, 3, kMinWidth - 20, kStripHeight - 4);
    title->SetFont(kTitleFont);
    title->SetColour({255, 255, 255, 255});
    title->SetCaption(titleText);

    message = &AddAt<Label>("message", kPad, kStripHeight + kPad, 10, 10);
    message->SetFont(kTextFont);
    message->SetAutoSize(true);
    message->SetCaption(WrapText(text, kTextFont, kMaxTextWidth));
    SDL_Surface* rendered = message->Rendered();
    const int textW = rendered ? rendered->w : 0, textH = rendered ? rendered->h : 0;
    message->SetHeight(std::max(textH, 1));

    const int w = std::max(kMinWidth, textW + 2 * kPad);
    const int h = kStripHeight + kPad + textH + kPad + kButtonHeight + kPad * 3 / 4;
    SetClientSize(w, h);
    strip.SetWidth(w);
    title->SetWidth(w - 20);
    // Text of a single short line sits in the middle, as the button below it.
    if (textW + 2 * kPad < w) message->SetLeft((w - textW) / 2);

    ok = &AddAt<PushButton>("ok", (w - kButtonWidth) / 2, h - kPad * 3 / 4 - kButtonHeight, kButtonWidth, kButtonHeight);
    ok->SetCaption("OK");
    ok->OnClick = [this] { Close(); };
    AddAt<Frame>("frame", 0, 0, w, h);
    OnKeyDown = [this](SDL_Keycode key, Uint16) {
        if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE) Close();
    };
}

void MessageForm::Close() {
    if (closed_) return;
    closed_ = true;
    if (OnClose) OnClose();
}

} // namespace zv::ui
