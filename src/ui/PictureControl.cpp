// Picture controls.
#include "ui/PictureControl.h"

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

bool PictureControl::Opaque(int scale) const {
    SDL_Surface* pic = Shown(scale);
    if (stretch_) return CoversOpaquely(pic, 0, 0);
    return offsetX_ == 0 && offsetY_ == 0 && CoversOpaquely(pic, scale * Width(), scale * Height());
}

void PictureControl::Paint(SDL_Surface* target, int originX, int originY, int scale) {
    SDL_Surface* pic = Shown(scale);
    if (!pic) return;
    const SDL_Rect mine{originX, originY, scale * Width(), scale * Height()};
    if (stretch_) {
        BlitStretched(pic, target, mine);
        return;
    }
    // The picture never spills outside the control.
    SDL_Rect clip, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    Blit(pic, nullptr, target, originX + scale * offsetX_, originY + scale * offsetY_);
    if (PaintOver) PaintOver(target, mine, scale);
    SDL_SetClipRect(target, &clip);
}

} // namespace zv::ui
