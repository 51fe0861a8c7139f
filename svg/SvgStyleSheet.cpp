#include "svg/SvgStyleSheet.h"

#include <algorithm>
#include <cctype>

namespace plumex {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool isNameChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '-' || c == '_' || u >= 0x80;
}

std::string withoutComments(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            const auto end = text.find("*/", i + 2);
            if (end == std::string_view::npos) break;
            i = end + 1;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

// Splits at `sep` outside parentheses and quotes (a url() or a string may hold one).
std::vector<std::string_view> split(std::string_view text, char sep) {
    std::vector<std::string_view> parts;
    int depth = 0;
    char quote = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            depth = std::max(0, depth - 1);
        } else if (c == sep && depth == 0) {
            parts.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(text.substr(start));
    return parts;
}

bool parseSelector(std::string_view text, CssSelector& out) {
    text = trim(text);
    if (text.empty()) return false;
    std::size_t i = 0;
    if (text[0] == '*') {
        i = 1;
    } else {
        while (i < text.size() && isNameChar(text[i])) ++i;
        out.type = lower(text.substr(0, i));
    }
    while (i < text.size()) {
        const char kind = text[i++];
        if (kind != '.' && kind != '#') return false; // combinator, pseudo-class, attribute
        const std::size_t start = i;
        while (i < text.size() && isNameChar(text[i])) ++i;
        if (i == start) return false;
        (kind == '.' ? out.classes : out.ids).emplace_back(text.substr(start, i - start));
    }
    return true;
}

} // namespace

long CssSelector::specificity() const {
    return static_cast<long>(ids.size()) * 1'000'000 + static_cast<long>(classes.size()) * 1'000 +
           (type.empty() ? 0 : 1);
}

bool CssSelector::matches(std::string_view elementType, std::string_view id,
                          const std::vector<std::string>& elementClasses) const {
    if (!type.empty() && type != elementType) return false;
    for (const std::string& i : ids)
        if (i != id) return false;
    for (const std::string& c : classes)
        if (std::find(elementClasses.begin(), elementClasses.end(), c) == elementClasses.end())
            return false;
    return true;
}

bool isStyledProperty(std::string_view name) {
    return name == "fill" || name == "fill-rule" || name == "stroke" || name == "display" ||
           name == "visibility" || name == "transform";
}

std::vector<CssDeclaration> parseDeclarations(std::string_view text) {
    std::vector<CssDeclaration> out;
    const std::string clean = withoutComments(text);
    for (std::string_view part : split(clean, ';')) {
        const auto colon = part.find(':');
        if (colon == std::string_view::npos) continue;
        CssDeclaration d;
        d.name = lower(trim(part.substr(0, colon)));
        std::string_view value = trim(part.substr(colon + 1));
        if (const auto bang = value.rfind('!'); bang != std::string_view::npos) {
            if (lower(trim(value.substr(bang + 1))) == "important") {
                d.important = true;
                value = trim(value.substr(0, bang));
            }
        }
        if (d.name.empty() || value.empty()) continue;
        d.value = std::string(value);
        out.push_back(std::move(d));
    }
    return out;
}

std::vector<CssRule> parseStyleSheet(std::string_view text) {
    std::vector<CssRule> rules;
    const std::string clean = withoutComments(text);
    const std::string_view s = clean;
    std::size_t i = 0;
    while (i < s.size()) {
        const auto open = s.find_first_of("{;", i);
        if (open == std::string_view::npos) break;
        const std::string_view prelude = trim(s.substr(i, open - i));
        if (s[open] == ';') { // an @import or @charset, or a stray semicolon
            i = open + 1;
            continue;
        }
        // The block ends at its matching brace; an at-rule's nested blocks are skipped whole.
        std::size_t close = open + 1;
        for (int depth = 1; close < s.size(); ++close) {
            if (s[close] == '{') ++depth;
            if (s[close] == '}' && --depth == 0) break;
        }
        const std::string_view block = s.substr(open + 1, std::min(close, s.size()) - open - 1);
        i = close + 1;
        if (prelude.empty() || prelude[0] == '@') continue;
        std::vector<CssDeclaration> declarations;
        for (CssDeclaration& d : parseDeclarations(block))
            if (isStyledProperty(d.name)) declarations.push_back(std::move(d));
        if (declarations.empty()) continue;
        for (std::string_view selectorText : split(prelude, ',')) {
            CssRule rule;
            if (parseSelector(selectorText, rule.selector)) {
                rule.declarations = declarations;
                rules.push_back(std::move(rule));
            }
        }
    }
    return rules;
}

std::vector<CssDeclaration> cascade(const std::vector<CssRule>& rules, std::string_view type,
                                    std::string_view id, const std::vector<std::string>& classes,
                                    const std::vector<CssDeclaration>& inlineStyle) {
    std::vector<const CssRule*> matched;
    for (const CssRule& r : rules)
        if (r.selector.matches(type, id, classes)) matched.push_back(&r);
    std::stable_sort(matched.begin(), matched.end(), [](const CssRule* a, const CssRule* b) {
        return a->selector.specificity() < b->selector.specificity();
    });
    std::vector<CssDeclaration> out;
    for (bool important : {false, true}) {
        for (const CssRule* r : matched)
            for (const CssDeclaration& d : r->declarations)
                if (d.important == important) out.push_back(d);
        for (const CssDeclaration& d : inlineStyle)
            if (d.important == important) out.push_back(d);
    }
    return out;
}

std::string styleText(const std::vector<CssDeclaration>& declarations) {
    std::string out;
    for (const CssDeclaration& d : declarations) {
        if (!out.empty()) out += ';';
        out += d.name + ':' + d.value;
    }
    return out;
}

} // namespace plumex
