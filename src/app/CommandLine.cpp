// The game's options: --verbose, --help and --version; anything else is refused.
#include "app/CommandLine.h"

#include <string_view>

#ifndef ZV_VERSION
#define ZV_VERSION "unknown"
#endif

namespace zv::app {

namespace {
constexpr const char* kUsage = "usage: zorvex2000 [--verbose] [--help] [--version]\n";
}

CommandLine ReadCommandLine(int argc, const char* const* argv) {
    CommandLine c;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--verbose") {
            c.verbose = true;
        } else if (a == "--help" || a == "-h") {
            c.action = CommandLine::Action::Help;
            c.text = std::string(kUsage) +
                     "\nZorvex 2000, a puzzle game with coloured balls and five figure modes.\n\n"
                     "  --verbose  print which desktop setting decided the scale of the windows\n"
                     "  --help     print this text and end\n"
                     "  --version  print the version and end\n\n"
                     "The game is played in its window; its ? button shows the rules and the keys.\n";
            return c;
        } else if (a == "--version") {
            c.action = CommandLine::Action::Version;
            c.text = "zorvex2000 " ZV_VERSION "\n";
            return c;
        } else {
            c.action = CommandLine::Action::Refuse;
            c.text = (a.size() > 1 && a[0] == '-' ? "zorvex2000: unknown option '" : "zorvex2000: unexpected argument '") +
                     std::string(a) + "'\n" + kUsage;
            c.status = 2;
            return c;
        }
    }
    return c;
}

} // namespace zv::app
