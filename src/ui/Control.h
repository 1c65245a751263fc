// The base of our component library: controls with place, size, visibility, enabled state, stacking order and a click handler.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Scale.h"

namespace zv::ui {

class Form;
class Container;

// States a control can be drawn in; image buttons pick a cell of their state strip by it.
enum class ButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

class Control {
public:
    explicit Control(std::string name = {}) : name_(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }

    int Left() const { return rect_.x; }
    int Top() const { return rect_.y; }
    int Width() const { return rect_.w; }
    int Height() const { return rect_.h; }
    const SDL_Rect& Bounds() const { return rect_; }
    void SetBounds(int left, int top, int width, int height);
    void SetLeft(int v) { SetBounds(v, rect_.y, rect_.w, rect_.h); }
    void SetTop(int v) { SetBounds(rect_.x, v, rect_.w, rect_.h); }
    void SetWidth(int v) { SetBounds(rect_.x, rect_.y, v, rect_.h); }
    void SetHeight(int v) { SetBounds(rect_.x, rect_.y, rect_.w, v); }

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    // Draws the control greyed out while it is disabled. Off by default: some controls are disabled
    // only so that presses pass through them, and must look as they always do.
    void SetDimmedWhenDisabled(bool v);
    bool DimmedWhenDisabled() const { return dimWhenDisabled_; }

    // A click: a press and a release over the same control.
    std::function<void()> OnClick;

    // Rectangle in window coordinates.
    SDL_Rect ScreenBounds() const;
    Container* Parent() const { return parent_; }
    // Whether it and every container above it are visible.
    bool Showing() const;
    // Does what a click on it does, if it could be clicked: shown, enabled, with a click handler.
    // True when the handler ran. Keys use this, so a shortcut can do no more than its control.
    bool Activate();
    Form* OwnerForm() const;

    // Paints the control at a scale: it covers its rounded place (PixelBounds) on the target, its top-left
    // corner at originX, originY (target pixels). Everything is drawn for the scale, not enlarged.
    virtual void Paint(SDL_Surface* target, int originX, int originY, Scale scale) = 0;
    // Its place in window pixels at a scale: each edge of ScreenBounds rounded on its own, so controls
    // that touch in logical pixels touch in window pixels at every scale.
    SDL_Rect PixelBounds(Scale scale) const;
    int PixelWidth(Scale scale) const { return PixelBounds(scale).w; }
    int PixelHeight(Scale scale) const { return PixelBounds(scale).h; }
    // Whether the point (in control coordinates) belongs to the control.
    virtual bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < rect_.w && y < rect_.h; }
    // Whether painting the control at a scale covers every pixel of its rectangle with opaque colour,
    // so that nothing below it needs painting there.
    virtual bool Opaque(Scale scale) const { (void)scale; return false; }
    // The part of the control, placed at `placed` in the window, that painting it covers with opaque colour: all
    // of it when Opaque, else nothing unless the control knows better.
    virtual SDL_Rect OpaquePart(Scale scale, const SDL_Rect& placed) const { return Opaque(scale) ? placed : SDL_Rect{0, 0, 0, 0}; }
    // Whether a press here keeps the window from being dragged (picture controls and panels do; so
    // does everything inside a panel).
    virtual bool StopsWindowDrag() const { return true; }

    // Asks for a repaint of the control's area.
    void Invalidate();

    // Mouse state pushed by the form's routing.
    bool Hovered() const { return hovered_; }
    bool PressedDown() const { return pressed_; }
    void SetHovered(bool v);
    void SetPressed(bool v);

protected:
    ButtonState CurrentState() const;

private:
    friend class Container;
    std::string name_;
    SDL_Rect rect_{0, 0, 0, 0};
    bool visible_ = true;
    bool enabled_ = true;
    bool dimWhenDisabled_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
    Container* parent_ = nullptr;
};

// A control that holds others, stacked from bottom (first added) to top (last added).
class Container : public Control {
public:
    explicit Container(std::string name = {}) : Control(std::move(name)) {}

    template <class T, class... Args>
    T& Add(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *owned;
        Adopt(std::move(owned));
        return ref;
    }
    // Adds a control at its place and size.
    template <class T>
    T& AddAt(const std::string& name, int left, int top, int width, int height) {
        T& c = Add<T>(name);
        c.SetBounds(left, top, width, height);
        return c;
    }
    void Adopt(std::unique_ptr<Control> child);
    const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
    Control* Find(const std::string& name) const;

    // Fill colour of the container itself; alpha 0 paints nothing.
    void SetColour(SDL_Color c);
    SDL_Color Colour() const { return colour_; }

    // Topmost visible and enabled control under a point in this container's coordinates, or null.
    Control* ControlAt(int x, int y);
    // Same, but also considers this container itself.
    Control* HitAt(int x, int y);

    void Paint(SDL_Surface* target, int originX, int originY, Scale scale) override;
    bool Opaque(Scale) const override { return colour_.a != 0; }

private:
    std::vector<std::unique_ptr<Control>> children_;
    SDL_Color colour_{0, 0, 0, 0};
};

// The root of a window: it owns the paint surface, tracks what needs repainting, and routes the mouse.
// Places, sizes and the mouse are in logical pixels (those of a 96-dpi screen); the form paints them at
// its scale, in quarter steps, so its canvas is its size rounded at that scale.
class Form : public Container {
public:
    Form(std::string name, int width, int height);
    ~Form() override;

    // The factor the form paints at (1 to kMaxScale); changing it repaints everything.
    ui::Scale Scale() const { return scale_; }
    void SetScale(ui::Scale scale);
    static constexpr int kMaxScale = 4;

    // The form's own paint surface, made on first use (a window painting straight into its
    // window surface never needs one); scale x the form's size.
    SDL_Surface* Canvas();
    // Repaints what was invalidated into the canvas; returns the bounding box of the repainted areas in
    // canvas pixels (w = 0 when nothing).
    SDL_Rect Render();
    // Repaints what was invalidated straight into a target, the form's corner at x, y; returns the
    // bounding box of the repainted areas in target pixels relative to that corner.
    SDL_Rect RenderTo(SDL_Surface* target, int x, int y);
    // The areas the last Render or RenderTo painted, in target pixels relative to the form's corner.
    const std::vector<SDL_Rect>& Repainted() const { return repainted_; }
    // Marks a window-coordinate rectangle for repaint. Areas far apart stay apart (a move changes two
    // cells, the new balls, the preview and the score), up to kMaxDirtyAreas; beyond that the nearest join.
    void InvalidateRect(const SDL_Rect& r);
    void InvalidateAll();
    bool Dirty() const { return !dirty_.empty(); }
    static constexpr std::size_t kMaxDirtyAreas = 16;
    // Resizes the canvas (the window sizes itself to its content).
    void SetClientSize(int width, int height);

    // Mouse routing, in window coordinates.
    void MouseMove(int x, int y);
    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    void MouseLeave();
    // A press here drags the window: neither the topmost visible, enabled control under it nor any
    // container holding that control blocks dragging.
    bool IsDragPoint(int x, int y);

    // Convenience for tests: a full click at a point.
    void ClickAt(int x, int y) { MouseDown(x, y); MouseUp(x, y); }

    // A key pressed while the window has the keyboard, with the modifiers held (KMOD_CTRL, ...).
    std::function<void(SDL_Keycode key, Uint16 mod)> OnKeyDown;
    // A mouse button went down in the window, before the press is routed.
    std::function<void()> OnMouseDown;

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string c) { caption_ = std::move(c); }

private:
    SDL_Surface* canvas_ = nullptr;
    ui::Scale scale_ = 1;
    std::vector<SDL_Rect> dirty_;
    std::vector<SDL_Rect> repainted_;
    Control* hover_ = nullptr;
    Control* press_ = nullptr;
    std::string caption_;
};

} // namespace zv::ui
