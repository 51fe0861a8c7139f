// The built-in English and Japanese texts, both from the one list of keys.

#include "app/BuiltinLanguages.h"

namespace plumex {

namespace {

TLanguage makeEnglish() {
    TLanguage l;
    l.Name = "English";
    l.captions = {
#define CAPTION(key, english, japanese) english,
#define MESSAGE(key, english, japanese)
#include "app/LanguageTexts.inc"
    };
    l.messages = {
#define CAPTION(key, english, japanese)
#define MESSAGE(key, english, japanese) english,
#include "app/LanguageTexts.inc"
    };
    return l;
}

TLanguage makeJapanese() {
    TLanguage l;
    l.Name = "Japanese";
    l.captions = {
#define CAPTION(key, english, japanese) japanese,
#define MESSAGE(key, english, japanese)
#include "app/LanguageTexts.inc"
    };
    l.messages = {
#define CAPTION(key, english, japanese)
#define MESSAGE(key, english, japanese) japanese,
#include "app/LanguageTexts.inc"
    };
    return l;
}

} // namespace

const TLanguage& builtinEnglish() {
    static const TLanguage language = makeEnglish();
    return language;
}

const TLanguage& builtinJapanese() {
    static const TLanguage language = makeJapanese();
    return language;
}

} // namespace plumex
