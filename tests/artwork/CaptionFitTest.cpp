// Every caption painted into a skin's background, in Russian and in English, stays within its room in the layout.
#include <gtest/gtest.h>

#include <cstring>

#include "captions.h"

namespace {

struct Look {
    const char* name;
    const SkinLook& look;
};

TEST(CaptionFit, EveryBackgroundCaptionFitsItsPlaceInEverySkinAndLanguage) {
    const Look looks[] = {{"glass", glassLook()}, {"chips", chipsLook()}, {"marbles", marblesLook()}};
    for (const PaintedWords* words : {&russianWords(), &englishWords()})
        for (const Look& l : looks)
            for (const CaptionPlace& p : backgroundCaptions(*words)) {
                const Lettering& style = p.heading ? l.look.heading : l.look.caption;
                const auto [left, right] = captionExtent(p, style);
                EXPECT_GT(right - left, 0.0) << p.text;
                EXPECT_GE(left, p.roomLeft) << words->language << " " << l.name << ": \"" << p.text << "\" starts at "
                                            << left << ", its room at " << p.roomLeft;
                EXPECT_LE(right, p.roomRight) << words->language << " " << l.name << ": \"" << p.text << "\" ends at "
                                              << right << ", its room at " << p.roomRight;
            }
}

TEST(CaptionFit, EveryButtonCaptionFitsInsideItsButton) {
    for (const PaintedWords* words : {&russianWords(), &englishWords()})
        for (const ButtonCaption& b : buttonCaptions(*words)) {
            const double width = textWidth(b.text, buttonLettering());
            EXPECT_LE(width, b.cellWidth - 2 * kButtonMargin) << words->language << " " << b.file << ": \"" << b.text << "\"";
        }
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
