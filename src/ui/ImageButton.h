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
    // Drawn over the strip's cell: the caption of a button whose pictures carry no words. It is given the cell's
    // rectangle on the target, the state shown and the scale.
    std::function<void(SDL_Surface* target, const SDL_Rect& cell, ButtonState state, Scale scale)> PaintOver;

    // For a moment of an animation: shows the picture at position instead of its own, at percent of its
    // size (the part that differs from picture 0, the empty cell, grows or shrinks about the centre).
    void ShowInstead(int position, int percent);
    // Its own picture again.
    void ShowOwn();
    bool ShowingInstead() const { return insteadPosition_ >= 0; }
    // What it shows: the position (its own, or the one shown instead) and the size in per cent.
    int ShownPosition() const { return insteadPosition_ >= 0 ? insteadPosition_ : index_; }
    int ShownPercent() const { return insteadPosition_ >= 0 ? insteadPercent_ : 100; }

    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;
    bool Opaque(Scale scale) const override;

private:
    // A picture of the list as drawn at the button's place.
    SDL_Surface* Picture(int position, Scale scale) const;
    int insteadPosition_ = -1;
    int insteadPercent_ = 100;
    const ImageList* list_ = nullptr;
    int index_ = 0;
    ScaledPicture strip_;
    int cellWidth_ = 0;
};

} // namespace zv::ui
