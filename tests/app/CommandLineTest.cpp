// The words the game is started with: what it does with each.
#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"

namespace zv::test {
namespace {

using Action = app::CommandLine::Action;

TEST(CommandLine, EachStartIsReadAsAPlayerExpects) {
    // says: a part of the text.
    const struct { std::vector<const char*> args; Action action; bool verbose; int status; const char* says; } cases[] = {
        {{}, Action::Play, false, 0, ""},
        {{"--verbose"}, Action::Play, true, 0, ""},
        {{"--verbose", "-h"}, Action::Help, true, 0, "usage: zorvex2000"},
        {{"--version"}, Action::Version, false, 0, "zorvex2000 "},
        {{"--verbose", "-x", "--help"}, Action::Refuse, true, 2, "unknown option '-x'\nusage: zorvex2000"},
        {{"my.zvt"}, Action::Refuse, false, 2, "unexpected argument 'my.zvt'\nusage:"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv{"zorvex2000"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const app::CommandLine got = app::ReadCommandLine(static_cast<int>(argv.size()), argv.data());
        const std::string line = argv.size() > 1 ? argv[1] : "(none)";
        EXPECT_EQ(got.action, c.action) << line;
        EXPECT_EQ(got.verbose, c.verbose) << line;
        EXPECT_EQ(got.status, c.status) << line;
        EXPECT_NE(got.text.find(c.says), std::string::npos) << line << ": " << got.text;
    }
}

} // namespace
} // namespace zv::test
