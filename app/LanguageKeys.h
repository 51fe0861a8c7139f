#pragma once
// Keys of the interface texts: captions and messages, looked up by index in the
// current language. The order is the file order of language definition files; the keys and
// the built-in texts come from the one list in LanguageTexts.inc.

#include <array>
#include <string_view>

namespace plumex {

enum CaptionKey : int {
#define CAPTION(key, english, japanese) key,
#define MESSAGE(key, english, japanese)
#include "app/LanguageTexts.inc"
    CaptionCount
};

enum MessageKey : int {
#define CAPTION(key, english, japanese)
#define MESSAGE(key, english, japanese) key,
#include "app/LanguageTexts.inc"
    MessageCount
};

// The key names as they appear in language definition files.
extern const std::array<std::string_view, CaptionCount> CaptionKeyNames;
extern const std::array<std::string_view, MessageCount> MessageKeyNames;

} // namespace plumex
