// Where the background captions go, in both languages, and how much room each has before it runs into its neighbours.
#include "captions.h"

namespace {

// Panel places of the rows of choices; each mark is 14 pixels, its caption starts 18 pixels in.
constexpr int kSkinRows[6] = {203, 227, 251, 275, 299, 322};
constexpr int kModeRows[5] = {203, 227, 251, 275, 299};

// The side plates (left 4..102, right 515..617) keep 4 pixels clear inside their rims; the preview strip runs
// from 110 to 511 with its first socket's frame at 229 and its last one's at 388.
constexpr double kLeftRoom[2] = {8, 98};
constexpr double kRightRoom[2] = {519, 613};

}  // namespace

const PaintedWords& russianWords() {
    static const PaintedWords w{"ru", "Следующие", "цвета", "Рекорд", "Очки", "Тема", "Режим",
                                   {"Цветы", "Windows", "Фишки", "Шарики", "Лица", "Новая"},
                                   {"Линия", "Квадрат", "Крест", "Кольцо", "Блок"},
                                   "Закончить", "Новая игра", "Ход назад", "Настройки", "Закрыть"};
    return w;
}

const PaintedWords& englishWords() {
    static const PaintedWords w{"en", "Next", "colours", "Record", "Score", "Skin", "Mode",
                                   {"Flowers", "Windows", "Counters", "Balls", "Faces", "New"},
                                   {"Lines", "Squares", "Crosses", "Rings", "Blocks"},
                                   "End game", "New game", "Undo", "Options", "Close"};
    return w;
}

std::vector<CaptionPlace> backgroundCaptions(const PaintedWords& w) {
    std::vector<CaptionPlace> out;
    out.push_back({w.next, true, 222, 24.5, Align::Right, 114, 226});
    out.push_back({w.colours, true, 395, 24.5, Align::Left, 392, 507});
    out.push_back({w.record, true, 53, 61, Align::Centre, kLeftRoom[0], kLeftRoom[1]});
    out.push_back({w.skin, true, 53, 182, Align::Centre, kLeftRoom[0], kLeftRoom[1]});
    out.push_back({w.score, true, 566, 61, Align::Centre, kRightRoom[0], kRightRoom[1]});
    out.push_back({w.mode, true, 566, 182, Align::Centre, kRightRoom[0], kRightRoom[1]});
    // A choice's caption is centred in its 17-pixel row, after the mark at (left, row + 1).
    for (int i = 0; i < 6; ++i) out.push_back({w.skins[i], false, 28, kSkinRows[i] + 8.5, Align::Left, 28, kLeftRoom[1]});
    for (int i = 0; i < 5; ++i) out.push_back({w.modes[i], false, 538, kModeRows[i] + 8.5, Align::Left, 538, kRightRoom[1]});
    return out;
}

std::vector<ButtonCaption> buttonCaptions(const PaintedWords& w) {
    return {{"btn_finish.bmp", w.finish, 91},   {"btn_gstart.bmp", w.gstart, 91}, {"btn_turnback.bmp", w.turnBack, 91},
            {"btn_goptions.bmp", w.goptions, 91}, {"btn_ooptions.bmp", w.close, 89}};
}

Lettering buttonLettering() {
    Lettering l;
    l.family = "DejaVu Sans Condensed";
    l.px = 12.5;
    return l;
}

std::pair<double, double> captionExtent(const CaptionPlace& p, const Lettering& style, int scale) {
    const double width = textWidth(p.text, style, scale);
    const double x = p.x * scale;
    double left = x;
    if (p.align == Align::Centre) left = x - width / 2;
    if (p.align == Align::Right) left = x - width;
    return {left, left + width};
}
