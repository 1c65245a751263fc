// Cell grids, and the averaging shrink that keeps small balls round rather than ragged.
#include "ui/CellGrid.h"

#include <algorithm>

#include "ui/Draw.h"

namespace zv::ui {

void CellGrid::SetImageList(const ImageList* list) {
    if (list == list_) return;
    list_ = list;
    Invalidate();
}

void CellGrid::SetCells(int rows, int cols, std::vector<int> positions) {
    rows_ = std::max(0, rows);
    cols_ = std::max(0, cols);
    positions_ = std::move(positions);
    positions_.resize(static_cast<std::size_t>(rows_ * cols_), -1);
    Invalidate();
}

int CellGrid::PositionAt(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return -1;
    return positions_[static_cast<std::size_t>(row * cols_ + col)];
}

void CellGrid::SetCellSize(int size, int gap) {
    cell_ = std::max(1, size);
    gap_ = std::max(0, gap);
    Invalidate();
}

SDL_Surface* CellGrid::Shrunk(int position, Scale scale, int w, int h) {
    if (!list_ || position < 0) return nullptr;
    if (shrunkList_ != list_ || shrunkVersion_ != list_->Version() || shrunkSize_ != cell_ || shrunkScale_ != scale.Quarters()) {
        shrunk_.clear();
        shrunkList_ = list_;
        shrunkVersion_ = list_->Version();
        shrunkSize_ = cell_;
        shrunkScale_ = scale.Quarters();
    }
    for (const Made& m : shrunk_)
        if (m.position == position && m.w == w && m.h == h) return m.picture.get();
    // Shrunk from the picture drawn for the (next whole) scale: more detail to average from.
    shrunk_.push_back({position, w, h, ShrinkPicture(list_->Get(position, scale.Whole()), w, h)});
    return shrunk_.back().picture.get();
}

void CellGrid::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    const SDL_Rect at = ScreenBounds();
    SDL_Rect clip, mine{originX, originY, scale.Span(at.x, at.w), scale.Span(at.y, at.h)}, area;
    SDL_GetClipRect(target, &clip);
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            // Each cell rounded at its own edges, where it lies in the window.
            const int x = at.x + c * (cell_ + gap_), y = at.y + r * (cell_ + gap_);
            const int w = scale.Span(x, cell_), h = scale.Span(y, cell_);
            if (SDL_Surface* pic = Shrunk(PositionAt(r, c), scale, w, h))
                Blit(pic, nullptr, target, originX + scale.Span(at.x, x - at.x), originY + scale.Span(at.y, y - at.y));
        }
    SDL_SetClipRect(target, &clip);
}

SurfacePtr ShrinkPicture(SDL_Surface* src, int w, int h) {
    if (!src || w <= 0 || h <= 0 || src->w <= 0 || src->h <= 0) return nullptr;
    SDL_Surface* in = SDL_ConvertSurfaceFormat(src, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!in) return nullptr;
    SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!out) {
        SDL_FreeSurface(in);
        return nullptr;
    }
    // Each target pixel averages the source rectangle it covers (at least one source pixel).
    for (int y = 0; y < h; ++y) {
        const int y0 = y * in->h / h, y1 = std::max(y0 + 1, (y + 1) * in->h / h);
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(out->pixels) + y * out->pitch);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * in->w / w, x1 = std::max(x0 + 1, (x + 1) * in->w / w);
            Uint32 sum[4] = {0, 0, 0, 0};
            for (int sy = y0; sy < y1; ++sy) {
                const auto* s = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(in->pixels) + sy * in->pitch);
                for (int sx = x0; sx < x1; ++sx)
                    for (int k = 0; k < 4; ++k) sum[k] += (s[sx] >> (8 * k)) & 255;
            }
            const Uint32 n = static_cast<Uint32>((y1 - y0) * (x1 - x0));
            Uint32 v = 0;
            for (int k = 0; k < 4; ++k) v |= ((sum[k] + n / 2) / n) << (8 * k);
            row[x] = v;
        }
    }
    SDL_FreeSurface(in);
    // The source's own blending carries over: a picture with transparency stays transparent at the edges.
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetSurfaceBlendMode(src, &mode);
    SDL_SetSurfaceBlendMode(out, mode);
    return AdoptSurface(out);
}

} // namespace zv::ui
