// The lettering and places of the panel's and the buttons' words, as the skins were drawn with them.
#include "view/Lettering.h"

#include "game/Modes.h"

// Marks the words for the message catalogue; the game translates them where it shows them.
#define N_(text) text

namespace zv::view {

namespace {

Lettering Make(const char* family, double px, Ink top, Ink bottom) {
    Lettering l;
    l.family = family;
    l.px = px;
    l.top = top;
    l.bottom = bottom;
    return l;
}

SkinLettering MakeGlass() {
    SkinLettering k;
    k.heading = Make("DejaVu Sans Condensed", 17, {255, 255, 255}, {214, 236, 242});
    k.heading.shadow = {24, 52, 62};
    k.heading.shadowAlpha = 0.75;
    k.caption = Make("DejaVu Sans Condensed", 13, {255, 255, 255}, {226, 242, 246});
    k.caption.shadow = {24, 52, 62};
    k.caption.shadowAlpha = 0.7;
    return k;
}

SkinLettering MakeChips() {
    SkinLettering k;
    k.heading = Make("Roboto Condensed", 19, {160, 44, 44}, {104, 22, 26});
    k.heading.highlightAlpha = 0.9;
    k.caption = Make("Roboto Condensed", 15, {128, 40, 36}, {96, 26, 24});
    k.caption.highlightAlpha = 0.9;
    return k;
}

SkinLettering MakeMarbles() {
    SkinLettering k;
    k.heading = Make("Liberation Sans", 17, {246, 249, 252}, {168, 180, 194});
    k.heading.shadowAlpha = 0.85;
    k.caption = Make("Liberation Sans", 13, {236, 240, 246}, {186, 196, 208});
    k.caption.shadowAlpha = 0.8;
    return k;
}

// The rows of choices: each mark is 14 pixels, its caption starts 18 pixels in, in the 17-pixel row.
constexpr int kSkinRows[6] = {203, 227, 251, 275, 299, 322};
constexpr int kFirstModeRow = 203, kModeRowPitch = 24;
// The side plates (left 4..102, right 515..617) keep 4 pixels clear inside their rims.
constexpr int kLeftRoom[2] = {8, 98};
constexpr int kRightRoom[2] = {519, 613};

std::vector<CaptionPlace> MakePlaces() {
    std::vector<CaptionPlace> out;
    // The preview strip runs from 110 to 511, its first socket's frame at 229 and its last one's at 388.
    out.push_back({N_("Следующие"), true, 114, 16, 108, 17, CaptionAlign::Right});
    out.push_back({N_("цвета"), true, 395, 16, 112, 17, CaptionAlign::Left});
    out.push_back({N_("Рекорд"), true, kLeftRoom[0], 52, kLeftRoom[1] - kLeftRoom[0], 18, CaptionAlign::Centre});
    out.push_back({N_("Тема"), true, kLeftRoom[0], 173, kLeftRoom[1] - kLeftRoom[0], 18, CaptionAlign::Centre});
    out.push_back({N_("Очки"), true, kRightRoom[0], 52, kRightRoom[1] - kRightRoom[0], 18, CaptionAlign::Centre});
    out.push_back({N_("Режим"), true, kRightRoom[0], 173, kRightRoom[1] - kRightRoom[0], 18, CaptionAlign::Centre});
    const char* skins[6] = {N_("Цветы"), N_("Windows"), N_("Фишки"), N_("Шарики"), N_("Лица"), N_("Новая")};
    for (int i = 0; i < 6; ++i) out.push_back({skins[i], false, 28, kSkinRows[i], kLeftRoom[1] - 28, 17, CaptionAlign::Left});
    for (const ModeRow& m : Modes())
        out.push_back({m.name, false, 538, kFirstModeRow + kModeRowPitch * static_cast<int>(m.mode), kRightRoom[1] - 538, 17, CaptionAlign::Left});
    return out;
}

} // namespace

const SkinLettering& GlassLettering() {
    static const SkinLettering k = MakeGlass();
    return k;
}
const SkinLettering& ChipsLettering() {
    static const SkinLettering k = MakeChips();
    return k;
}
const SkinLettering& MarblesLettering() {
    static const SkinLettering k = MakeMarbles();
    return k;
}

const std::vector<CaptionPlace>& PanelCaptions() {
    static const std::vector<CaptionPlace> places = MakePlaces();
    return places;
}

const std::vector<ButtonCaption>& ButtonCaptions() {
    static const std::vector<ButtonCaption> buttons = {{"btn_finish.bmp", N_("Закончить"), 91},
                                                       {"btn_gstart.bmp", N_("Новая игра"), 91},
                                                       {"btn_turnback.bmp", N_("Ход назад"), 91},
                                                       {"btn_goptions.bmp", N_("Настройки"), 91},
                                                       {"btn_ooptions.bmp", N_("Закрыть"), 89}};
    return buttons;
}

Lettering ButtonLettering(int state) {
    Lettering l;
    l.family = "DejaVu Sans Condensed";
    l.px = 12.5;
    if (state == 3) {
        // Flat pale ink with a grey shadow on the greyed face.
        l.top = l.bottom = {234, 234, 240};
        l.shadow = {120, 120, 128};
        l.shadowAlpha = 0.6;
        return l;
    }
    // White fading a little towards the face's blue, over a deep blue shadow.
    l.bottom = {216, 219, 255};
    l.shadow = {16, 12, 70};
    l.shadowAlpha = 0.75;
    return l;
}

} // namespace zv::view
