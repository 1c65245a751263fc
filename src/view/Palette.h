// The colours the game's windows share, each written once: a window names the part it paints, the palette its colour.
#pragma once

#include <SDL.h>

namespace zv::view {

// The face of every window; the flowers skin gives the main window the same.
inline constexpr SDL_Color kWindowFace{151, 179, 185, 255};
// Title strips, captions, headings and edges.
inline constexpr SDL_Color kDeepBlue{24, 28, 74, 255};
// A raised caption's light and its shadow.
inline constexpr SDL_Color kCaptionLight{92, 83, 215, 255};
inline constexpr SDL_Color kCaptionShadow{193, 193, 240, 255};
// Panels and sheets laid on a window's face.
inline constexpr SDL_Color kPaleSheet{207, 220, 222, 255};
// Running text.
inline constexpr SDL_Color kBodyText{16, 16, 24, 255};
inline constexpr SDL_Color kWhite{255, 255, 255, 255};
inline constexpr SDL_Color kBlack{0, 0, 0, 255};

} // namespace zv::view
