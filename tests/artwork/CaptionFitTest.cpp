// Every word of the panel and the buttons, as Pango lays it out in the game's lettering, stays within its room at every scale.
#include <gtest/gtest.h>

#include "captions.h"

namespace {

using zv::view::ButtonCaption;
using zv::view::CaptionPlace;

struct Look {
    const char* name;
    const zv::view::SkinLettering& lettering;
};

// Text is laid out afresh at each scale, so a caption that fits at 1x may still overrun its room, s times as wide, at 2x.
TEST(CaptionFit, EveryPanelWordFitsItsPlaceInEverySkinAndScale) {
    const Look looks[] = {{"glass", zv::view::GlassLettering()}, {"chips", zv::view::ChipsLettering()},
                          {"marbles", zv::view::MarblesLettering()}};
    for (int scale : kScales)
        for (const Look& l : looks)
            for (const CaptionPlace& p : zv::view::PanelCaptions()) {
                const Lettering style = paintLettering(p.heading ? l.lettering.heading : l.lettering.caption);
                const auto [left, right] = captionExtent(p.id, p, style, scale);
                EXPECT_GT(right - left, 0.0) << p.id;
                EXPECT_GE(left, p.x * scale - 0.5) << scale << "x " << l.name << ": \"" << p.id << "\" starts at " << left;
                EXPECT_LE(right, (p.x + p.w) * scale + 0.5) << scale << "x " << l.name << ": \"" << p.id << "\" ends at " << right;
            }
}

TEST(CaptionFit, EveryButtonCaptionFitsInsideItsButtonAtEveryScale) {
    for (int scale : kScales)
        for (const ButtonCaption& b : zv::view::ButtonCaptions()) {
            const double width = textWidth(b.id, paintLettering(zv::view::ButtonLettering(0)), scale);
            EXPECT_LE(width, (b.cellWidth - 2 * zv::view::kButtonMargin) * scale) << scale << "x " << b.file << ": \"" << b.id << "\"";
        }
}

TEST(CaptionFit, TextWidthAtAScaleIsInThePixelsOfThatScale) {
    // Widths in 1x pixels would let every caption pass at 2x and 3x against rooms s times as wide.
    const Lettering style = paintLettering(zv::view::ButtonLettering(0));
    const double one = textWidth("Новая игра", style);
    for (int scale : {2, 3}) EXPECT_NEAR(textWidth("Новая игра", style, scale), one * scale, scale * 1.0) << scale;
}

} // namespace
