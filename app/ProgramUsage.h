#pragma once
// The command-line questions `plumex` answers without opening a window: --help and --version.
// They are answered before any window system is touched, so they work without a display and
// the manual page can be made from them.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace plumex {

// The exit code when the first argument asks for the help or the version (its answer written
// to out), nullopt when the program should start its window.
std::optional<int> answerProgramQuestion(const std::vector<std::string>& arguments,
                                         const std::string& version, std::ostream& out);

} // namespace plumex
