// The factor the windows are drawn at, a whole number of quarters from 1 to 4, and how logical places round to pixels.
#pragma once

#include <string>

namespace zv::ui {

class Scale {
public:
    static constexpr int kMinQuarters = 4;
    static constexpr int kMaxQuarters = 16;

    // A whole factor (clamped to 1..4); whole factors are the common case, so ints convert.
    constexpr Scale(int whole = 1) : q_(Clamp(whole * 4)) {} // NOLINT: a whole factor is a scale
    static constexpr Scale FromQuarters(int quarters) {
        Scale s;
        s.q_ = Clamp(quarters);
        return s;
    }

    constexpr int Quarters() const { return q_; }
    constexpr bool IsWhole() const { return q_ % 4 == 0; }
    // The whole factor at or above: whose artwork a fractional factor reduces.
    constexpr int Whole() const { return (q_ + 3) / 4; }
    // The width of a line one logical pixel wide: the factor rounded, never a fraction of a pixel.
    constexpr int Line() const { return (q_ + 2) / 4; }
    double Factor() const { return q_ / 4.0; }

    // The pixel edge of a logical coordinate: round(logical x factor), halves up. Places are rounded at
    // their edges, never their sizes, so neighbours meet with no seam and no overlap.
    constexpr int Px(int logical) const { return FloorDiv(logical * q_ + 2, 4); }
    // The pixels spanned by `length` logical pixels from `start`.
    constexpr int Span(int start, int length) const { return Px(start + length) - Px(start); }
    // The logical pixel whose rounded span holds a pixel: the largest L with Px(L) <= pixel, so that
    // a pixel belongs to a control exactly when it lies in the control's rounded rectangle.
    constexpr int Logical(int pixel) const { return FloorDiv(4 * pixel + 1, q_); }

    // "1", "1.25", "1.5", "1.75", "2", ...
    std::string Text() const {
        static const char* const fractions[4] = {"", ".25", ".5", ".75"};
        return std::to_string(q_ / 4) + fractions[q_ % 4];
    }

    friend constexpr bool operator==(Scale a, Scale b) { return a.q_ == b.q_; }
    friend constexpr auto operator<=>(Scale a, Scale b) { return a.q_ <=> b.q_; }

private:
    static constexpr int Clamp(int q) { return q < kMinQuarters ? kMinQuarters : q > kMaxQuarters ? kMaxQuarters : q; }
    static constexpr int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    int q_ = 4;
};

// The factors Ctrl+Plus and Ctrl+Minus step through, and full screen chooses from.
inline constexpr int kScaleSteps[] = {4, 5, 6, 7, 8, 10, 12, 16};

} // namespace zv::ui
