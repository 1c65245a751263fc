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

void PictureControl::SetPicture(SurfacePtr picture) {
    own_ = std::move(picture);
    Invalidate();
}

SDL_Surface* PictureControl::Shown() const {
    if (list_) return list_->Get(index_);
    return own_.get();
}

void PictureControl::Paint(SDL_Surface* target, int originX, int originY) {
    SDL_Surface* pic = Shown();
    if (!pic) return;
    if (stretch_) {
        BlitStretched(pic, target, {originX, originY, Width(), Height()});
        return;
    }
    // The picture never spills outside the control.
    SDL_Rect clip, mine{originX, originY, Width(), Height()}, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    Blit(pic, nullptr, target, originX + offsetX_, originY + offsetY_);
    SDL_SetClipRect(target, &clip);
}

} // namespace zv::ui
