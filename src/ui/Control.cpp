// Controls, containers and the form: painting with damage tracking, and mouse routing to the topmost control.
#include "ui/Control.h"

#include <algorithm>

#include "ui/Draw.h"

namespace zv::ui {

namespace {
SDL_Rect Union(const SDL_Rect& a, const SDL_Rect& b) {
    if (a.w <= 0 || a.h <= 0) return b;
    if (b.w <= 0 || b.h <= 0) return a;
    SDL_Rect r;
    SDL_UnionRect(&a, &b, &r);
    return r;
}
} // namespace

void Control::SetBounds(int left, int top, int width, int height) {
    if (left == rect_.x && top == rect_.y && width == rect_.w && height == rect_.h) return;
    Invalidate();
    rect_ = {left, top, width, height};
    Invalidate();
}

void Control::SetVisible(bool v) {
    if (v == visible_) return;
    // Invalidate while visible so the area is repainted either way.
    if (visible_) Invalidate();
    visible_ = v;
    if (visible_) Invalidate();
}

void Control::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    if (!enabled_) pressed_ = hovered_ = false;
    Invalidate();
}

void Control::SetDimmedWhenDisabled(bool v) {
    if (v == dimWhenDisabled_) return;
    dimWhenDisabled_ = v;
    if (!enabled_) Invalidate();
}

void Control::SetHovered(bool v) {
    if (v == hovered_) return;
    hovered_ = v;
    Invalidate();
}

void Control::SetPressed(bool v) {
    if (v == pressed_) return;
    pressed_ = v;
    Invalidate();
}

ButtonState Control::CurrentState() const {
    if (!enabled_) return ButtonState::Disabled;
    if (pressed_ && hovered_) return ButtonState::Pressed;
    if (hovered_) return ButtonState::Hover;
    return ButtonState::Normal;
}

SDL_Rect Control::ScreenBounds() const {
    SDL_Rect r = rect_;
    for (const Control* p = parent_; p && p->parent_; p = p->parent_) {
        r.x += p->rect_.x;
        r.y += p->rect_.y;
    }
    return r;
}

SDL_Rect Control::PixelBounds(Scale scale) const {
    const SDL_Rect r = ScreenBounds();
    return {scale.Px(r.x), scale.Px(r.y), scale.Span(r.x, r.w), scale.Span(r.y, r.h)};
}

Form* Control::OwnerForm() const {
    const Control* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<Form*>(const_cast<Control*>(c));
}

void Control::Invalidate() {
    // Hidden controls and those inside hidden containers paint nothing.
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return;
    if (Form* f = OwnerForm(); f && f != this) f->InvalidateRect(ScreenBounds());
    else if (f) f->InvalidateAll();
}

void Container::Adopt(std::unique_ptr<Control> child) {
    child->parent_ = this;
    children_.push_back(std::move(child));
    children_.back()->Invalidate();
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->Parent())
        if (!c->Visible()) return false;
    return true;
}

bool Control::Activate() {
    if (!Showing() || !Enabled() || !OnClick) return false;
    // The handler may reshape the window; copy it so it survives that.
    auto handler = OnClick;
    handler();
    return true;
}

Control* Container::Find(const std::string& name) const {
    for (const auto& c : children_) {
        if (c->Name() == name) return c.get();
        if (auto* sub = dynamic_cast<Container*>(c.get()))
            if (Control* hit = sub->Find(name)) return hit;
    }
    return nullptr;
}

void Container::SetColour(SDL_Color c) {
    if (c.r == colour_.r && c.g == colour_.g && c.b == colour_.b && c.a == colour_.a) return;
    colour_ = c;
    Invalidate();
}

Control* Container::ControlAt(int x, int y) {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        Control* c = it->get();
        if (!c->Visible() || !c->Enabled()) continue;
        const int lx = x - c->Left(), ly = y - c->Top();
        if (!c->Contains(lx, ly)) continue;
        if (auto* sub = dynamic_cast<Container*>(c)) return sub->HitAt(lx, ly);
        return c;
    }
    return nullptr;
}

Control* Container::HitAt(int x, int y) {
    if (Control* c = ControlAt(x, y)) return c;
    return Contains(x, y) ? this : nullptr;
}

void Container::Paint(SDL_Surface* target, int originX, int originY, Scale scale) {
    SDL_Rect clip;
    SDL_GetClipRect(target, &clip);
    const SDL_Rect at = ScreenBounds();
    const SDL_Rect mine{originX, originY, scale.Span(at.x, at.w), scale.Span(at.y, at.h)};
    SDL_Rect area;
    if (!SDL_IntersectRect(&clip, &mine, &area)) return;
    SDL_SetClipRect(target, &area);
    // A child's edges are rounded where they lie in the window, as every other control's are.
    const int baseX = originX - scale.Px(at.x), baseY = originY - scale.Px(at.y);
    auto placeOf = [&](const Control& c) {
        const int x = at.x + c.Left(), y = at.y + c.Top();
        return SDL_Rect{baseX + scale.Px(x), baseY + scale.Px(y), scale.Span(x, c.Width()), scale.Span(y, c.Height())};
    };
    // Whatever lies under the topmost opaque child that covers the whole area is painted over anyway:
    // the container's own colour and the children below it are left out. Short of that, the colour is not
    // laid where the largest opaque part of a child will lie.
    std::size_t first = 0;
    bool covered = false;
    SDL_Rect hole{area.x, area.y, 0, 0};
    for (std::size_t i = children_.size(); i-- > 0 && !covered;) {
        const Control& c = *children_[i];
        if (!c.Visible()) continue;
        const SDL_Rect part = c.OpaquePart(scale, placeOf(c));
        SDL_Rect inside;
        if (!SDL_IntersectRect(&part, &area, &inside)) continue;
        if (SDL_RectEquals(&inside, &area)) {
            first = i;
            covered = true;
        } else if (static_cast<long>(inside.w) * inside.h > static_cast<long>(hole.w) * hole.h) {
            hole = inside;
        }
    }
    if (colour_.a && !covered) {
        const Uint32 colour = SDL_MapRGB(target->format, colour_.r, colour_.g, colour_.b);
        const SDL_Rect strips[4] = {
            {area.x, area.y, area.w, hole.y - area.y},
            {area.x, hole.y + hole.h, area.w, area.y + area.h - hole.y - hole.h},
            {area.x, hole.y, hole.x - area.x, hole.h},
            {hole.x + hole.w, hole.y, area.x + area.w - hole.x - hole.w, hole.h},
        };
        for (const SDL_Rect& strip : strips)
            if (strip.w > 0 && strip.h > 0) SDL_FillRect(target, &strip, colour);
    }
    for (std::size_t i = first; i < children_.size(); ++i) {
        const auto& c = children_[i];
        if (!c->Visible()) continue;
        const SDL_Rect r = placeOf(*c);
        if (!SDL_HasIntersection(&r, &area)) continue;
        c->Paint(target, r.x, r.y, scale);
        SDL_SetClipRect(target, &area);
        if (!c->Enabled() && c->DimmedWhenDisabled()) {
            SDL_Rect dim;
            if (SDL_IntersectRect(&r, &area, &dim)) Dim(target, dim);
        }
    }
    SDL_SetClipRect(target, &clip);
}

Form::Form(std::string name, int width, int height) : Container(std::move(name)) {
    SetBounds(0, 0, width, height);
    InvalidateAll();
}

Form::~Form() {
    if (canvas_) SDL_FreeSurface(canvas_);
}

void Form::SetScale(ui::Scale scale) {
    if (scale == scale_) return;
    scale_ = scale;
    if (canvas_) SDL_FreeSurface(canvas_);
    canvas_ = nullptr;
    InvalidateAll();
}

void Form::SetClientSize(int width, int height) {
    if (width == Width() && height == Height()) return;
    SetBounds(0, 0, width, height);
    if (canvas_) SDL_FreeSurface(canvas_);
    canvas_ = nullptr;
    InvalidateAll();
}

void Form::InvalidateRect(const SDL_Rect& r) {
    const SDL_Rect all{0, 0, Width(), Height()};
    SDL_Rect area;
    if (!SDL_IntersectRect(&r, &all, &area)) return;
    // Areas that overlap or touch are painted as one; so is everything once there are too many.
    for (bool merged = true; merged;) {
        merged = false;
        for (auto it = dirty_.begin(); it != dirty_.end(); ++it) {
            const SDL_Rect grown{it->x - 1, it->y - 1, it->w + 2, it->h + 2};
            if (SDL_HasIntersection(&grown, &area)) {
                area = Union(area, *it);
                dirty_.erase(it);
                merged = true;
                break;
            }
        }
    }
    dirty_.push_back(area);
    // Too many: the two areas whose joining paints the fewest pixels more become one, until few enough.
    while (dirty_.size() > kMaxDirtyAreas) {
        auto pixels = [](const SDL_Rect& r) { return static_cast<long>(r.w) * r.h; };
        std::size_t bestI = 0, bestJ = 1;
        long bestCost = -1;
        for (std::size_t i = 0; i < dirty_.size(); ++i)
            for (std::size_t j = i + 1; j < dirty_.size(); ++j) {
                const long cost = pixels(Union(dirty_[i], dirty_[j])) - pixels(dirty_[i]) - pixels(dirty_[j]);
                if (bestCost < 0 || cost < bestCost) {
                    bestCost = cost;
                    bestI = i;
                    bestJ = j;
                }
            }
        const SDL_Rect joined = Union(dirty_[bestI], dirty_[bestJ]);
        dirty_.erase(dirty_.begin() + static_cast<std::ptrdiff_t>(bestJ));
        dirty_.erase(dirty_.begin() + static_cast<std::ptrdiff_t>(bestI));
        // The joined area may now overlap others: it goes in again by the same rule.
        InvalidateRect(joined);
    }
}

void Form::InvalidateAll() { dirty_.assign(1, SDL_Rect{0, 0, Width(), Height()}); }

SDL_Surface* Form::Canvas() {
    if (!canvas_)
        canvas_ = SDL_CreateRGBSurfaceWithFormat(0, scale_.Px(Width()), scale_.Px(Height()), 32, SDL_PIXELFORMAT_RGB888);
    return canvas_;
}

SDL_Rect Form::Render() {
    SDL_Surface* canvas = Canvas();
    if (!canvas) return {0, 0, 0, 0};
    return RenderTo(canvas, 0, 0);
}

SDL_Rect Form::RenderTo(SDL_Surface* target, int x, int y) {
    std::vector<SDL_Rect> areas;
    areas.swap(dirty_);
    repainted_.clear();
    if (!target) return {0, 0, 0, 0};
    const ui::Scale s = scale_;
    SDL_Rect box{0, 0, 0, 0};
    for (const SDL_Rect& area : areas) {
        const SDL_Rect px{s.Px(area.x), s.Px(area.y), s.Span(area.x, area.w), s.Span(area.y, area.h)};
        const SDL_Rect clip{x + px.x, y + px.y, px.w, px.h};
        SDL_SetClipRect(target, &clip);
        Paint(target, x, y, s);
        repainted_.push_back(px);
        box = Union(box, repainted_.back());
    }
    SDL_SetClipRect(target, nullptr);
    return box;
}

void Form::MouseMove(int x, int y) {
    Control* now = HitAt(x, y);
    if (now == this) now = nullptr;
    if (now != hover_) {
        if (hover_) hover_->SetHovered(false);
        hover_ = now;
        if (hover_ && (!press_ || press_ == hover_)) hover_->SetHovered(true);
    }
}

void Form::MouseDown(int x, int y) {
    if (OnMouseDown) {
        auto handler = OnMouseDown;
        handler();
    }
    MouseMove(x, y);
    press_ = hover_;
    if (press_) press_->SetPressed(true);
}

void Form::MouseUp(int x, int y) {
    MouseMove(x, y);
    Control* pressed = press_;
    press_ = nullptr;
    if (!pressed) return;
    pressed->SetPressed(false);
    if (pressed == hover_ && pressed->Visible() && pressed->Enabled() && pressed->OnClick) {
        // The handler may reshape the window; copy it so it survives that.
        auto handler = pressed->OnClick;
        handler();
    }
}

void Form::MouseLeave() {
    if (hover_) hover_->SetHovered(false);
    hover_ = nullptr;
}

bool Form::IsDragPoint(int x, int y) {
    // A control that lets drags through still lies on whatever holds it: a label on a panel is part of
    // the panel, and the panel decides.
    for (Control* c = HitAt(x, y); c && c != this; c = c->Parent())
        if (c->StopsWindowDrag()) return false;
    return true;
}

} // namespace zv::ui
