// Image buttons: a cell or preview showing one picture of an image list, or a command button with a six-state picture strip.
#pragma once

#include "ui/Control.h"
#include "ui/ImageList.h"

namespace zv::ui {

class ImageButton : public Control {
public:
    explicit ImageButton(std::string name = {}) : Control(std::move(name)) {}

    // Shows the picture at ListIndex() of this list.
    void SetImageList(const ImageList* list);
    const ImageList* GetImageList() const { return list_; }
    int ListIndex() const { return index_; }
    // A negative position is ignored; the same position changes nothing.
    void SetListIndex(int position);

    // A strip of state pictures side by side, each cellWidth wide: normal, hover, pressed, disabled, ...
    // (cellWidth in logical pixels: the strip for scale s has cells s times as wide).
    void SetStateStrip(ScaledPicture strip, int cellWidth);

    void Paint(SDL_Surface* target, int originX, int originY, int scale) override;
    bool Opaque(int scale) const override;

private:
    const ImageList* list_ = nullptr;
    int index_ = 0;
    ScaledPicture strip_;
    int cellWidth_ = 0;
};

} // namespace zv::ui
