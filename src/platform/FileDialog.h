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
constexpr const char* kThemeChooserTitle = N_("Открыть файл темы");
// The second filter of every chooser, for a theme saved under another name.
constexpr const char* kAllFilesFilterName = N_("Все файлы");

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // Blocks until the player picks a file (its path) or cancels (nullopt).
    virtual std::optional<std::string> OpenFile(const std::string& title, const std::string& filterName,
                                                const std::string& pattern) = 0;
};

// GTK 3's file chooser, loaded when it is first needed, so that the game neither links GTK nor
// pays for it at start. Without GTK, zenity is asked instead. Either opens at a size that fits the
// screen, in the folder of the file last picked (else the player's pictures, else home), with the
// pattern's filter chosen and an "all files" one beside it.
class SystemFileDialog : public FileDialog {
public:
    std::optional<std::string> OpenFile(const std::string& title, const std::string& filterName,
                                        const std::string& pattern) override;

private:
    std::string lastFolder_;
};

// Where a chooser opens: the first of these that is a directory, else "".
std::string ChooserStartFolder(const std::string& lastFolder, const std::string& pictures, const std::string& home);

// Runs `zenity --file-selection` and reads the chosen path from its output.
std::optional<std::string> OpenFileWithZenity(const std::string& title, const std::string& filterName,
                                              const std::string& pattern, const std::string& program = "zenity",
                                              const std::string& startFolder = {});

} // namespace zv::platform
