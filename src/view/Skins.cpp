// The six skins.
#include "view/Skins.h"

namespace zv::view {

namespace {

void MarkChosen(SkinTargets& t, int number) {
    for (int i = 0; i < 6; ++i)
        if (t.checks[static_cast<std::size_t>(i)]) t.checks[static_cast<std::size_t>(i)]->SetListIndex(i + 1 == number ? kMarkChecked : kMarkUnchecked);
}

void BoardTakes(SkinTargets& t, const ui::ImageList* list) {
    for (auto* c : t.cells)
        if (c) c->SetImageList(list);
    for (auto* n : t.next)
        if (n) n->SetImageList(list);
}

// Glass, Block and Single bring their own background, marks and window colour.
void ApplyFullSkin(SkinTargets& t, int number, SDL_Color colour) {
    if (t.prepareList) t.prepareList(number - 1);
    const ui::ImageList* list = t.lists[static_cast<std::size_t>(number - 1)];
    if (t.setWindowColour) t.setWindowColour(colour);
    for (auto* c : t.checks)
        if (c) c->SetImageList(list);
    for (auto* m : t.modes)
        if (m) m->SetImageList(list);
    MarkChosen(t, number);
    if (t.background) t.background->SetImageList(list);
    BoardTakes(t, list);
    if (t.setSkinIndex) t.setSkinIndex(number);
    if (t.writeSkinFile) t.writeSkinFile(number);
}

// Windows and People change only the cells and the preview.
void ApplyCellSkin(SkinTargets& t, int number) {
    if (t.prepareList) t.prepareList(number - 1);
    MarkChosen(t, number);
    BoardTakes(t, t.lists[static_cast<std::size_t>(number - 1)]);
    if (t.setSkinIndex) t.setSkinIndex(number);
    if (t.writeSkinFile) t.writeSkinFile(number);
}

} // namespace

void ApplyGlassSkin(SkinTargets& t) { ApplyFullSkin(t, kGlass, kGlassColour); }
void ApplyWindowsSkin(SkinTargets& t) { ApplyCellSkin(t, kWindows); }
void ApplyBlockSkin(SkinTargets& t) { ApplyFullSkin(t, kBlock, kBlockColour); }
void ApplySingleSkin(SkinTargets& t) { ApplyFullSkin(t, kSingle, kSingleColour); }
void ApplyPeopleSkin(SkinTargets& t) { ApplyCellSkin(t, kPeople); }

void ApplyCustomSkin(SkinTargets& t) {
    MarkChosen(t, kCustom);
    BoardTakes(t, t.lists[5]);
    if (t.setSkinIndex) t.setSkinIndex(kCustom);
}

bool ApplyBuiltInSkin(SkinTargets& t, std::int32_t number) {
    switch (number) {
    case kGlass: ApplyGlassSkin(t); return true;
    case kWindows: ApplyWindowsSkin(t); return true;
    case kBlock: ApplyBlockSkin(t); return true;
    case kSingle: ApplySingleSkin(t); return true;
    case kPeople: ApplyPeopleSkin(t); return true;
    default: return false;
    }
}

} // namespace zv::view
