// Tests of the record files: names, format, start-up loading and the writer used in play.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <ctime>

#include "store/Records.h"
#include "kit/TempDir.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using kit::GetFile;
using kit::PutFile;
using kit::TempDir;

// Each mode keeps its record in a file of its own, the one its writer writes, and the start-up reads every mode once.
TEST(RecordNames, EachModeReadsAndWritesAFileOfItsOwn) {
    TempDir dir;
    FileRecordWriter writer(dir.path(), [](const std::string& m) { ADD_FAILURE() << m; });
    std::set<Mode> read;
    for (Mode m : kRecordReadOrder) {
        EXPECT_TRUE(read.insert(m).second) << "a mode read twice";
        writer.WriteRecordFile(m, 200 + static_cast<int>(m));
    }
    EXPECT_EQ(read.size(), static_cast<std::size_t>(kModeCount));
    EXPECT_EQ(dir.Names().size(), static_cast<std::size_t>(kModeCount) * 2) << "a record file and its lock for each mode";
    for (Mode m : kRecordReadOrder) {
        EXPECT_EQ(RecordFilePath(dir.path(), m), dir / RecordFileName(m));
        EXPECT_EQ(LoadRecordFile(dir.path(), m).value, 200 + static_cast<int>(m));
    }
}

TEST(RecordText, LastLineCountsWithoutItsLineEnd) {
    EXPECT_EQ(LastLine("250\r\n"), "250");
    EXPECT_EQ(LastLine("100"), "100");
    EXPECT_EQ(LastLine(""), "");
    EXPECT_EQ(LastLine("100\r\n180\r\n250\r\n"), "250");
    EXPECT_EQ(LastLine("100\n250"), "250");
    // A trailing empty line is the last line, and it is no number.
    EXPECT_EQ(LastLine("250\r\n\r\n"), "");
    EXPECT_EQ(FormatRecord(250), "250\r\n");
    EXPECT_EQ(FormatRecord(-7), "-7\r\n");
}

TEST(RecordNumber, DecimalInTheSigned32BitRange) {
    std::int32_t v = 42;
    EXPECT_TRUE(ParseRecordNumber("250", v));
    EXPECT_EQ(v, 250);
    EXPECT_TRUE(ParseRecordNumber("  -3\t", v));
    EXPECT_EQ(v, -3);
    EXPECT_TRUE(ParseRecordNumber("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(ParseRecordNumber("-2147483648", v));
    EXPECT_EQ(v, -2147483647 - 1);
    for (const char* bad : {"", "  ", "-", "2147483648", "-2147483649", "12a", "1 2", "0x10", "--1",
                            "99999999999999999999999999"}) {
        v = 42;
        EXPECT_FALSE(ParseRecordNumber(bad, v)) << '"' << bad << '"';
        EXPECT_EQ(v, 42);
    }
}

TEST(RecordLoad, MissingFileIsCreatedWithOneHundredAndNoLineEnd) {
    TempDir dir;
    const RecordLoad r = LoadRecordFile(dir.path(), Mode::Ring);
    EXPECT_EQ(r.text, "100");
    EXPECT_EQ(r.value, 100);
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(GetFile(dir / "zorvexr2000.rec"), "100");
}

TEST(RecordLoad, ReadsTheLastLineOfAnExistingFile) {
    TempDir dir;
    PutFile(dir / "zorvex2000.rec", "100\r\n250\r\n");
    const RecordLoad r = LoadRecordFile(dir.path(), Mode::Line);
    EXPECT_EQ(r.text, "250");
    EXPECT_EQ(r.value, 250);
    EXPECT_EQ(r.error, "");
}

TEST(RecordLoad, UnusableFilesCountAsOneHundredAndAreLeftAlone) {
    TempDir dir;
    const std::string path = dir / "zorvexs2000.rec";
    for (const char* content : {"champion\r\n", "250\r\n\r\n", ""}) {
        PutFile(path, content);
        const RecordLoad r = LoadRecordFile(dir.path(), Mode::Square);
        EXPECT_EQ(r.text, "100");
        EXPECT_EQ(r.value, 100);
        EXPECT_TRUE(r.error.starts_with(path + ": Invalid variant type conversion (")) << r.error;
        EXPECT_EQ(GetFile(path), content);
    }
    std::remove(path.c_str());
    ::mkdir(path.c_str(), 0755);
    const RecordLoad r = LoadRecordFile(dir.path(), Mode::Square);
    EXPECT_EQ(r.text, "100");
    const std::string kept = "; the record counts as 100 this time and the file is left as it is";
    EXPECT_EQ(r.error, path + ": File access denied (a directory, not a file)" + kept);

    const RecordLoad gone = LoadRecordFile(dir / "missing", Mode::Cross);
    EXPECT_EQ(gone.text, "100");
    EXPECT_EQ(gone.error, dir / "missing/zorvexb2000.rec: File not found" + kept);
}

TEST(RecordWriterTest, WritesTheScoreAndCrLf) {
    TempDir dir;
    std::vector<std::string> reports;
    FileRecordWriter writer(dir.path(), [&](const std::string& m) { reports.push_back(m); });
    writer.WriteRecordFile(Mode::Cross, 120);
    writer.WriteRecordFile(Mode::Cross, 130);
    EXPECT_EQ(GetFile(dir / "zorvexb2000.rec"), "130\r\n");
    EXPECT_EQ(LoadRecordFile(dir.path(), Mode::Cross).value, 130);
    EXPECT_TRUE(reports.empty());
}

TEST(RecordWriterTest, FailingFileIsReportedOnceUntilAWriteSucceeds) {
    TempDir dir;
    const std::string records = dir / "records";
    PutFile(records, "a file where the directory should be");
    std::vector<std::string> reports;
    FileRecordWriter writer(records, [&](const std::string& m) { reports.push_back(m); });

    writer.WriteRecordFile(Mode::Line, 110);
    writer.WriteRecordFile(Mode::Line, 120);
    writer.WriteRecordFile(Mode::Line, 130);
    // The message names the file, as the messages at start-up do.
    const std::string why = ": File not found (a part of the path is not a directory)";
    EXPECT_EQ(reports, std::vector<std::string>{records + "/zorvex2000.rec" + why});
    // Another mode's file is a failure of its own.
    writer.WriteRecordFile(Mode::Ring, 130);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[1], records + "/zorvexr2000.rec" + why);

    std::remove(records.c_str());
    EnsureDirectory(records);
    writer.WriteRecordFile(Mode::Line, 140);
    EXPECT_EQ(GetFile(records + "/zorvex2000.rec"), "140\r\n");
    EXPECT_EQ(reports.size(), 2u);

    std::filesystem::remove_all(records);
    PutFile(records, "broken again");
    writer.WriteRecordFile(Mode::Line, 150);
    writer.WriteRecordFile(Mode::Line, 160);
    EXPECT_EQ(reports.size(), 3u);
    // Ring never succeeded in between: still quiet.
    writer.WriteRecordFile(Mode::Ring, 160);
    EXPECT_EQ(reports.size(), 3u);
}

TEST(RecordWriterTest, WrittenScoresReadBackExactly) {
    const unsigned seed = std::random_device{}();
    std::printf("seed %u\n", seed);
    std::mt19937 rng(seed);
    std::uniform_int_distribution<std::int32_t> score(INT32_MIN, INT32_MAX);
    TempDir dir;
    FileRecordWriter writer(dir.path(), [](const std::string& m) { ADD_FAILURE() << m; });
    for (int round = 0; round < 100; ++round) {
        const std::int32_t s = round == 0 ? INT32_MIN : score(rng);
        std::remove(RecordFilePath(dir.path(), Mode::Square).c_str()); // a record on disk is never lowered
        writer.WriteRecordFile(Mode::Square, s);
        const RecordLoad r = LoadRecordFile(dir.path(), Mode::Square);
        ASSERT_EQ(r.value, s) << "seed " << seed;
        ASSERT_EQ(r.text, std::to_string(s)) << "seed " << seed;
    }
}

} // namespace
} // namespace zv::store

namespace zv::store {
namespace {

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(RecordWriterTurns, SameRecordAgainLeavesTheFileAloneAndANewOneReplacesIt) {
    kit::TempDir dir;
    FileRecordWriter w(dir.path(), [](const std::string&) {});
    const std::string path = RecordFilePath(dir.path(), Mode::Line);
    w.WriteRecordFile(Mode::Line, 120);
    const ino_t first = Inode(path);
    w.WriteRecordFile(Mode::Line, 120); // every turn at the record asks again
    EXPECT_EQ(Inode(path), first);
    EXPECT_EQ(kit::GetFile(path), "120\r\n");
    // A file changed behind our back is rewritten: the check reads the file, not a memory of it.
    kit::PutFile(path, "7\r\n");
    w.WriteRecordFile(Mode::Line, 120);
    EXPECT_EQ(kit::GetFile(path), "120\r\n");
    w.WriteRecordFile(Mode::Line, 125);
    EXPECT_EQ(kit::GetFile(path), "125\r\n");
}

TEST(AtomicWriteLeftovers, OldTemporariesOfAKilledWriteGoYoungOnesStay) {
    kit::TempDir dir;
    const std::string old = dir / ".config.cfg.AbC123", young = dir / ".config.cfg.XyZ789", other = dir / ".other.cfg.AbC123";
    for (const auto& p : {old, young, other}) kit::PutFile(p, "half");
    struct timespec times[2] = {{::time(nullptr) - 600, 0}, {::time(nullptr) - 600, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, old.c_str(), times, 0), 0);
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    WriteTextFileAtomic(dir / "config.cfg", "nanssy\r\n");
    EXPECT_FALSE(FileExists(old));
    EXPECT_TRUE(FileExists(young));
    EXPECT_TRUE(FileExists(other)); // another file's leftovers are that file's business
}

} // namespace
} // namespace zv::store
