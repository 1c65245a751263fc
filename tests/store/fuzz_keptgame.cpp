// Fuzz target: the kept-game reader; whatever it accepts, the writer gives back, give or take the line ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/KeptGameFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    zv::KeptGame game;
    std::string problem;
    if (!zv::store::ParseKeptGame(content, game, problem)) {
        if (!(game == zv::KeptGame{}) || problem.empty() || problem.find('\n') != std::string::npos) std::abort();
        return 0;
    }
    std::string plain;
    for (std::size_t i = 0; i < content.size(); ++i)
        if (!(content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n')) plain += content[i];
    if (!plain.empty() && plain.back() == '\r') plain.pop_back();
    const std::string written = zv::store::FormatKeptGame(game);
    if (plain != written && plain + "\n" != written) std::abort();
    return 0;
}
