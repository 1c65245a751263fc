// What the game does with the words it was started with: play, or answer --help or --version, or refuse.
#pragma once

#include <string>

namespace zv::app {

struct CommandLine {
    enum class Action { Play, Help, Version, Refuse };
    Action action = Action::Play;
    bool verbose = false;
    // For Help and Version the text for standard output; for Refuse the complaint and the usage line
    // for standard error.
    std::string text;
    // The status to end with when the game does not start.
    int status = 0;
};

CommandLine ReadCommandLine(int argc, const char* const* argv);

} // namespace zv::app
