#include "app/Languages.h"

#include "app/BuiltinLanguages.h"
#include "app/LanguageFile.h"
#include "app/Locale.h"
#include "app/Options.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace plumex {

namespace {

const std::string& noText() {
    static const std::string empty;
    return empty;
}

bool isLanguageFile(const std::filesystem::directory_entry& entry) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return ext == ".pll";
}

int localeBuiltin() {
    return localeIsJapanese() ? 1 : 0;
}

} // namespace

TLanguages::TLanguages() : list_{builtinEnglish(), builtinJapanese()}, current_(localeBuiltin()) {}

int TLanguages::Find(std::string_view name) const {
    for (std::size_t i = 0; i < list_.size(); ++i)
        if (list_[i].Name == name) return static_cast<int>(i);
    return -1;
}

void TLanguages::Add(TLanguage language) {
    language.fallback = -1;
    list_.push_back(std::move(language));
}

void TLanguages::LoadFiles(const std::string& folder) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (!isLanguageFile(*it)) continue;
        if (auto language = readLanguageFile(it->path().string())) Add(std::move(*language));
    }
    ResolveFallbacks();
    current_ = localeBuiltin();
}

void TLanguages::ResolveFallbacks() {
    for (std::size_t i = 2; i < list_.size(); ++i) {
        TLanguage& language = list_[i];
        if (language.Base.empty()) {
            language.fallback = -1;
            continue;
        }
        int base = Find(language.Base);
        language.fallback = base >= 0 ? base : 0;
    }
}

bool TLanguages::Apply(std::string_view name, TCvOptions& options) {
    int index = Find(name);
    if (index < 0) return false;
    current_ = index;
    options.Language = list_[index].Name;
    return true;
}

// Follows the fallback chain from the current language. A chain that comes back on
// itself cannot end in a built-in, so after visiting as many languages as there are the
// built-in English answers.
template <typename Text> const std::string& TLanguages::resolve(Text text) const {
    int index = current_;
    const int count = static_cast<int>(list_.size());
    for (int steps = 0; index >= 0 && index < count && steps <= count; ++steps) {
        const std::string& s = text(list_[index]);
        if (!s.empty()) return s;
        index = list_[index].fallback;
    }
    return index < 0 || index >= count ? noText() : text(list_[0]);
}

const std::string& TLanguages::Caption(int i) const {
    if (i < 0 || i >= CaptionCount) return noText();
    return resolve([i](const TLanguage& l) -> const std::string& { return l.captions[i]; });
}

const std::string& TLanguages::Message(int j) const {
    if (j < 0 || j >= MessageCount) return noText();
    return resolve([j](const TLanguage& l) -> const std::string& { return l.messages[j]; });
}

TLanguages& languages() {
    static TLanguages list;
    return list;
}

const std::string& caption(int i) {
    return languages().Caption(i);
}
const std::string& message(int j) {
    return languages().Message(j);
}

} // namespace plumex
