// The motion file: what the reader takes and refuses, and a round trip through the data directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "store/MotionFile.h"

namespace zv::store {
namespace {

TEST(MotionFile, TakesWhatTheWriterWritesAndRefusesTheRest) {
    const struct {
        const char* content;
        bool ok, on;
    } cases[] = {
        {"on\r\n", true, true}, {"off\r\n", true, false}, {"off", true, false}, {"on\n", true, true},
        {"", false, true},      {"On\r\n", false, true},  {"off\r\n\r\n", false, true}, {"1\r\n", false, true},
    };
    for (const auto& c : cases) {
        bool on = true;
        std::string problem;
        EXPECT_EQ(ParseMotion(c.content, on, problem), c.ok) << c.content;
        EXPECT_EQ(on, c.on) << c.content;
        EXPECT_EQ(problem.empty(), c.ok) << c.content;
    }
    const std::string dir = std::filesystem::temp_directory_path() / "zv-motion-test";
    std::filesystem::create_directories(dir);
    EXPECT_FALSE(LoadMotion(dir).on.has_value()); // no file: the game's default
    SaveMotion(dir, false);
    EXPECT_EQ(LoadMotion(dir).on, std::optional<bool>(false));
    std::ofstream(MotionPath(dir)) << "maybe";
    const MotionLoad broken = LoadMotion(dir);
    EXPECT_FALSE(broken.on.has_value());
    EXPECT_NE(broken.error.find(MotionPath(dir)), std::string::npos);
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace zv::store
