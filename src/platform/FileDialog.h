// The file-open dialog for theme files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Language.h"

namespace zv::platform {

// Shown through Tr().
constexpr const char* kThemeFilterName = N_("Zorvex 2000 Theme");
constexpr const char* kThemePattern = "*.zvt";

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Blocks until the player picks a file (its path) or cancels (nullopt).
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filterName,
                                                const std::string& pattern) = 0;
};

// GTK 3's native file chooser, loaded when it is first needed, so that the game neither links
// GTK nor pays for it at start. Without GTK, zenity is asked instead.
class SystemFileDialog : public FileDialog {
public:
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern) override;
};

// Runs `zenity --file-selection` and reads the chosen path from its output.
std::optional<std::string> OpenFileWithZenity(const std::string& title, const std::string& filterName,
                                              const std::string& pattern, const std::string& program = "zenity");

} // namespace zv::platform
