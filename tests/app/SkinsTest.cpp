// Skins through the main window: the lists each control takes, the window colour, the marks and the skin file.
#include "kit/AppFixture.h"

#include "view/ThemeFile.h"

namespace zv::test {
namespace {

bool SameColour(SDL_Color a, SDL_Color b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

TEST_F(AppTest, GlassThenWindowsChangesOnlyCellsAndPreview) {
    Start();
    form1->CheckGlassClick();
    form1->CheckWindowsClick();
    EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list2);
    EXPECT_EQ(form1->next[3]->GetImageList(), &form1->list2);
    EXPECT_EQ(form1->BackGround->GetImageList(), &form1->list1);
    EXPECT_EQ(form1->Selector(Mode::Line)->GetImageList(), &form1->list1);
    EXPECT_EQ(form1->CheckWindows->GetImageList(), &form1->list1);
    EXPECT_EQ(form1->CheckWindows->ListIndex(), 9);
    EXPECT_EQ(form1->CheckGlass->ListIndex(), 8);
    EXPECT_TRUE(SameColour(form1->WindowColour(), {151, 179, 185, 255}));
    EXPECT_EQ(ReadFile(DataFile("win.sys")), "2");
}

TEST_F(AppTest, SingleThenPeopleThenGlassIsAllListOneAgain) {
    Start();
    form1->CheckSingleClick();
    EXPECT_TRUE(SameColour(form1->WindowColour(), {105, 105, 105, 255}));
    EXPECT_EQ(form1->BackGround->GetImageList(), &form1->List4);
    form1->CheckpeopleClick();
    EXPECT_EQ(form1->im[5]->GetImageList(), &form1->list5);
    EXPECT_EQ(form1->BackGround->GetImageList(), &form1->List4);
    form1->CheckGlassClick();
    for (const ui::ImageList* l : {form1->im[5]->GetImageList(), form1->next[0]->GetImageList(),
                                   form1->BackGround->GetImageList(), form1->Selector(Mode::Block)->GetImageList(),
                                   form1->Checkpeople->GetImageList()})
        EXPECT_EQ(l, &form1->list1);
    EXPECT_TRUE(SameColour(form1->WindowColour(), {151, 179, 185, 255}));
}

TEST_F(AppTest, CustomSkinWithTheDialogCancelledShowsNoPictures) {
    Start();
    form1->CheckBlockClick();
    form1->CheckAddedClick(); // the fake dialog has no answer: cancelled
    EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list6);
    EXPECT_EQ(form1->list6.Count(), 0);
    EXPECT_EQ(form1->CheckAdded->ListIndex(), 9);
    EXPECT_EQ(form1->CheckBlock->ListIndex(), 8);
    EXPECT_EQ(S().SkinIndex, 6);
    // The skin file keeps the last built-in skin.
    EXPECT_EQ(ReadFile(DataFile("win.sys")), "3");
    // A cell with no picture is drawn as a bare button face, not left unpainted.
    form1->Window().Render();
    const SDL_Rect r = form1->im[0]->ScreenBounds();
    EXPECT_EQ(Pixel(form1->Window().Canvas(), r.x + 16, r.y + 16), 0xD4D0C8u);
}

TEST_F(AppTest, ThemeFileReplacesTheCellPicturesAndABadOneChangesNothing) {
    Start();
    // A theme made of the built-in Windows pictures (choosing the skin decodes them).
    form1->CheckWindowsClick();
    std::vector<view::ThemeEntry> entries;
    for (int i = 0; i < form1->list2.Count(); ++i) {
        SDL_RWops* rw = SDL_RWFromFile((dir + "/p.bmp").c_str(), "wb");
        ASSERT_EQ(SDL_SaveBMP_RW(form1->list2.Get(i), rw, 1), 0);
        view::ThemeEntry e;
        const std::string bytes = ReadFile(dir + "/p.bmp");
        e.bitmap.assign(bytes.begin(), bytes.end());
        e.compressed = true;
        entries.push_back(e);
    }
    if (entries.empty()) GTEST_SKIP() << "built without artwork";
    const auto theme = view::WriteThemeBytes(entries);
    WriteFile(dir + "/mine.zvt", std::string(theme.begin(), theme.end()));
    dialog.answers.push_back(dir + "/mine.zvt");
    form1->CheckAddedClick();
    EXPECT_EQ(form1->list6.Count(), 7);
    EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list6);

    form1->CheckGlassClick();
    WriteFile(dir + "/bad.zvt", "not a theme at all");
    dialog.answers.push_back(dir + "/bad.zvt");
    form1->CheckAddedClick();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Cannot open file " + dir + "/bad.zvt: ImageList");
    EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list1);
    EXPECT_EQ(form1->list6.Count(), 7);

    // A file cut short while the player's theme is on the board: the message, and the theme stays whole.
    form1->CheckAddedClick(); // cancelled: back to the loaded theme
    WriteFile(dir + "/cut.zvt", std::string(theme.begin(), theme.begin() + static_cast<long>(theme.size() / 2)));
    dialog.answers.push_back(dir + "/cut.zvt");
    form1->CheckAddedClick();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, dir + "/cut.zvt: Stream read error");
    EXPECT_EQ(form1->list6.Count(), 7);
    for (int i = 0; i < 7; ++i) EXPECT_NE(form1->list6.Get(i), nullptr) << i;
    EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list6);

    // Too few pictures for a skin (a file this short reads as an empty list): refused, nothing changes.
    for (const auto& [name, count] : {std::make_pair(std::string("three.zvt"), 3), std::make_pair(std::string("none.zvt"), 0)}) {
        const auto few = view::WriteThemeBytes(std::vector<view::ThemeEntry>(entries.begin(), entries.begin() + count));
        WriteFile(dir + "/" + name, std::string(few.begin(), few.end()));
        dialog.answers.push_back(dir + "/" + name);
        const std::size_t before = boxes.shown.size();
        form1->CheckAddedClick();
        ASSERT_EQ(boxes.shown.size(), before + 1);
        EXPECT_EQ(boxes.shown.back().text,
                  dir + "/" + name + ": a skin needs at least 7 pictures, this file holds " + std::to_string(count));
        EXPECT_EQ(form1->list6.Count(), 7);
        EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list6);
    }
}

class SkinFileAtStart : public AppTest, public ::testing::WithParamInterface<std::pair<std::string, int>> {};

TEST_P(SkinFileAtStart, AppliesOnlyBuiltInNumbers) {
    const auto& [content, applied] = GetParam();
    std::filesystem::create_directories(services.dataDir);
    WriteFile(DataFile("win.sys"), content);
    Start();
    if (applied) {
        EXPECT_EQ(S().SkinIndex, applied);
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(form1->Skin().checks[static_cast<std::size_t>(i)]->ListIndex(), i + 1 == applied ? 9 : 8);
        EXPECT_EQ(ReadFile(DataFile("win.sys")), std::to_string(applied));
    } else {
        // The window keeps the first skin, and its mark says so.
        for (int i = 0; i < 6; ++i) EXPECT_EQ(form1->Skin().checks[static_cast<std::size_t>(i)]->ListIndex(), i == 0 ? 9 : 8);
        EXPECT_EQ(form1->im[0]->GetImageList(), &form1->list1);
        EXPECT_EQ(ReadFile(DataFile("win.sys")), content);
    }
}

INSTANTIATE_TEST_SUITE_P(Contents, SkinFileAtStart,
                         ::testing::Values(std::make_pair(std::string("3"), 3), std::make_pair(std::string("6"), 0),
                                           std::make_pair(std::string("0"), 0), std::make_pair(std::string(""), 1),
                                           std::make_pair(std::string("1\r\n4"), 4)));

TEST_F(AppTest, SkinFileWithTextIsReportedOnceAndStartUpGoesOn) {
    std::filesystem::create_directories(services.dataDir);
    WriteFile(DataFile("win.sys"), "blue");
    Start();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_NE(boxes.shown[0].text.find("win.sys"), std::string::npos);
    EXPECT_EQ(form1->label2->Caption(), "100");
}

} // namespace
} // namespace zv::test
