// Cell grids: a small block of board cells, each showing one picture of an image list shrunk to the cell size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/ImageList.h"
#include "ui/Surface.h"

namespace zv::ui {

class CellGrid : public Control {
public:
    explicit CellGrid(std::string name = {}) : Control(std::move(name)) {}

    // The list whose pictures the cells show; shrunk copies are made again when it changes.
    void SetImageList(const ImageList* list);
    const ImageList* GetImageList() const { return list_; }

    // rows x cols picture positions, row by row; a negative position leaves its cell bare.
    void SetCells(int rows, int cols, std::vector<int> positions);
    int PositionAt(int row, int col) const;

    // Cell size and the gap between cells, in pixels.
    void SetCellSize(int size, int gap);

    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;

private:
    SDL_Surface* Shrunk(int position, Scale scale, int w, int h);

    const ImageList* list_ = nullptr;
    int rows_ = 0, cols_ = 0;
    std::vector<int> positions_;
    int cell_ = 12, gap_ = 1;
    // Shrunk pictures by position and size, for the list and version they were made from (at a
    // fractional scale the cells' rounded sizes differ by a pixel).
    struct Made {
        int position, w, h;
        SurfacePtr picture;
    };
    std::vector<Made> shrunk_;
    const ImageList* shrunkList_ = nullptr;
    std::uint64_t shrunkVersion_ = 0;
    int shrunkSize_ = 0;
    int shrunkScale_ = 0; // in quarters
};

// A copy of a picture shrunk (or grown) to w x h by averaging the source pixels under each target pixel.
SurfacePtr ShrinkPicture(SDL_Surface* src, int w, int h);

} // namespace zv::ui
