#include "app/LanguageKeys.h"

namespace plumex {

const std::array<std::string_view, CaptionCount> CaptionKeyNames = {
#define CAPTION(key, english, japanese) #key,
#define MESSAGE(key, english, japanese)
#include "app/LanguageTexts.inc"
};

const std::array<std::string_view, MessageCount> MessageKeyNames = {
#define CAPTION(key, english, japanese)
#define MESSAGE(key, english, japanese) #key,
#include "app/LanguageTexts.inc"
};

} // namespace plumex
