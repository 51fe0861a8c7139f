#pragma once
// One interface language: its own caption and message texts and the language that
// supplies the texts it leaves undefined.

#include "app/LanguageKeys.h"

#include <array>
#include <string>

namespace plumex {

struct TLanguage {
    std::array<std::string, CaptionCount> captions; // empty: not defined here
    std::array<std::string, MessageCount> messages; // line breaks are CR LF
    std::string Name;
    std::string Base;
    int fallback = -1; // index in the language list, resolved from Base; -1 for none

    bool operator==(const TLanguage&) const = default;
};

} // namespace plumex
