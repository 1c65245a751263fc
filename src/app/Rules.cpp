// The rules window: its texts, its figure pictures and its keys.
#include "app/Rules.h"

#include "app/Resources.h"
#include "game/Modes.h"
#include "platform/Language.h"
#include "ui/MessageForm.h"
#include "view/Palette.h"

namespace zv::app {

namespace {

constexpr SDL_Color kStripColour = view::kDeepBlue;
constexpr SDL_Color kHeadingColour = view::kDeepBlue;
constexpr SDL_Color kTextColour = view::kBodyText;

const ui::FontRequest kCaptionFont{"Arial", true, 16, false};
const ui::FontRequest kHeadingFont{"Arial", true, 15, false};
const ui::FontRequest kTextFont{"Arial", false, 13, false};
const ui::FontRequest kBoldTextFont{"Arial", true, 13, false};

// The window's own texts, then the name of each mode above its text.
std::vector<RulesText> WithModeNames(std::vector<RulesText> texts) {
    for (const ModeRow& m : Modes()) texts.push_back({"ModeName" + std::to_string(static_cast<int>(m.mode) + 1), m.name});
    return texts;
}

} // namespace

const std::vector<RulesText>& RulesTexts() {
    static const std::vector<RulesText> texts = WithModeNames({
        {"RulesCaption", N_("Правила игры")},
        {"HowHeading", N_("Как играть")},
        {"HowText",
         N_("Щёлкните по шару, чтобы выбрать его, а затем по пустой клетке, куда он должен перейти. Шар проходит "
         "только по пустым клеткам: вверх, вниз, влево и вправо, но не наискосок.\n"
         "После хода все фигуры режима игры сразу убираются с поля и приносят очки. Если ход ничего не убрал, "
         "на поле выходят четыре шара из «Следующих цветов», а там появляются четыре новых цвета.\n"
         "Игра окончена, когда пустых клеток остаётся четыре или меньше.")},
        {"UndoHeading", N_("Ход назад и подсказка")},
        {"UndoText",
         N_("«Ход назад» отменяет один последний ход без очков за 3\u00A0очка. Подсказка (H или лампочка "
         "вверху) показывает хороший ход за 5\u00A0очков.")},
        {"AdvancedHeading", N_("Усложнённый режим")},
        {"AdvancedText",
         N_("Включается в настройках. В начале игры и после каждого хода, который ничего не убрал, несколько "
         "случайных клеток закрываются до следующего хода: по ним нельзя щёлкнуть, но шар может пройти через них.")},
        {"FiguresHeading", N_("Режимы и очки")},
        {"ModeText1",
         N_("5–10 шаров одного цвета в ряд, также по диагонали: 5\u00A0шаров\u00A0—\u00A05\u00A0очков, "
         "6\u00A0—\u00A07, 7\u00A0—\u00A09, 8\u00A0—\u00A012, 9\u00A0—\u00A015, 10\u00A0—\u00A020.")},
        {"ModeText2", N_("Прямоугольник 2×3 или 3×2\u00A0—\u00A08\u00A0очков, квадрат 2×2\u00A0—\u00A04\u00A0очка.")},
        {"ModeText3", N_("Пять шаров прямым или косым крестом\u00A0—\u00A05\u00A0очков.")},
        {"ModeText4",
         N_("Четыре шара вокруг клетки\u00A0—\u00A04\u00A0очка, восемь вокруг квадрата "
         "2×2\u00A0—\u00A015\u00A0очков.")},
        {"ModeText5",
         N_("7 и больше шаров, связанных сторонами, с новым шаром среди них: 1,7 очка за шар минус 4, округлённо "
         "(7\u00A0шаров\u00A0—\u00A08).")},
        {"KeysHeading", N_("Клавиши")},
        {"KeyNames1", N_("F1\nCtrl+N\nCtrl+Z\nCtrl+E\nTab")},
        {"KeyWhat1", N_("правила\nновая игра\nход назад\nзакончить игру\nкнопки настроек")},
        {"KeyNames2", N_("1–5\nF5–F10\nF2\nF3\nF11")},
        {"KeyWhat2", N_("режим игры\nскин\nнастройки\nлучшие игры\nвесь экран")},
        {"KeyNames3", N_("Стрелки\nПробел, Enter\nEsc")},
        {"KeyWhat3", N_("выбор клетки\nщелчок по клетке, кнопке\nснять выбор, закрыть окно")},
    });
    return texts;
}

const std::vector<RulesFigure>& RulesFigures() {
    static const std::vector<RulesFigure> figures = [] {
        std::vector<RulesFigure> out;
        for (const ModeRow& m : Modes())
            for (const ShownFigure& f : m.figures)
                out.push_back({f.control, m.mode, f.rows, f.cols, f.shape, f.colour, f.points,
                               "ModeText" + std::to_string(static_cast<int>(m.mode) + 1)});
        return out;
    }();
    return figures;
}

TFormRules::TFormRules(Windows& windows, const Game& game) : windows_(windows), game_(game) {
    form_.SetCaption(platform::Tr("Правила игры"));
    form_.SetColour(view::kWindowFace);
    form_.OnKeyDown = [this](SDL_Keycode key, Uint16 mod) { FormKeyDown(key, mod); };
}

TFormRules::~TFormRules() = default;

void TFormRules::Open(const ui::ImageList* balls) {
    if (!built_) Build();
    ShowBalls(balls);
    ShowGameNumber();
}

void TFormRules::ShowGameNumber() {
    if (!built_) return;
    std::string text = game_.State().GameMode.empty() ? std::string()
                                                     : std::string(platform::Tr("Игра №")) + " " + std::to_string(game_.GameNumber());
    GameNumberLine->SetCaption(text + (text.empty() ? "" : "\n") + platform::Tr("Ctrl+G номер, Ctrl+D игра дня"));
}

void TFormRules::Build() {
    built_ = true;
    controls_ = BuildControls(form_, RulesWindowLayout());
    const BuiltControls& c = controls_;

    auto* strip = c.Get<ui::Label>("RulesStrip");
    strip->SetFill(kStripColour);
    for (const RulesText& t : RulesTexts()) {
        const std::string name = t.control;
        auto* l = c.Get<ui::Label>(name);
        ui::FontRequest font = kTextFont;
        SDL_Color colour = kTextColour;
        if (name == "RulesCaption") {
            font = kCaptionFont;
            colour = view::kWhite;
        } else if (name.find("Heading") != std::string::npos) {
            font = kHeadingFont;
            colour = kHeadingColour;
        } else if (name.rfind("ModeName", 0) == 0 || name.rfind("KeyNames", 0) == 0) {
            font = kBoldTextFont;
        }
        l->SetFont(font);
        l->SetColour(colour);
        // Long texts are broken into lines at the width of their place.
        l->SetCaption(ui::WrapText(platform::Tr(t.text), font, l->Width()));
    }

    GameNumberLine = c.Get<ui::Label>("GameNumberLine");
    GameNumberLine->SetFont(kTextFont);
    GameNumberLine->SetColour(kTextColour);

    RulesClose = c.Get<ui::ImageButton>("RulesClose");
    // The options window's close button: the same caption on the same window colour.
    UseCommandButtonArtwork(*RulesClose, "btn_ooptions.bmp");
    RulesClose->OnClick = [this] { RulesCloseClick(); };

    for (const RulesFigure& f : RulesFigures()) {
        auto* g = c.Get<ui::CellGrid>(f.control);
        std::vector<int> positions;
        for (int i = 0; i < f.rows * f.cols; ++i) positions.push_back(ColourPicture(f.cells[i] == '#' ? f.colour : 0));
        g->SetCellSize(FigureCellSize(), FigureCellGap());
        g->SetCells(f.rows, f.cols, std::move(positions));
        figures.push_back(g);
    }
}

void TFormRules::ShowBalls(const ui::ImageList* balls) {
    for (ui::CellGrid* g : figures) {
        g->SetImageList(balls);
        // A theme loaded again into the same list brings new pictures under the same list.
        g->Invalidate();
    }
}

void TFormRules::RulesCloseClick() { windows_.Hide(WindowId::Rules); }

void TFormRules::FormKeyDown(SDL_Keycode key, Uint16 mod) {
    if (mod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return;
    if ((key == SDLK_ESCAPE || key == SDLK_F1) && RulesClose) RulesClose->Activate();
}

} // namespace zv::app
