// Small drawing helpers shared by the controls: solid fills, bevels and clipped blits.
#pragma once

#include <SDL.h>

namespace zv::ui {

void FillRect(SDL_Surface* s, int x, int y, int w, int h, SDL_Color c);
// A raised (or sunken) bevel: light top-left, dark bottom-right, `width` pixels deep.
void Bevel(SDL_Surface* s, int x, int y, int w, int h, bool raised, int width = 1);
// The bare face of a button that has no picture to show, its edges scale pixels deep.
void ButtonFace(SDL_Surface* s, int x, int y, int w, int h, int scale = 1);
// Greys out what is drawn in the rectangle, as a disabled control looks: colours give way to a pale grey.
void Dim(SDL_Surface* s, const SDL_Rect& r);
// Blits src (whole, or the part srcRect) unscaled with its top-left at x, y, honouring the target's clip.
void Blit(SDL_Surface* src, const SDL_Rect* srcRect, SDL_Surface* dst, int x, int y);
// Whether a picture paints every pixel it covers (no blending, no colour key) and covers w x h from its corner.
bool CoversOpaquely(SDL_Surface* picture, int w, int h);
// Blits src stretched to fill the rectangle.
void BlitStretched(SDL_Surface* src, SDL_Surface* dst, const SDL_Rect& to);

} // namespace zv::ui
