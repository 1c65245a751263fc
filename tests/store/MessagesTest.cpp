// What the player is told about files the game cannot use: the file's path, what is wrong, and what the game does.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "StoreTestUtil.h"
#include "store/BestGamesFile.h"
#include "store/Records.h"
#include "store/ScaleFile.h"
#include "store/TextFile.h"

namespace zv::store {
namespace {

using namespace std::string_literals;

const DateTime kNow{2026, 5, 17, 14, 30, 5};
const std::string kRecordKept = "; the record counts as 100 this time and the file is left as it is";
const std::string kScaleKept = "; the desktop's scale is used and the file is left until a scale is chosen";

std::string RecordMessage(const std::string& dir) { return LoadRecordFile(dir, Mode::Line).error; }
std::string ScaleMessage(const std::string& dir) { return LoadScale(dir).error; }
std::string BestGamesMessage(const std::string& dir) { return LoadBestGamesFile(dir, kNow).error; }

TEST(PlayerMessages, SayWhichFileWhatIsWrongAndWhatTheGameDoes) {
    const struct {
        const char* file;
        std::function<void(const std::string& path)> make;
        std::function<std::string(const std::string& dir)> load;
        std::string says; // after "<path>: "
    } cases[] = {
        {"zorvex2000.rec", [](const std::string& p) { test::PutFile(p, "champion\r\n"); }, RecordMessage,
         "Invalid variant type conversion (its last line \"champion\" is not a whole number from -2147483648 to "
         "2147483647)" + kRecordKept},
        {"zorvex2000.rec", [](const std::string& p) { test::PutFile(p, std::string(100000, '1')); }, RecordMessage,
         "File access denied (the file is larger than 65536 bytes, more than the game ever writes)" + kRecordKept},
        {"scale.cfg", [](const std::string& p) { test::PutFile(p, "2.5\r\n"); }, ScaleMessage,
         "the scale 2.5 is not a whole number (1, 2, 3 or 4)" + kScaleKept},
        {"scale.cfg", [](const std::string& p) { test::PutFile(p, "\xFF\xFE" "2\0\r\0\n\0"s); }, ScaleMessage,
         "the file is not plain text (it holds NUL bytes, as UTF-16 does)" + kScaleKept},
        {"scale.cfg", [](const std::string& p) { ::mkdir(p.c_str(), 0700); }, ScaleMessage,
         "File access denied (a directory, not a file)" + kScaleKept},
        {"scale.cfg", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, ScaleMessage,
         "File access denied (a named pipe, not a file)" + kScaleKept},
        {"scale.cfg", [](const std::string& p) { (void)::symlink(p.c_str(), p.c_str()); }, ScaleMessage,
         "File not found (too many levels of symbolic links)" + kScaleKept},
        {"scale.cfg", [](const std::string& p) { (void)::symlink("/dev/null", p.c_str()); }, ScaleMessage,
         "File access denied (a device, not a file)" + kScaleKept},
        {"bestgames.txt",
         [](const std::string& p) {
             test::PutFile(p, "not ours");
             const std::string base = p + ".broken-20260517-143005";
             test::PutFile(base, "");
             for (int n = 2; n < 1000; ++n) test::PutFile(base + "-" + std::to_string(n), "");
         },
         BestGamesMessage,
         "line 1: not a best-games file (the first line is not \"Zorvex 2000 best games 1\"); it could not be kept "
         "aside (every name from {path}.broken-20260517-143005 to {path}.broken-20260517-143005-999 is taken), so the "
         "best games are not kept this time"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string path = dir / c.file;
        c.make(path);
        std::string says = c.says;
        for (std::size_t at; (at = says.find("{path}")) != std::string::npos;) says.replace(at, 6, path);
        EXPECT_EQ(c.load(dir.path()), path + ": " + says);
    }
}

} // namespace
} // namespace zv::store
