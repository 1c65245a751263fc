// The clock, the zenity fallback of the file chooser, and the fakes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/Clock.h"
#include "kit/PlatformFakes.h"
#include "kit/TempDir.h"
#include "platform/Display.h"
#include "platform/FileDialog.h"
#include "platform/Language.h"
#include "platform/MessageBox.h"

using namespace zv::platform;

TEST(Clock, SystemClockGivesAValidUtcTimeOfDay) {
    const zv::TimeOfDay t = SystemClock().Now();
    EXPECT_GE(t.hour, 0);
    EXPECT_LE(t.hour, 23);
    EXPECT_GE(t.minute, 0);
    EXPECT_LE(t.minute, 59);
    EXPECT_GE(t.second, 0);
    EXPECT_LE(t.second, 59);
    EXPECT_GE(t.millisecond, 0);
    EXPECT_LE(t.millisecond, 999);
    const time_t now = time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    // Same hour, unless the test straddles its end.
    EXPECT_TRUE(t.hour == tm.tm_hour || t.minute == 59 || tm.tm_min == 0);

    zv::kit::FakeClock fixed({1, 2, 3, 4});
    EXPECT_EQ(fixed.Now().millisecond, 4);
    fixed.Set({5, 6, 7, 8});
    EXPECT_EQ(fixed.Now().hour, 5);
}

TEST(MessageBox, FakeRecordsKindTitleAndText) {
    zv::kit::FakeMessageBoxes boxes;
    MessageBoxes& b = boxes;
    b.ShowInfo(kAppTitle, "Zorvex 2000 уже загружены");
    b.ShowError(kAppTitle, "File not found");
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[0].kind, zv::kit::FakeMessageBoxes::Kind::Info);
    EXPECT_EQ(boxes.shown[0].title, "Zorvex 2000");
    EXPECT_EQ(boxes.shown[0].text, "Zorvex 2000 уже загружены");
    EXPECT_EQ(boxes.shown[1].kind, zv::kit::FakeMessageBoxes::Kind::Error);
}

TEST(FileDialog, ZenityAnswerIsReadAndItsArgumentsAreRight) {
    zv::kit::TempDir dir;
    const std::string program = dir / "zenity";
    std::ofstream(program) << "#!/bin/sh\n"
                              "printf '%s\\n' \"$@\" > \"" << dir.path() << "/args\"\n"
                              "[ -e \"" << dir.path() << "/cancel\" ] && exit 1\n"
                              "echo '/home/игрок/темы/a b.zvt'\n";
    chmod(program.c_str(), 0700);

    const auto picked = OpenFileWithZenity("Тема", kThemeFilterName, kThemePattern, program, dir.path());
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, "/home/игрок/темы/a b.zvt");
    std::ifstream args(dir / "args");
    std::vector<std::string> got;
    for (std::string a; std::getline(args, a);) got.push_back(a);
    EXPECT_EQ(got, (std::vector<std::string>{"--file-selection", "--title=Тема", "--file-filter=Zorvex 2000 Theme | *.zvt",
                                             "--file-filter=Все файлы | *", "--filename=" + dir.path() + "/"}));

    std::ofstream(dir / "cancel") << "";
    EXPECT_EQ(OpenFileWithZenity("t", kThemeFilterName, kThemePattern, program), std::nullopt);
    EXPECT_EQ(OpenFileWithZenity("t", kThemeFilterName, kThemePattern, dir / "missing"), std::nullopt);
}

TEST(FileDialog, TheChooserOpensInTheLastFolderElsePicturesElseHome) {
    zv::kit::TempDir dir;
    const std::string last = dir / "themes", pictures = dir / "Pictures", home = dir.path(), gone = dir / "gone";
    std::filesystem::create_directories(last);
    std::filesystem::create_directories(pictures);
    const struct { std::string last, pictures, home, opens; } cases[] = {
        {last, pictures, home, last}, {"", pictures, home, pictures}, {gone, pictures, home, pictures},
        {gone, "", home, home}, {gone, gone, gone, ""}};
    for (const auto& c : cases) EXPECT_EQ(ChooserStartFolder(c.last, c.pictures, c.home), c.opens) << c.last;
}

TEST(Fakes, FileDialogAndFullScreenFollowTheirScript) {
    zv::kit::FakeFileDialog dialog;
    dialog.answers = {std::string("/tmp/a.zvt"), std::nullopt};
    EXPECT_EQ(dialog.OpenFile("t", kThemeFilterName, kThemePattern), "/tmp/a.zvt");
    EXPECT_EQ(dialog.OpenFile("t", kThemeFilterName, kThemePattern), std::nullopt);
    EXPECT_EQ(dialog.OpenFile("t", kThemeFilterName, kThemePattern), std::nullopt);
    EXPECT_EQ(dialog.requests.size(), 3u);

    zv::kit::FakeFullScreen fs;
    fs.failInitialise = true;
    EXPECT_THROW(fs.Initialise(), std::runtime_error);
    EXPECT_FALSE(fs.Active());
    fs.failInitialise = false;
    fs.Initialise();
    EXPECT_TRUE(fs.Active());
    fs.Finalise();
    EXPECT_FALSE(fs.Active());
    EXPECT_EQ(fs.initialiseCalls, 2);
    EXPECT_EQ(fs.finaliseCalls, 1);
}

TEST(Clock, SystemClockGivesAPlausibleLocalDate) {
    const zv::DateTime d = SystemClock().Local();
    EXPECT_GE(d.year, 2024);
    EXPECT_GE(d.month, 1);
    EXPECT_LE(d.month, 12);
    EXPECT_GE(d.day, 1);
    EXPECT_LE(d.day, 31);
    EXPECT_LE(d.hour, 23);
    EXPECT_LE(d.second, 59);
}

TEST(Calendar, DatesAreShownInTheLocalesFormAndInTheGamesOwnWithoutALocale) {
    const std::string before = std::setlocale(LC_TIME, nullptr);
    const struct { const char* locale; int hour; const char* shown; } cases[] = {
        {"C", 21, "01.06.2026 21:05"}, {"C.UTF-8", 9, "01.06.2026 09:05"},
        {"en_US.UTF-8", 21, "06/01/2026 09:05 PM"}, {"en_US.UTF-8", 9, "06/01/2026 09:05 AM"}};
    for (const auto& c : cases) {
        if (!std::setlocale(LC_TIME, c.locale)) {
            std::printf("locale %s missing: not checked\n", c.locale);
            continue;
        }
        EXPECT_EQ(LocalDateTime(2026, 6, 1, c.hour, 5), c.shown) << c.locale;
    }
    std::setlocale(LC_TIME, before.c_str());
}

TEST(Account, TheFullNameIsTheCommentFieldUpToItsFirstComma) {
    EXPECT_EQ(NameFromEntry("Анна Кузнецова,Room 4,555-1234,", "anna"), "Анна Кузнецова");
    EXPECT_EQ(NameFromEntry("  Bob Smith  ", "bob"), "Bob Smith");
    EXPECT_EQ(NameFromEntry("", "carol"), "carol");
    EXPECT_EQ(NameFromEntry(",,,", "dave"), "dave");
    EXPECT_EQ(NameFromEntry(" ,x", "erin"), "erin");
    EXPECT_FALSE(SystemAccount().PlayerName().empty());
}
