// Picture controls: a picture from an image list or a picture of its own, drawn unscaled, offset or stretched.
#pragma once

#include "ui/Control.h"
#include "ui/ImageList.h"

namespace zv::ui {

class PictureControl : public Control {
public:
    explicit PictureControl(std::string name = {}) : Control(std::move(name)) {}

    void SetImageList(const ImageList* list);
    const ImageList* GetImageList() const { return list_; }
    int ListIndex() const { return index_; }
    void SetListIndex(int position);

    // A picture of the control's own, used when no image list is set.
    void SetPicture(ScaledPicture picture);
    void SetStretch(bool stretch) { stretch_ = stretch; Invalidate(); }
    // Where the picture's top-left corner lies inside the control when not stretched.
    void SetPictureOffset(int x, int y) { offsetX_ = x; offsetY_ = y; Invalidate(); }

    // The picture currently shown (drawn for a scale), or null.
    SDL_Surface* Shown(int scale = 1) const;

    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;
    bool Opaque(Scale scale) const override;
    // A picture smaller than its control covers its own part of it.
    SDL_Rect OpaquePart(Scale scale, const SDL_Rect& placed) const override;
    // Drawn over the picture (not a stretched one), within the control: the words on a word-free background. It is
    // given the control's rectangle on the target and the scale.
    std::function<void(SDL_Surface* target, const SDL_Rect& area, Scale scale)> PaintOver;

    // Decodes (and packs, when large) what the control shows at a scale, ahead of its first paint.
    void Prepare(Scale scale) const { ShownAt(scale); }

private:
    // The picture as drawn at its place at a scale (reduced at a fractional one); a large one of a list packed.
    ImageList::Shown ShownAt(Scale scale) const;
    const ImageList* list_ = nullptr;
    int index_ = 0;
    ScaledPicture own_;
    bool stretch_ = false;
    int offsetX_ = 0, offsetY_ = 0;
};

} // namespace zv::ui
