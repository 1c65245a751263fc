// The skins: which image lists the board, preview, background and marks take, and the window colour of each.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include <SDL.h>

#include "game/Types.h"
#include "ui/ImageButton.h"
#include "ui/ImageList.h"
#include "ui/PictureControl.h"
#include "view/Palette.h"

namespace zv::view {

// The window colours of the skins that have their own.
constexpr SDL_Color kGlassColour = kWindowFace;
constexpr SDL_Color kBlockColour{245, 153, 139, 255};
constexpr SDL_Color kSingleColour{105, 105, 105, 255};

constexpr int kMarkUnchecked = 8;
constexpr int kMarkChecked = 9;
constexpr int kBackgroundPicture = 7;

enum SkinNumber { kGlass = 1, kWindows = 2, kBlock = 3, kSingle = 4, kPeople = 5, kCustom = 6 };

// Everything a skin touches in the main window.
struct SkinTargets {
    std::function<void(SDL_Color)> setWindowColour;
    ui::PictureControl* background = nullptr;
    std::array<ui::ImageButton*, 100> cells{};
    std::array<ui::ImageButton*, 4> next{};
    // CheckGlass, CheckWindows, CheckBlock, CheckSingle, Checkpeople, CheckAdded
    std::array<ui::PictureControl*, 6> checks{};
    // line, cube, cross, ring, corner
    std::array<ui::PictureControl*, kModeCount> modes{};
    // list1, list2, List3, List4, list5, list6
    std::array<const ui::ImageList*, 6> lists{};
    // Tells the rules which skin is on.
    std::function<void(std::int32_t)> setSkinIndex;
    // Called before a list is handed out, so built-in lists can be decoded only when first needed.
    std::function<void(int listIndex)> prepareList;
    // Writes the skin file; reports its own failure (the skin stays applied).
    std::function<void(std::int32_t)> writeSkinFile;
};

void ApplyGlassSkin(SkinTargets& t);
void ApplyWindowsSkin(SkinTargets& t);
void ApplyBlockSkin(SkinTargets& t);
void ApplySingleSkin(SkinTargets& t);
void ApplyPeopleSkin(SkinTargets& t);
void ApplyCustomSkin(SkinTargets& t);
// Applies built-in skin 1..5; any other number applies none and returns false.
bool ApplyBuiltInSkin(SkinTargets& t, std::int32_t number);

} // namespace zv::view
