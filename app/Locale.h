#pragma once
// The user's locale as far as the program cares: Japanese or not.

#include <string>

namespace plumex {

// True when the first set one of LC_ALL, LC_MESSAGES and LANG starts with "ja".
bool localeIsJapanese();

// "Japanese" on a Japanese locale, else "English".
std::string defaultLanguageName();

} // namespace plumex
