// Image buttons: a picture from an image list, a state strip, or the bare face when there is no picture.
#include "ui/ImageButton.h"

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

void ImageButton::SetStateStrip(SurfacePtr strip, int cellWidth) {
    strip_ = std::move(strip);
    cellWidth_ = cellWidth;
    Invalidate();
}

void ImageButton::Paint(SDL_Surface* target, int originX, int originY) {
    if (strip_ && cellWidth_ > 0) {
        const int cells = strip_->w / cellWidth_;
        int cell = static_cast<int>(CurrentState());
        if (cell >= cells) cell = 0;
        const SDL_Rect from{cell * cellWidth_, 0, cellWidth_, strip_->h};
        Blit(strip_.get(), &from, target, originX, originY);
        return;
    }
    if (SDL_Surface* pic = list_ ? list_->Get(index_) : nullptr) {
        Blit(pic, nullptr, target, originX, originY);
        return;
    }
    ButtonFace(target, originX, originY, Width(), Height());
}

} // namespace zv::ui
