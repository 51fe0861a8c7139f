#pragma once
// Language definition files (.pll): INI text with sections General, Captions, Messages.

#include "app/Language.h"

#include <optional>
#include <string>

namespace plumex {

class IniFile;

// The language a file defines, or nothing when its Load is not "yes" or it has no Name.
// In messages, the two characters backslash and "n" stand for a line break.
std::optional<TLanguage> readLanguage(const IniFile& ini);
std::optional<TLanguage> readLanguageFile(const std::string& path);

// Writes the language's own texts (not those of its fallback) with Load = "no", keeping
// the file's other keys; empty texts and an empty Base delete their keys.
bool writeLanguageTemplate(const std::string& path, const TLanguage& language);

} // namespace plumex
