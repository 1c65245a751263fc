// Tests of the settings file format and its reading rules.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <random>
#include <tuple>
#include <sys/stat.h>

#include "store/Settings.h"
#include "kit/TempDir.h"
#include "store/TextFile.h"


namespace zv::store {
namespace {

using namespace std::string_literals;

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

using Codes = std::tuple<std::string, std::string, std::string>;

// Codes as a comparable, printable value.
Codes Key(const Settings& s) {
    const SettingsCodes c = CodesOf(s);
    return {c.advanced, c.fullScreen, c.sound};
}

Codes Parsed(std::string_view content, Settings start = FromCodes({"x", "y", "z"})) {
    ParseSettings(content, start);
    return Key(start);
}

TEST(SettingsFormat, WrittenAsSixLettersAndCrLf) {
    EXPECT_EQ(FormatSettings(FromCodes({"ad", "fs", "sy"})), "adfssy\r\n");
    EXPECT_EQ(FormatSettings(FromCodes({"", "", ""})), "na\r\n");
    EXPECT_EQ(Key(DefaultSettings()), (Codes{"na", "ns", "sy"}));
}

TEST(SettingsParse, CodesAreTakenTwoCharactersAtATime) {
    EXPECT_EQ(Parsed("adfssy\r\n"), (Codes{"ad", "fs", "sy"}));
    EXPECT_EQ(Parsed("adfssy"), (Codes{"ad", "fs", "sy"}));
    EXPECT_EQ(Parsed("adfssy\n"), (Codes{"ad", "fs", "sy"}));
    EXPECT_EQ(Parsed("adfssyEXTRA\r\n"), (Codes{"ad", "fs", "sy"}));
    // A short line stops at its line end and leaves the later codes short or empty.
    EXPECT_EQ(Parsed("adf\r\n"), (Codes{"ad", "f", ""}));
    EXPECT_EQ(Parsed("a\r\n"), (Codes{"na", "", ""})); // advanced is on only for "ad"
}

TEST(SettingsParse, LastLineCountsAndEmptyContentChangesNothing) {
    EXPECT_EQ(Parsed("nansss\r\nadfssy\r\n"), (Codes{"ad", "fs", "sy"}));
    EXPECT_EQ(Parsed("nansss\nadfssy"), (Codes{"ad", "fs", "sy"}));
    // A trailing empty line is a line: advanced off, the other two codes empty.
    EXPECT_EQ(Parsed("adfssy\r\n\r\n"), (Codes{"na", "", ""}));
    EXPECT_EQ(Parsed("adfssy\n\n"), (Codes{"na", "", ""}));
    EXPECT_EQ(Parsed(""), (Codes{"na", "y", "z"}));
}

TEST(SettingsFile, ShortCodeShiftsTheOthersOnTheNextStart) {
    TempDir dir;
    WriteSettingsFile(dir / "config.cfg", FromCodes({"ad", "f", "sy"}));
    EXPECT_EQ(GetFile(dir / "config.cfg"), "adfsy\r\n");
    Settings codes;
    ASSERT_TRUE(ReadSettingsFile(dir / "config.cfg", codes));
    EXPECT_EQ(Key(codes), (Codes{"ad", "fs", "y"}));
}

TEST(SettingsFile, AdvancedModeIsWrittenAsItStands) {
    // Whatever the file held, advanced mode goes back as "ad" when on and "na" when off.
    EXPECT_EQ(FormatSettings(FromCodes({"xy", "fs", "sy"})), "nafssy\r\n");
    EXPECT_EQ(FormatSettings(FromCodes({"a", "ns", "sn"})), "nanssn\r\n");
    Settings s = FromCodes({"na", "ns", "sy"});
    s.advanced = true;
    EXPECT_EQ(FormatSettings(s), "adnssy\r\n");
}

TEST(SettingsFile, MissingFileLeavesCodesOtherFailuresThrow) {
    TempDir dir;
    Settings codes = DefaultSettings();
    EXPECT_FALSE(ReadSettingsFile(dir / "config.cfg", codes));
    EXPECT_EQ(Key(codes), Key(DefaultSettings()));

    PutFile(dir / "config.cfg", "");
    EXPECT_TRUE(ReadSettingsFile(dir / "config.cfg", codes));
    EXPECT_EQ(Key(codes), Key(DefaultSettings()));

    ::mkdir((dir / "dirname").c_str(), 0755);
    try {
        ReadSettingsFile(dir / "dirname", codes);
        FAIL() << "a directory read as settings";
    } catch (const InOutError& e) {
        EXPECT_STREQ(e.what(), "File access denied");
    }
    PutFile(dir / "plain", "");
    EXPECT_THROW(ReadSettingsFile(dir / "plain/config.cfg", codes), InOutError);
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_THROW(ReadSettingsFile(dir / "fifo", codes), InOutError);
    EXPECT_EQ(Key(codes), Key(DefaultSettings()));
    EXPECT_THROW(WriteSettingsFile(dir / "plain/config.cfg", codes), InOutError);
}

TEST(SettingsParse, KnownCodesBecomeSwitchesAndOthersAreKeptAsRead) {
    Settings s;
    ParseSettings("adfssy\r\n", s);
    EXPECT_TRUE(s.advanced);
    EXPECT_EQ(s.fullScreen, Switch::On);
    EXPECT_EQ(s.sound, Switch::On);
    ParseSettings("nanssn\r\n", s);
    EXPECT_FALSE(s.advanced);
    EXPECT_EQ(s.fullScreen, Switch::Off);
    EXPECT_EQ(s.sound, Switch::Off);
    // Anything else switches nothing; the two switches' codes go back into the file unchanged.
    ParseSettings("AdFSx\r\n", s);
    EXPECT_FALSE(s.advanced);
    EXPECT_EQ(s.fullScreen, Switch::Other);
    EXPECT_EQ(s.sound, Switch::Other);
    EXPECT_EQ(FormatSettings(s), "naFSx\r\n");
    // A value made by default is the game before any file was read: advanced off, two empty codes.
    EXPECT_EQ(Key(Settings{}), (Codes{"na", "", ""}));
}

TEST(SettingsFile, FileOfAnySizeIsReadByItsLastLine) {
    TempDir dir;
    const std::string path = dir / "config.cfg";
    // Grown by many lines, far beyond what is read whole.
    std::string grown;
    while (grown.size() < 3 * kMaxTextFileSize) grown += "nansss\r\n";
    PutFile(path, grown + "adfssy\r\n");
    Settings codes = DefaultSettings();
    ASSERT_TRUE(ReadSettingsFile(path, codes));
    EXPECT_EQ(Key(codes), (Codes{"ad", "fs", "sy"}));

    // The trailing empty line still counts: three empty codes.
    PutFile(path, grown + "adfssy\r\n\r\n");
    ASSERT_TRUE(ReadSettingsFile(path, codes));
    EXPECT_EQ(Key(codes), Key(FromCodes({"", "", ""})));

    // A last line up to kMaxSettingsLine bytes: its start counts. Longer ones are refused at once and
    // the file is left as it is, also one of 2 GB without any line end (sparse here, made last).
    const std::string x(kMaxSettingsLine - 6, 'x'), y(2 * kMaxTextFileSize, 'x');
    for (const auto& [c, read] : {std::pair{"nafssn" + x + "\r\n", true}, {"nafssn" + x, true},
                                  {grown + "nafssn" + x + "y\r\n", false}, {"nafssn" + y, false}, {""s, false}}) {
        PutFile(path, c);
        if (c.empty()) {
            ASSERT_EQ(::truncate(path.c_str(), std::int64_t{2} << 30), 0) << "sparse file";
        }
        codes = DefaultSettings();
        if (read) ASSERT_TRUE(ReadSettingsFile(path, codes)) << c.size();
        else EXPECT_THROW(ReadSettingsFile(path, codes), InOutError) << c.size();
        EXPECT_EQ(Key(codes), read ? (Codes{"na", "fs", "sn"}) : Key(DefaultSettings()));
    }
}

TEST(SettingsFile, ReadsEveryContentAsTheParserReadsIt) {
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 rng(seed);
    // Few letters and many line ends, so that short lines, CRs inside lines and empty last lines are common.
    const std::string alphabet = "ab\r\r\n\n";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    std::uniform_int_distribution<std::size_t> length(0, 12);
    TempDir dir;
    for (int round = 0; round < 300; ++round) {
        // Now and then a long run in front, so that the file is larger than a whole-file read takes.
        std::string content(round % 10 == 0 ? kMaxTextFileSize - 3 + round % 7 : 0, 'z');
        // In short lines: a last line that long is refused, as tested above.
        for (std::size_t i = 7; i < content.size(); i += 8) content[i] = '\n';
        for (std::size_t n = length(rng); n > 0; --n) content += alphabet[pick(rng)];
        PutFile(dir / "config.cfg", content);
        Settings read = FromCodes({"x", "y", "z"});
        ASSERT_TRUE(ReadSettingsFile(dir / "config.cfg", read));
        ASSERT_EQ(Key(read), Parsed(content)) << "seed " << seed << " round " << round;
    }
}

TEST(SettingsFile, TwoLetterCodesSurviveTheRoundTrip) {
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    TempDir dir;
    for (int round = 0; round < 200; ++round) {
        auto code = [&] {
            std::string s;
            while (s.size() < 2) {
                const char ch = static_cast<char>(byte(rng));
                if (ch != '\n') s += ch; // a LF cannot be inside a line
            }
            return s;
        };
        const Settings written = FromCodes({round % 2 ? "ad" : "na", code(), code()});
        WriteSettingsFile(dir / "config.cfg", written);
        Settings read;
        ASSERT_TRUE(ReadSettingsFile(dir / "config.cfg", read));
        ASSERT_EQ(Key(read), Key(written)) << "seed " << seed << " round " << round;
    }
}

} // namespace
} // namespace zv::store
