// Every caption painted into a skin's background or a button, in Russian and in English, stays within its room at every scale.
#include <gtest/gtest.h>

#include <cstring>

#include "captions.h"

namespace {

struct Look {
    const char* name;
    const SkinLook& look;
};

// Text is laid out afresh at each scale, so a caption that fits at 1x may still overrun its room, s times as wide, at 2x.
TEST(CaptionFit, EveryBackgroundCaptionFitsItsPlaceInEverySkinLanguageAndScale) {
    const Look looks[] = {{"glass", glassLook()}, {"chips", chipsLook()}, {"marbles", marblesLook()}};
    for (int scale : kScales)
        for (const PaintedWords* words : {&russianWords(), &englishWords()})
            for (const Look& l : looks)
                for (const CaptionPlace& p : backgroundCaptions(*words)) {
                    const Lettering& style = p.heading ? l.look.heading : l.look.caption;
                    const auto [left, right] = captionExtent(p, style, scale);
                    EXPECT_GT(right - left, 0.0) << p.text;
                    EXPECT_GE(left, p.roomLeft * scale) << scale << "x " << words->language << " " << l.name << ": \""
                                                        << p.text << "\" starts at " << left << ", its room at "
                                                        << p.roomLeft * scale;
                    EXPECT_LE(right, p.roomRight * scale) << scale << "x " << words->language << " " << l.name << ": \""
                                                          << p.text << "\" ends at " << right << ", its room at "
                                                          << p.roomRight * scale;
                }
}

TEST(CaptionFit, EveryButtonCaptionFitsInsideItsButtonAtEveryScale) {
    for (int scale : kScales)
        for (const PaintedWords* words : {&russianWords(), &englishWords()})
            for (const ButtonCaption& b : buttonCaptions(*words)) {
                const double width = textWidth(b.text, buttonLettering(), scale);
                EXPECT_LE(width, (b.cellWidth - 2 * kButtonMargin) * scale)
                    << scale << "x " << words->language << " " << b.file << ": \"" << b.text << "\"";
            }
}

TEST(CaptionFit, TextWidthAtAScaleIsInThePixelsOfThatScale) {
    // Widths in 1x pixels would let every caption pass at 2x and 3x against rooms s times as wide.
    const Lettering style = buttonLettering();
    const double one = textWidth("Новая игра", style);
    for (int scale : {2, 3}) EXPECT_NEAR(textWidth("Новая игра", style, scale), one * scale, scale * 1.0) << scale;
}

TEST(CaptionFit, BothLanguagesNameEveryPlace) {
    // The same places, each with a word in each language: a caption left out would leave its row blank.
    const auto ru = backgroundCaptions(russianWords());
    const auto en = backgroundCaptions(englishWords());
    ASSERT_EQ(ru.size(), en.size());
    for (std::size_t i = 0; i < ru.size(); ++i) {
        EXPECT_FALSE(en[i].text.empty());
        EXPECT_EQ(ru[i].x, en[i].x);
        EXPECT_EQ(ru[i].cy, en[i].cy);
    }
}

} // namespace
