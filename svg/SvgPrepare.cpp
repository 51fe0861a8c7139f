#include "svg/SvgPrepare.h"

#include "svg/SvgOutlines.h"
#include "svg/SvgStyleSheet.h"
#include "svg/SvgText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

namespace plumex {
namespace {

std::string textOf(const xmlChar* s) {
    return s ? reinterpret_cast<const char*>(s) : "";
}

std::optional<std::string> property(xmlNode* n, const char* name) {
    xmlChar* v = xmlGetNoNsProp(n, BAD_CAST name);
    if (!v) return std::nullopt;
    std::string s = textOf(v);
    xmlFree(v);
    return s;
}

void setProperty(xmlNode* n, const char* name, const std::string& value) {
    xmlSetProp(n, BAD_CAST name, BAD_CAST value.c_str());
}

bool isSvgElement(const xmlNode* n) {
    return n->type == XML_ELEMENT_NODE &&
           (!n->ns || xmlStrcmp(n->ns->href, BAD_CAST "http://www.w3.org/2000/svg") == 0);
}

// Every element below and including `root`, in document order, without recursion.
template <class F> void forEachElement(xmlNode* root, F&& f) {
    std::vector<xmlNode*> todo{root};
    while (!todo.empty()) {
        xmlNode* n = todo.back();
        todo.pop_back();
        f(n);
        for (xmlNode* c = n->last; c; c = c->prev)
            if (c->type == XML_ELEMENT_NODE) todo.push_back(c);
    }
}

std::vector<std::string> words(std::string_view s) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::strchr(" \t\r\n\f", s[i])) ++i;
        const std::size_t start = i;
        while (i < s.size() && !std::strchr(" \t\r\n\f", s[i])) ++i;
        if (i > start) out.emplace_back(s.substr(start, i - start));
    }
    return out;
}

// CSS writes transform lengths and angles with units; the attribute's grammar has none.
std::string attributeTransform(std::string_view css) {
    std::string out;
    for (std::size_t i = 0; i < css.size(); ++i) {
        const bool afterDigit =
            i > 0 && (std::isdigit(static_cast<unsigned char>(css[i - 1])) || css[i - 1] == '.');
        if (afterDigit && (css.substr(i, 2) == "px")) {
            ++i;
            continue;
        }
        if (afterDigit && css.substr(i, 3) == "deg") {
            i += 2;
            continue;
        }
        out += css[i];
    }
    return out;
}

void applyStyles(xmlNode* root) {
    std::vector<CssRule> rules;
    forEachElement(root, [&](xmlNode* n) {
        if (!isSvgElement(n) || xmlStrcmp(n->name, BAD_CAST "style") != 0) return;
        const auto type = property(n, "type");
        if (type && !type->empty() && *type != "text/css") return;
        xmlChar* content = xmlNodeGetContent(n);
        std::vector<CssRule> sheet = parseStyleSheet(textOf(content));
        xmlFree(content);
        for (CssRule& r : sheet) rules.push_back(std::move(r));
    });
    forEachElement(root, [&](xmlNode* n) {
        if (!isSvgElement(n)) return;
        const auto style = property(n, "style");
        std::vector<CssDeclaration> inlineStyle;
        if (style) inlineStyle = parseDeclarations(*style);
        if (rules.empty() && !style) return;
        const std::string id = property(n, "id").value_or("");
        const std::vector<std::string> classes = words(property(n, "class").value_or(""));
        std::vector<CssDeclaration> all = cascade(rules, textOf(n->name), id, classes, inlineStyle);
        if (!style && all.empty()) return;
        // A transform in CSS replaces the attribute; SVG++ reads only the attribute.
        std::vector<CssDeclaration> kept;
        std::optional<std::string> transform;
        for (CssDeclaration& d : all) {
            if (d.name == "transform")
                transform = d.value;
            else
                kept.push_back(std::move(d));
        }
        if (transform) {
            if (*transform == "none")
                xmlUnsetProp(n, BAD_CAST "transform");
            else
                setProperty(n, "transform", attributeTransform(*transform));
        }
        setProperty(n, "style", styleText(kept));
    });
}

constexpr const char* NumberAttributes[] = {"x",  "y",  "width", "height",  "rx",
                                            "ry", "cx", "cy",    "r",       "x1",
                                            "y1", "x2", "y2",    "viewBox", "points"};

void completeNumbers(xmlNode* root) {
    forEachElement(root, [](xmlNode* n) {
        if (!isSvgElement(n)) return;
        for (const char* name : NumberAttributes) {
            const auto v = property(n, name);
            if (!v) continue;
            // Hand-aligned files write rx=" 8"; browsers read the number around the spaces.
            const std::size_t first = v->find_first_not_of(" \t\r\n");
            const std::size_t last = v->find_last_not_of(" \t\r\n");
            std::string fixed =
                first == std::string::npos ? std::string() : v->substr(first, last - first + 1);
            if (fixed.find('.') != std::string::npos) fixed = withTrailingPointsCompleted(fixed);
            if (fixed != *v) setProperty(n, name, fixed);
        }
    });
}

// An absolute length in pixels; nothing for a percentage, "auto" or garbage.
std::optional<double> absoluteLength(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const char* p = text->c_str();
    char* end = nullptr;
    const double v = std::strtod(p, &end);
    if (end == p || !std::isfinite(v) || !(v > 0) || v > MaxSvgMagnitude) return std::nullopt;
    std::string unit(end);
    while (!unit.empty() && std::strchr(" \t\r\n", unit.back())) unit.pop_back();
    static const std::pair<const char*, double> units[] = {
        {"", 1},           {"px", 1},  {"in", 96}, {"cm", 96 / 2.54}, {"mm", 96 / 25.4},
        {"pt", 96.0 / 72}, {"pc", 16}, {"em", 16}, {"ex", 8}};
    for (const auto& [name, factor] : units)
        if (unit == name) return v * factor;
    return std::nullopt;
}

std::optional<std::pair<double, double>> viewBoxSize(xmlNode* root) {
    const auto text = property(root, "viewBox");
    if (!text) return std::nullopt;
    double v[4];
    const char* p = text->c_str();
    int n = 0;
    for (; n < 4; ++n) {
        while (*p == ' ' || *p == ',' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
        char* end = nullptr;
        v[n] = std::strtod(p, &end);
        if (end == p) break;
        p = end;
    }
    if (n < 4 || !(v[2] > 0) || !(v[3] > 0) || v[2] > MaxSvgMagnitude || v[3] > MaxSvgMagnitude)
        return std::nullopt;
    return std::pair{v[2], v[3]};
}

std::string number(double v) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    return buffer;
}

// A browser's size of a drawing opened on its own: the absolute width and height as given,
// the viewBox's aspect ratio for a missing (or relative) one, the viewBox's size for both.
std::optional<std::pair<double, double>> sizeRoot(xmlNode* root) {
    const auto box = viewBoxSize(root);
    if (!box) return std::nullopt;
    std::optional<double> w = absoluteLength(property(root, "width"));
    std::optional<double> h = absoluteLength(property(root, "height"));
    if (w && !h) h = *w * box->second / box->first;
    if (h && !w) w = *h * box->first / box->second;
    if (!w) w = box->first, h = box->second;
    setProperty(root, "width", number(*w));
    setProperty(root, "height", number(*h));
    return box;
}

} // namespace

std::optional<std::pair<double, double>> prepareSvgDocument(xmlNode* root) {
    applyStyles(root);
    completeNumbers(root);
    return sizeRoot(root);
}

AttributePlace locateAttribute(xmlNode* root, const std::string& name, const std::string& value,
                               std::string_view source) {
    AttributePlace place;
    forEachElement(root, [&](xmlNode* n) {
        if (place.elementLine) return;
        for (xmlAttr* a = n->properties; a; a = a->next) {
            if (textOf(a->name) != name && textOf(a->name) != "style") continue;
            xmlChar* v = xmlNodeListGetString(n->doc, a->children, 1);
            const std::string text = textOf(v);
            xmlFree(v);
            if (text.find(value) == std::string::npos) continue;
            place.elementLine = xmlGetLineNo(n);
            // The value's text in the file, searched from the element's line on.
            std::size_t at = 0;
            for (long line = 1; line < place.elementLine && at < source.size(); ++line) {
                const auto nl = source.find('\n', at);
                if (nl == std::string_view::npos) break;
                at = nl + 1;
            }
            const std::string attrName = textOf(a->name);
            for (auto i = source.find(attrName, at); i != std::string_view::npos;
                 i = source.find(attrName, i + 1)) {
                std::size_t j = i + attrName.size();
                if (i > 0 && !std::strchr(" \t\r\n", source[i - 1])) continue;
                while (j < source.size() && std::strchr(" \t\r\n", source[j])) ++j;
                if (j >= source.size() || source[j] != '=') continue;
                ++j;
                while (j < source.size() && std::strchr(" \t\r\n", source[j])) ++j;
                if (j >= source.size() || (source[j] != '"' && source[j] != '\'')) continue;
                const std::size_t start = j + 1;
                const std::size_t within = text.find(value);
                place.valueOffset = start + within;
                break;
            }
            return;
        }
    });
    return place;
}

} // namespace plumex
