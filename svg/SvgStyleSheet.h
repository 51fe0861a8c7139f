#pragma once
// The part of CSS that exported SVG files lean on: <style> sheets whose selectors are type,
// class and id names (compound and in comma lists), and declarations of the properties the
// import draws by. Anything else (combinators, pseudo-classes, at-rules) is skipped, never
// refused.

#include <string>
#include <string_view>
#include <vector>

namespace plumex {

struct CssDeclaration {
    std::string name;  // lower case
    std::string value; // without !important
    bool important = false;
};

// One compound selector: an optional type (empty for any), ids and classes, all required.
struct CssSelector {
    std::string type;
    std::vector<std::string> ids;
    std::vector<std::string> classes;

    // (ids, classes, types) as one number for ordering: ids weigh most.
    long specificity() const;
    bool matches(std::string_view elementType, std::string_view id,
                 const std::vector<std::string>& elementClasses) const;
};

struct CssRule {
    CssSelector selector;
    std::vector<CssDeclaration> declarations;
};

// The properties a sheet may set here: fill, fill-rule, stroke, display, visibility, transform.
bool isStyledProperty(std::string_view name);

// Declarations of a style attribute or a rule's block, in order; `!important` is noted.
std::vector<CssDeclaration> parseDeclarations(std::string_view text);

// The rules of a sheet, in order, one per selector of a list, keeping only the styled
// properties. Rules whose selectors are outside the subset are left out.
std::vector<CssRule> parseStyleSheet(std::string_view text);

// The declarations that apply to one element, lowest priority first: matching rules by
// specificity then order, then the inline ones, then the important ones in the same order.
std::vector<CssDeclaration> cascade(const std::vector<CssRule>& rules, std::string_view type,
                                    std::string_view id, const std::vector<std::string>& classes,
                                    const std::vector<CssDeclaration>& inlineStyle);

// The text of declarations for a style attribute.
std::string styleText(const std::vector<CssDeclaration>& declarations);

} // namespace plumex
