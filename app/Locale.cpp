#include "app/Locale.h"

#include <cstdlib>
#include <string_view>

namespace plumex {

bool localeIsJapanese() {
    // POSIX precedence: the first variable that is set and non-empty decides.
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::string_view(value).starts_with("ja");
    }
    return false;
}

std::string defaultLanguageName() {
    return localeIsJapanese() ? "Japanese" : "English";
}

} // namespace plumex
