// Picture controls.
#include "ui/PictureControl.h"

#include <algorithm>

#include "ui/Draw.h"

namespace zv::ui {

void PictureControl::SetImageList(const ImageList* list) {
    if (list == list_) return;
    list_ = list;
    Invalidate();
}

void PictureControl::SetListIndex(int position) {
    if (position < 0 || position == index_) return;
    index_ = position;
    Invalidate();
}

void PictureControl::SetPicture(ScaledPicture picture) {
    own_ = std::move(picture);
    Invalidate();
}

SDL_Surface* PictureControl::Shown(int scale) const {
    if (list_) return list_->Get(index_, scale);
    return own_.At(scale);
}

ImageList::Shown PictureControl::ShownAt(Scale scale) const {
    const SDL_Rect at = ScreenBounds();
    const int x = at.x + (stretch_ ? 0 : offsetX_), y = at.y + (stretch_ ? 0 : offsetY_);
    // A stretched picture is drawn from its pixels.
    if (list_ && stretch_) return {list_->Get(index_, scale, x, y), nullptr};
    if (list_) return list_->Find(index_, scale, x, y);
    return {own_.At(scale, x, y), nullptr};
}

bool PictureControl::Opaque(Scale scale) const {
    const SDL_Rect px = PixelBounds(scale);
    const SDL_Rect part = OpaquePart(scale, px);
    return part.w > 0 && part.h > 0 && part.w == px.w && part.h == px.h;
}

SDL_Rect PictureControl::OpaquePart(Scale scale, const SDL_Rect& placed) const {
    const ImageList::Shown shown = ShownAt(scale);
    if (stretch_) return CoversOpaquely(shown.surface, 0, 0) ? placed : SDL_Rect{0, 0, 0, 0};
    if (offsetX_ != 0 || offsetY_ != 0) return {0, 0, 0, 0};
    // Only opaque pictures are packed.
    if (!shown.packed && !CoversOpaquely(shown.surface, 0, 0)) return {0, 0, 0, 0};
    return {placed.x, placed.y, std::min(shown.Width(), placed.w), std::min(shown.Height(), placed.h)};
}

void PictureControl::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    const ImageList::Shown shown = ShownAt(scale);
    if (!shown) return;
    const SDL_Rect at = ScreenBounds();
    const SDL_Rect mine{originX, originY, scale.Span(at.x, at.w), scale.Span(at.y, at.h)};
    if (stretch_) {
        BlitStretched(shown.surface, target, mine);
        return;
    }
    // The picture never spills outside the control.
    SDL_Rect clip, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    const int x = originX + scale.Span(at.x, offsetX_), y = originY + scale.Span(at.y, offsetY_);
    if (shown.packed) shown.packed->Draw(target, x, y);
    else Blit(shown.surface, nullptr, target, x, y);
    if (PaintOver) PaintOver(target, mine, scale);
    SDL_SetClipRect(target, &clip);
}

} // namespace zv::ui
