#pragma once
// Where the program's settings file and language files live.

#include <string>

namespace plumex {

// The running program's full path (empty if it cannot be found).
std::string executablePath();

// The folder of the running program, for language files.
std::string programFolder();

// The program's path with ".ini" in place of its extension when that file exists or its
// folder is writable; otherwise plumex.ini in the user's configuration folder
// ($XDG_CONFIG_HOME, default ~/.config, then "plumex").
std::string settingsPath(const std::string& exePath);
std::string settingsPath();

} // namespace plumex
