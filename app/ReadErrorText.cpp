#include "app/ReadErrorText.h"

#include "app/BuiltinLanguages.h"
#include "app/Languages.h"

namespace plumex {

namespace {

std::string withVersion(std::string text) {
    for (std::size_t at = text.find("%V"); at != std::string::npos;
         at = text.find("%V", at + OldReaderVersion.size()))
        text.replace(at, 2, OldReaderVersion);
    return text;
}

} // namespace

std::string localizedReadError(std::string_view text) {
    for (int key : {errFileType, errNewVer, errOldVer}) {
        if (withVersion(builtinEnglish().messages[key]) == text) return withVersion(message(key));
    }
    return std::string(text);
}

} // namespace plumex
