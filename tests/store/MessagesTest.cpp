// What the player is told about files the game cannot use: the file's path, what is wrong, and what the game does.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "kit/TempDir.h"
#include "store/BestGamesFile.h"
#include "store/MotionFile.h"
#include "store/Records.h"
#include "store/ScaleFile.h"

namespace zv::store {
namespace {

using namespace std::string_literals;
using Make = std::function<void(const std::string& path)>;
Make Content(std::string c) { return [c](const std::string& p) { kit::PutFile(p, c); }; }

TEST(PlayerMessages, SayWhichFileWhatIsWrongAndWhatTheGameDoes) {
    const std::string record = "; the record counts as 100 this time and the file is left as it is";
    const std::string scale = "; the desktop's scale is used and the file is left until a scale is chosen";
    const std::string aside = "bestgames.txt.broken-20260517-143005";
    const struct {
        std::string file;
        Make make;
        std::string says; // after "<path>: "
    } cases[] = {
        {"zorvex2000.rec", Content("champion\r\n"), "Invalid variant type conversion (its last line \"champion\" is not a "
                                                    "whole number from -2147483648 to 2147483647)" + record},
        {"zorvex2000.rec", Content(std::string(100000, '1')),
         "File access denied (the file is larger than 65536 bytes, more than the game ever writes)" + record},
        {"scale.cfg", Content("2.4\r\n"), "the scale 2.4 is not a step of 0.25 written as 1.25, 1.5 or 1.75 are" + scale},
        {"scale.cfg", Content("\xFF\xFE" "2\0\r\0\n\0"s), "the file is not plain text (it holds NUL bytes, as UTF-16 does)" + scale},
        {"scale.cfg", [](const std::string& p) { ::mkdir(p.c_str(), 0700); }, "File access denied (a directory, not a file)" + scale},
        {"scale.cfg", [](const std::string& p) { ::mkfifo(p.c_str(), 0600); }, "File access denied (a named pipe, not a file)" + scale},
        {"scale.cfg", [](const std::string& p) { (void)::symlink(p.c_str(), p.c_str()); },
         "File not found (too many levels of symbolic links)" + scale},
        {"scale.cfg", [](const std::string& p) { (void)::symlink("/dev/null", p.c_str()); }, "File access denied (a device, not a file)" + scale},
        // The motion file says why as every other file does.
        {"motion.cfg", [](const std::string& p) { ::mkdir(p.c_str(), 0700); }, "File access denied (a directory, not a file)"},
        {"bestgames.txt",
         [&](const std::string& p) {
             kit::PutFile(p, "not ours");
             for (int n = 1; n < 1000; ++n) kit::PutFile(p + ".broken-20260517-143005" + (n > 1 ? "-" + std::to_string(n) : ""), "");
         },
         "line 1: not a best-games file (the first line is not \"Zorvex 2000 best games 1\"); it could not be kept aside "
         "(every name from DIR/" + aside + " to DIR/" + aside + "-999 is taken), so the best games are not kept this time"},
    };
    for (const auto& c : cases) {
        kit::TempDir dir;
        c.make(dir / c.file);
        std::string says = c.says;
        for (std::size_t at = 0; (at = says.find("DIR", at)) != std::string::npos; at += dir.path().size())
            says.replace(at, 3, dir.path());
        const std::string said = c.file == "scale.cfg"        ? LoadScale(dir.path()).error
                                 : c.file == "motion.cfg"    ? LoadMotion(dir.path()).error
                                 : c.file == "bestgames.txt" ? LoadBestGamesFile(dir.path(), {2026, 5, 17, 14, 30, 5}).error
                                                             : LoadRecordFile(dir.path(), Mode::Line).error;
        EXPECT_EQ(said, dir / c.file + ": " + says);
    }
}

} // namespace
} // namespace zv::store
