// The lettering and places of the panel's and the buttons' words, as the skins were drawn with them.
#include "view/Lettering.h"

#include "game/Modes.h"

// Marks the words for the message catalogue; the game translates them where it shows them.
#define N_(text) text

namespace zv::view {

namespace {

// Each skin letters its headings and captions in one family; they differ in size, inks and the shadow or the
// engraving behind the words.
constexpr SkinLettering kGlass{
    .heading = {.family = "DejaVu Sans Condensed", .px = 17, .top = {255, 255, 255}, .bottom = {214, 236, 242},
                .shadow = {24, 52, 62}, .shadowAlpha = 0.75},
    .caption = {.family = "DejaVu Sans Condensed", .px = 13, .top = {255, 255, 255}, .bottom = {226, 242, 246},
                .shadow = {24, 52, 62}, .shadowAlpha = 0.7}};
constexpr SkinLettering kChips{
    .heading = {.family = "Roboto Condensed", .px = 19, .top = {160, 44, 44}, .bottom = {104, 22, 26}, .highlightAlpha = 0.9},
    .caption = {.family = "Roboto Condensed", .px = 15, .top = {128, 40, 36}, .bottom = {96, 26, 24}, .highlightAlpha = 0.9}};
constexpr SkinLettering kMarbles{
    .heading = {.family = "Liberation Sans", .px = 17, .top = {246, 249, 252}, .bottom = {168, 180, 194}, .shadowAlpha = 0.85},
    .caption = {.family = "Liberation Sans", .px = 13, .top = {236, 240, 246}, .bottom = {186, 196, 208}, .shadowAlpha = 0.8}};

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

const SkinLettering& GlassLettering() { return kGlass; }
const SkinLettering& ChipsLettering() { return kChips; }
const SkinLettering& MarblesLettering() { return kMarbles; }

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
