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

void ImageButton::SetStateStrip(ScaledPicture strip, int cellWidth) {
    strip_ = std::move(strip);
    cellWidth_ = cellWidth;
    Invalidate();
}

bool ImageButton::Opaque(int scale) const {
    // A strip is drawn from its corner cell by cell; a bare face fills the whole button.
    if (SDL_Surface* strip = cellWidth_ > 0 ? strip_.At(scale) : nullptr)
        return cellWidth_ >= Width() && CoversOpaquely(strip, scale * Width(), scale * Height());
    if (SDL_Surface* pic = list_ ? list_->Get(index_, scale) : nullptr) return CoversOpaquely(pic, scale * Width(), scale * Height());
    return true;
}

void ImageButton::Paint(SDL_Surface* target, int originX, int originY, int scale) {
    if (SDL_Surface* strip = cellWidth_ > 0 ? strip_.At(scale) : nullptr) {
        const int cellWidth = scale * cellWidth_;
        const int cells = strip->w / cellWidth;
        int cell = static_cast<int>(CurrentState());
        if (cell >= cells) cell = 0;
        const SDL_Rect from{cell * cellWidth, 0, cellWidth, strip->h};
        Blit(strip, &from, target, originX, originY);
        return;
    }
    if (SDL_Surface* pic = list_ ? list_->Get(index_, scale) : nullptr) {
        Blit(pic, nullptr, target, originX, originY);
        return;
    }
    ButtonFace(target, originX, originY, scale * Width(), scale * Height(), scale);
}

} // namespace zv::ui
