#pragma once
// The list of known languages and the current one, through which every interface text
// is looked up.

#include "app/Language.h"

#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct TCvOptions;

class TLanguages {
public:
    // The built-in English (index 0) and Japanese (index 1); the built-in of the user's
    // locale is current until a language is applied.
    TLanguages();

    const std::vector<TLanguage>& list() const { return list_; }
    const TLanguage& current() const { return list_[current_]; }
    int currentIndex() const { return current_; }

    // Index of the first language named exactly so, or -1.
    int Find(std::string_view name) const;

    // Reads every *.pll file of the folder in directory order, appends the accepted
    // ones, resolves fallbacks and makes the locale's built-in current.
    void LoadFiles(const std::string& folder);
    // Appends a language; fallbacks are resolved by ResolveFallbacks.
    void Add(TLanguage language);
    // Base names a language by name; an unknown name falls back to the built-in English.
    void ResolveFallbacks();

    // Makes the named language current and stores its name in the settings; false (and
    // nothing changes) when no language has that name.
    bool Apply(std::string_view name, TCvOptions& options);

    // Text i of the current language, or of its fallbacks when undefined there.
    const std::string& Caption(int i) const;
    const std::string& Message(int j) const;

private:
    template <typename Text> const std::string& resolve(Text text) const;

    std::vector<TLanguage> list_;
    int current_ = 0;
};

// The process-wide list.
TLanguages& languages();

// Lookups in the process-wide current language.
const std::string& caption(int i);
const std::string& message(int j);

} // namespace plumex
