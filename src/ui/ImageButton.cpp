// Image buttons: a picture from an image list, a state strip, or the bare face when there is no picture.
#include "ui/ImageButton.h"

#include <algorithm>

#include "ui/Draw.h"

namespace zv::ui {

void ImageButton::SetImageList(const ImageList* list) {
    if (list == list_) return;
    list_ = list;
    Invalidate();
}

void ImageButton::SetListIndex(int position) {
    if (position < 0 || position == index_) return;
    index_ = position;
    Invalidate();
}

void ImageButton::SetStateStrip(ScaledPicture strip, int cellWidth) {
    strip_ = std::move(strip);
    cellWidth_ = cellWidth;
    Invalidate();
}

void ImageButton::ShowInstead(int position, int percent) {
    if (position == insteadPosition_ && percent == insteadPercent_) return;
    insteadPosition_ = position;
    insteadPercent_ = percent;
    Invalidate();
}

void ImageButton::ShowOwn() {
    if (insteadPosition_ < 0) return;
    insteadPosition_ = -1;
    Invalidate();
}

namespace {

Uint32 ReadPixel(const SDL_Surface* s, int x, int y) {
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
    case 4: return *reinterpret_cast<const Uint32*>(p);
    case 3: return SDL_BYTEORDER == SDL_LIL_ENDIAN ? Uint32(p[0] | p[1] << 8 | p[2] << 16) : Uint32(p[2] | p[1] << 8 | p[0] << 16);
    case 2: return *reinterpret_cast<const Uint16*>(p);
    default: return *p;
    }
}

// Draws the empty cell, then the pixels in which the ball's picture differs from it, shrunk to percent of
// their size about the centre (nearest pixel, so the ball stays crisp at every size).
void PaintGrown(SDL_Surface* ball, SDL_Surface* empty, SDL_Surface* target, int originX, int originY, int percent) {
    Blit(empty, nullptr, target, originX, originY);
    if (percent <= 0) return;
    if (ball->w != empty->w || ball->h != empty->h || ball->format->format != empty->format->format) {
        if (percent >= 50) Blit(ball, nullptr, target, originX, originY);
        return;
    }
    const int w = ball->w, h = ball->h;
    const int cx = w / 2, cy = h / 2;
    SDL_Rect clip;
    SDL_GetClipRect(target, &clip);
    const int x0 = std::max(originX, clip.x), x1 = std::min(originX + w, clip.x + clip.w);
    const int y0 = std::max(originY, clip.y), y1 = std::min(originY + h, clip.y + clip.h);
    if (x0 >= x1 || y0 >= y1) return;
    if (SDL_MUSTLOCK(ball)) SDL_LockSurface(ball);
    if (SDL_MUSTLOCK(empty)) SDL_LockSurface(empty);
    if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
    const SDL_PixelFormat* bf = ball->format;
    const int tb = target->format->BytesPerPixel;
    // Pictures in the window's own pixel form (the usual case) are copied pixel for pixel.
    const bool same = bf->format == target->format->format;
    // Where each column and row of the cell takes its pixel from, once for the whole picture.
    int sxOf[512];
    const int columns = std::min(x1 - x0, 512);
    for (int i = 0; i < columns; ++i) sxOf[i] = cx + ((x0 + i - originX - cx) * 100) / percent;
    for (int ty = y0; ty < y1; ++ty) {
        const int sy = cy + ((ty - originY - cy) * 100) / percent;
        if (sy < 0 || sy >= h) continue;
        Uint8* row = static_cast<Uint8*>(target->pixels) + ty * target->pitch;
        for (int i = 0; i < columns; ++i) {
            const int sx = sxOf[i];
            if (sx < 0 || sx >= w) continue;
            const Uint32 v = ReadPixel(ball, sx, sy);
            if (v == ReadPixel(empty, sx, sy)) continue;
            Uint32 out = v;
            if (!same) {
                Uint8 r, g, b;
                SDL_GetRGB(v, bf, &r, &g, &b);
                out = SDL_MapRGB(target->format, r, g, b);
            }
            Uint8* p = row + (x0 + i) * tb;
            if (tb == 4) *reinterpret_cast<Uint32*>(p) = out;
            else if (tb == 3) {
                if (SDL_BYTEORDER == SDL_LIL_ENDIAN) p[0] = Uint8(out), p[1] = Uint8(out >> 8), p[2] = Uint8(out >> 16);
                else p[2] = Uint8(out), p[1] = Uint8(out >> 8), p[0] = Uint8(out >> 16);
            } else if (tb == 2) *reinterpret_cast<Uint16*>(p) = Uint16(out);
            else *p = Uint8(out);
        }
    }
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (SDL_MUSTLOCK(empty)) SDL_UnlockSurface(empty);
    if (SDL_MUSTLOCK(ball)) SDL_UnlockSurface(ball);
}

} // namespace

bool ImageButton::Opaque(Scale scale) const {
    const SDL_Rect px = PixelBounds(scale);
    // A strip is drawn from its corner cell by cell; a bare face fills the whole button.
    if (cellWidth_ > 0 && strip_) {
        const SDL_Rect at = ScreenBounds();
        if (SDL_Surface* strip = scale.IsWhole() ? strip_.At(scale.Whole()) : strip_.At(scale, at.x, at.y)) {
            if (cellWidth_ < Width()) return false;
            return CoversOpaquely(strip, scale.IsWhole() ? px.w : 0, px.h);
        }
    }
    if (SDL_Surface* pic = Picture(index_, scale)) return CoversOpaquely(pic, px.w, px.h);
    return true;
}

SDL_Surface* ImageButton::Picture(int position, Scale scale) const {
    if (!list_) return nullptr;
    const SDL_Rect at = ScreenBounds();
    return list_->Get(position, scale, at.x, at.y);
}

void ImageButton::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    // At a fractional scale the strip is reduced whole and its cells cut at their rounded edges.
    const SDL_Rect at = ScreenBounds();
    if (SDL_Surface* strip = cellWidth_ > 0 && strip_ && !scale.IsWhole() ? strip_.At(scale, at.x, at.y) : nullptr) {
        int cell = static_cast<int>(CurrentState());
        if (cell >= strip_.LogicalWidth(scale.Whole()) / cellWidth_) cell = 0;
        const int x0 = scale.Span(at.x, cell * cellWidth_), x1 = scale.Span(at.x, (cell + 1) * cellWidth_);
        const SDL_Rect from{x0, 0, x1 - x0, strip->h};
        Blit(strip, &from, target, originX, originY);
        if (PaintOver) PaintOver(target, {originX, originY, x1 - x0, strip->h}, static_cast<ButtonState>(cell), scale);
        return;
    }
    if (SDL_Surface* whole = cellWidth_ > 0 && scale.IsWhole() ? strip_.At(scale.Whole()) : nullptr) {
        int cell = static_cast<int>(CurrentState());
        const int cellWidth = scale.Whole() * cellWidth_;
        if (cell >= whole->w / cellWidth) cell = 0;
        const SDL_Rect from{cell * cellWidth, 0, cellWidth, whole->h};
        Blit(whole, &from, target, originX, originY);
        if (PaintOver) PaintOver(target, {originX, originY, cellWidth, whole->h}, static_cast<ButtonState>(cell), scale);
        return;
    }
    if (insteadPosition_ >= 0 && list_) {
        SDL_Surface* pic = Picture(insteadPosition_, scale);
        SDL_Surface* empty = Picture(0, scale);
        if (pic && empty && insteadPercent_ < 100) {
            PaintGrown(pic, empty, target, originX, originY, insteadPercent_);
            return;
        }
        if (pic) {
            Blit(pic, nullptr, target, originX, originY);
            return;
        }
    }
    if (SDL_Surface* pic = Picture(index_, scale)) {
        Blit(pic, nullptr, target, originX, originY);
        return;
    }
    const SDL_Rect px = PixelBounds(scale);
    ButtonFace(target, originX, originY, px.w, px.h, scale.Line());
}

} // namespace zv::ui
