// Where the game keeps its files and finds its sounds.
#pragma once

#include <string>
#include <vector>

namespace zv::platform {

// $XDG_DATA_HOME/zorvex2000 (an absolute XDG_DATA_HOME only), else
// $HOME/.local/share/zorvex2000 (HOME from the environment, else the password database).
// Created with mode 0700, parents included, when missing; returned even if that fails.
std::string UserDataDir();

// The player's home: HOME from the environment when absolute, else the password database.
std::string HomeDir();

// The file name the program was started under, without its directory: the basename of
// argv0, or of /proc/self/exe when argv0 is empty or missing.
std::string ExecutableName(const char* argv0);

// The directory of the running executable (/proc/self/exe), empty when unknown.
std::string ExecutableDir();

// Where bare sound file names are looked up after the current directory, in order, existing
// directories only: <exe dir>/../share/zorvex2000, the installed data directory, and the source
// tree's assets/sounds when the program runs from its build tree.
std::vector<std::string> DataDirs();

// mkdir -p with the given mode for every directory it creates. True when the directory exists.
bool MakeDirectories(const std::string& path, unsigned mode);

} // namespace zv::platform
