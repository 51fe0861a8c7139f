#pragma once
// The parsed document made ready for SVG++, which knows neither style sheets nor SVG 2's
// sizing of the root: rules of <style> sheets are written into each element's style attribute
// in cascade order, a CSS transform becomes the transform attribute, "10." lengths are
// completed, and the root gets the width and height a browser gives it. Internal to the SVG
// reader; every walk over the tree here is iterative.

#include <libxml/tree.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace plumex {

// Returns the viewBox's size when the root has one (the viewport percentages refer to).
std::optional<std::pair<double, double>> prepareSvgDocument(xmlNode* root);

// The line of the element holding attribute `name` whose value is or contains `value`, with
// the attribute's own line and column in `source` when its text can be found there: 0 when
// no element matches.
struct AttributePlace {
    long elementLine = 0;
    std::size_t valueOffset = std::string::npos; // in `source`
};
AttributePlace locateAttribute(xmlNode* root, const std::string& name, const std::string& value,
                               std::string_view source);

} // namespace plumex
