// The only file that sees SVG++ and libxml2: its templates are heavy, so they are compiled once.

#include "model/ReadError.h"
#include "svg/SvgOutlines.h"
#include "svg/SvgPrepare.h"
#include "svg/SvgText.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <svgpp/policy/xml/libxml2.hpp>
#include <svgpp/svgpp.hpp>
#include <svgpp/utility/arc_endpoint_to_center.hpp>

#include <boost/math/constants/constants.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <type_traits>
#include <unordered_map>

namespace plumex {
namespace {

namespace tag = svgpp::tag;

// An affine map x' = a x + c y + e, y' = b x + d y + f (SVG's matrix order).
struct Affine {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    TCvCoord apply(TCvCoord p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    // This map after `m`: points go through `m` first.
    void then(const Affine& m) {
        *this = {a * m.a + c * m.b, b * m.a + d * m.b,     a * m.c + c * m.d,
                 b * m.c + d * m.d, a * m.e + c * m.f + e, b * m.e + d * m.f + f};
    }
};

void checkNumber(double v) {
    if (!std::isfinite(v) || std::fabs(v) > MaxSvgMagnitude)
        throw ReadError("SVG number out of range");
}

// Receives SVG++'s events for the whole document through one context; the element stack keeps
// each element's transform, and an element's outlines are mapped when it ends, because its
// transform attribute may come after its path data. A <use> element draws what it refers to
// in place, through the same context (see UseElement).
class OutlineContext {
public:
    using length_factory_type = svgpp::factory::length::unitless<>;

    OutlineContext(SvgOutlines& out, xmlNode* root) : out_(out), root_(root) {}

    length_factory_type& length_factory() { return lengths_; }

    void on_enter_element(tag::element::any) { enter(); }
    // A line has no inside to fill.
    void on_enter_element(tag::element::line) {
        enter();
        fillless_ = true;
    }
    void enter() {
        if (cancel_ && cancel_->load(std::memory_order_relaxed)) throw SvgImportCancelled();
        // SVG++ and <use> expansion recurse per level: bound them before the stack runs out.
        if (stack_.size() >= static_cast<std::size_t>(MaxSvgDepth))
            throw ReadError("The SVG file nests elements more than " + std::to_string(MaxSvgDepth) +
                            " levels deep (groups, <use> references and nested <svg> together)");
        stack_.push_back({matrix_, disabled_, paint_});
        place_ = {};
        fillless_ = false;
    }
    void on_exit_element() {
        flush();
        matrix_ = stack_.back().matrix;
        disabled_ = stack_.back().disabled;
        paint_ = stack_.back().paint;
        stack_.pop_back();
    }
    void setCancel(const std::atomic<bool>* cancel) { cancel_ = cancel; }

    void transform_matrix(const boost::array<double, 6>& m) {
        for (double v : m)
            if (!std::isfinite(v)) throw ReadError("SVG transform out of range");
        matrix_.then({m[0], m[1], m[2], m[3], m[4], m[5]});
    }
    void transform_translate(double tx, double ty) { transform_matrix({1, 0, 0, 1, tx, ty}); }
    void transform_translate(double tx) { transform_translate(tx, 0); }
    void transform_scale(double sx, double sy) { transform_matrix({sx, 0, 0, sy, 0, 0}); }
    void transform_scale(double s) { transform_scale(s, s); }

    // The root's viewport position and viewBox offset would move the drawing away from the
    // coordinates the file gives; only its scale counts. Nested viewports are placed fully.
    void set_viewport(double x, double y, double, double) {
        if (viewports_++ > 0) transform_translate(x, y);
    }
    void set_viewbox_transform(double tx, double ty, double sx, double sy, bool) {
        if (viewports_ > 1) transform_translate(tx, ty);
        transform_scale(sx, sy);
    }
    void set_viewbox_size(double, double) {}
    void disable_rendering() { disabled_ = true; }

    // display="none" (or the same in a style) hides the element with all it contains.
    void set(tag::attribute::display, tag::value::none) { disabled_ = true; }
    template <class Value> void set(tag::attribute::display, Value) {}

    // Fill, fill-rule and visibility are inherited: they live on the element stack.
    void set(tag::attribute::fill, tag::value::none) { paint_.filled = false; }
    void set(tag::attribute::fill, tag::value::inherit) {}
    template <class... Value> void set(tag::attribute::fill, const Value&...) {
        paint_.filled = true;
    }
    void set(tag::attribute::fill_rule, tag::value::nonzero) {
        paint_.fillRule = SvgFillRule::NonZero;
    }
    void set(tag::attribute::fill_rule, tag::value::evenodd) {
        paint_.fillRule = SvgFillRule::EvenOdd;
    }
    void set(tag::attribute::fill_rule, tag::value::inherit) {}
    // Stroke is inherited too; an element with neither paint draws nothing.
    void set(tag::attribute::stroke, tag::value::none) { paint_.stroked = false; }
    void set(tag::attribute::stroke, tag::value::inherit) {}
    template <class... Value> void set(tag::attribute::stroke, const Value&...) {
        paint_.stroked = true;
    }
    void set(tag::attribute::visibility, tag::value::visible) { paint_.visible = true; }
    void set(tag::attribute::visibility, tag::value::hidden) { paint_.visible = false; }
    void set(tag::attribute::visibility, tag::value::collapse) { paint_.visible = false; }
    void set(tag::attribute::visibility, tag::value::inherit) {}
    // A paint that SVG++ cannot read (a CSS 3 colour) still paints; "transparent" does not.
    void unreadableFill(bool transparent) { paint_.filled = !transparent; }
    void unreadableStroke(bool transparent) { paint_.stroked = !transparent; }

    // Position and size of a <use>; other elements' stray ones are never read.
    void set(tag::attribute::x, double v) { place_.x = v; }
    void set(tag::attribute::y, double v) { place_.y = v; }
    void set(tag::attribute::width, double v) { place_.width = v; }
    void set(tag::attribute::height, double v) { place_.height = v; }
    // An svg or symbol drawn by a <use> takes the size the <use> gives, where it gives one.
    void get_reference_viewport_size(double& width, double& height) const {
        if (uses_.empty()) return;
        if (uses_.back().width) width = *uses_.back().width;
        if (uses_.back().height) height = *uses_.back().height;
    }

    // Draws the element a <use> refers to, at the end of the <use>'s attributes.
    void expandUse(xmlNode* use);

    void path_move_to(double x, double y, tag::coordinate::absolute) {
        finishSubpath();
        const TCvCoord p = point(x, y);
        open(p);
        start_ = p;
    }
    void path_line_to(double x, double y, tag::coordinate::absolute) {
        const TCvCoord p = point(x, y);
        addPoint(p, p);
    }
    void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y,
                              tag::coordinate::absolute) {
        const TCvCoord c1 = point(x1, y1), c2 = point(x2, y2), p = point(x, y);
        current().points.back().outHandle = c1;
        addPoint(p, c2);
    }
    void path_elliptical_arc_to(double rx, double ry, double rotation, bool largeArc, bool sweep,
                                double x, double y, tag::coordinate::absolute);
    void path_close_subpath() {
        TCvLine& line = current();
        auto& pts = line.points;
        if (pts.size() > 1 && pts.back().anchor == pts.front().anchor) {
            pts.front().inHandle = pts.back().inHandle;
            pts.pop_back();
        }
        line.closed = 1;
        finishSubpath();
    }
    void path_exit() { finishSubpath(); }

private:
    struct Paint {
        bool filled = true;
        SvgFillRule fillRule = SvgFillRule::NonZero;
        bool stroked = false;
        bool visible = true;
    };
    struct Level {
        Affine matrix;
        bool disabled;
        Paint paint;
    };

    TCvCoord point(double x, double y) {
        checkNumber(x);
        checkNumber(y);
        return {x, y};
    }
    void open(TCvCoord p) {
        subpath_.emplace();
        subpath_->points.emplace_back(p, p, p);
        countAnchor();
    }
    // The subpath being drawn; after a close, drawing goes on from the closed one's start.
    TCvLine& current() {
        if (!subpath_) open(start_);
        return *subpath_;
    }
    void addPoint(TCvCoord p, TCvCoord inHandle) {
        current().points.emplace_back(p, inHandle, p);
        countAnchor();
    }
    void countAnchor() {
        if (++anchors_ > MaxSvgAnchors) throw ReadError("Too many points in the SVG file");
    }
    void finishSubpath() {
        if (subpath_ && !disabled_) pending_.push_back(std::move(*subpath_));
        subpath_.reset();
    }
    void flush() {
        finishSubpath();
        // Hidden by an attribute after the path data.
        if (disabled_ || !paint_.visible) pending_.clear();
        if (pending_.empty()) return;
        for (TCvLine& line : pending_)
            for (TCvPoint& p : line.points) {
                p.anchor = matrix_.apply(p.anchor);
                p.inHandle = matrix_.apply(p.inHandle);
                p.outHandle = matrix_.apply(p.outHandle);
                for (double v : {p.anchor.x, p.anchor.y, p.inHandle.x, p.inHandle.y, p.outHandle.x,
                                 p.outHandle.y})
                    checkNumber(v);
                p.updateIndependent();
            }
        out_.push_back(
            {std::move(pending_), paint_.filled && !fillless_, paint_.fillRule, paint_.stroked});
        pending_.clear();
    }

    SvgOutlines& out_;
    length_factory_type lengths_;
    Affine matrix_;
    bool disabled_ = false;
    Paint paint_;
    bool fillless_ = false; // the element is a <line>
    const std::atomic<bool>* cancel_ = nullptr;
    std::vector<Level> stack_;
    std::optional<TCvLine> subpath_;
    TCvCoord start_;
    std::vector<TCvLine> pending_;
    std::size_t anchors_ = 0;
    int viewports_ = 0;

    struct Placement {
        double x = 0, y = 0;
        std::optional<double> width, height;
    };
    struct ActiveUse {
        const xmlNode* target;
        std::optional<double> width, height;
    };
    xmlNode* target(xmlNode* use, std::string& id);
    std::size_t nodesUnder(const xmlNode* n);

    xmlNode* root_;
    Placement place_;             // of the element being entered
    std::vector<ActiveUse> uses_; // the <use> expansions under way, outermost first
    std::unordered_map<std::string, xmlNode*> ids_; // filled at the first <use>
    bool idsIndexed_ = false;
    std::unordered_map<const xmlNode*, std::size_t> sizes_;
    std::size_t expanded_ = 0; // nodes drawn again through <use>
};

void OutlineContext::path_elliptical_arc_to(double rx, double ry, double rotation, bool largeArc,
                                            bool sweep, double x, double y,
                                            tag::coordinate::absolute) {
    checkNumber(rx);
    checkNumber(ry);
    checkNumber(rotation);
    const TCvCoord to = point(x, y);
    const TCvCoord from = current().points.back().anchor;
    if (from == to) return; // an arc between equal points draws nothing
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) return addPoint(to, to);
    const double phi = std::fmod(rotation, 360.0) * boost::math::constants::degree<double>();
    double cx, cy, theta1, theta2;
    svgpp::arc_endpoint_to_center(from.x, from.y, to.x, to.y, rx, ry, phi, largeArc, sweep, cx, cy,
                                  theta1, theta2);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(theta1) ||
        !std::isfinite(theta2) || !std::isfinite(rx) || !std::isfinite(ry))
        return addPoint(to, to); // radii too small to measure: the arc is its chord
    constexpr double twoPi = boost::math::constants::two_pi<double>();
    if (sweep && theta2 < theta1) theta2 += twoPi;
    if (!sweep && theta2 > theta1) theta2 -= twoPi;
    // Pieces of at most a quarter turn with the usual handle length 4/3 tan(d/4), so a circle
    // gets its four anchors at the extremes and stays within 2.7e-4 of its radius.
    const double delta = theta2 - theta1;
    const int pieces =
        std::max(1, static_cast<int>(std::ceil(std::fabs(delta) / (twoPi / 4) - 1e-9)));
    const double step = delta / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    const double cosPhi = std::cos(phi), sinPhi = std::sin(phi);
    const auto rotated = [&](double x, double y) {
        return TCvCoord{cosPhi * x - sinPhi * y, sinPhi * x + cosPhi * y};
    };
    const auto pointAt = [&](double eta) {
        const TCvCoord r = rotated(rx * std::cos(eta), ry * std::sin(eta));
        return TCvCoord{cx + r.x, cy + r.y};
    };
    const auto tangentAt = [&](double eta) {
        return rotated(-rx * std::sin(eta), ry * std::cos(eta));
    };
    for (int i = 0; i < pieces; ++i) {
        const double e1 = theta1 + i * step, e2 = theta1 + (i + 1) * step;
        const TCvCoord p1 = pointAt(e1), p2 = pointAt(e2);
        const TCvCoord t1 = tangentAt(e1), t2 = tangentAt(e2);
        current().points.back().outHandle = {p1.x + k * t1.x, p1.y + k * t1.y};
        addPoint(p2, {p2.x - k * t2.x, p2.y - k * t2.y});
    }
    // The end lands exactly where the file says, so a following close finds it.
    TCvPoint& end = current().points.back();
    end.anchor = to;
    end.outHandle = to;
}

// Path data comes as absolute commands without shorthands; quadratic curves become cubics in
// SVG++, arcs here, where their numbers are checked first.
struct PathPolicy {
    static const bool absolute_coordinates_only = true;
    static const bool no_ortho_line_to = true;
    static const bool no_quadratic_bezier_shorthand = true;
    static const bool no_cubic_bezier_shorthand = true;
    static const bool quadratic_bezier_as_cubic = true;
    static const bool arc_as_cubic_bezier = false;
};

// Files from drawing programs carry attributes, styles and elements of newer versions or other
// tools; those are skipped, while malformed values of what is drawn still fail.
template <class Context> struct LenientErrors : svgpp::policy::error::raise_exception<Context> {
    template <class XMLElement, class Name>
    static bool unknown_element(Context const&, XMLElement const&, Name const&) {
        return true;
    }
    template <class XMLAttribute, class Name, class Namespace, class Source>
    static bool unknown_attribute(Context const&, XMLAttribute const&, Name const&, Namespace,
                                  Source) {
        return true;
    }
    template <class XMLAttribute, class Name, class Source>
    static bool unknown_attribute(Context const&, XMLAttribute const&, Name const&, Source) {
        return true;
    }
    template <class XMLElement> static bool unexpected_element(Context const&, XMLElement const&) {
        return true;
    }
    // An attribute the element does not use (d on a circle, height on a path) is a leftover.
    static bool unexpected_attribute(Context const&, svgpp::detail::attribute_id,
                                     tag::source::attribute) {
        return true;
    }
    // Paint and visibility a browser would not understand either fall back; the geometry's
    // values must be read, and the refusal says where they stop making sense.
    template <class AttributeTag, class AttributeValue>
    static bool parse_failed(Context const& context, AttributeTag, AttributeValue const& value) {
        std::string text(boost::begin(value), boost::end(value));
        if constexpr (std::is_same_v<AttributeTag, tag::attribute::fill> ||
                      std::is_same_v<AttributeTag, tag::attribute::stroke>) {
            std::string word;
            for (char ch : text)
                if (ch != ' ' && ch != '\t' && ch != '\n' && ch != '\r')
                    word += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if constexpr (std::is_same_v<AttributeTag, tag::attribute::fill>)
                const_cast<Context&>(context).unreadableFill(word == "transparent");
            else
                const_cast<Context&>(context).unreadableStroke(word == "transparent");
            return true;
        } else if constexpr (std::is_same_v<AttributeTag, tag::attribute::fill_rule> ||
                             std::is_same_v<AttributeTag, tag::attribute::visibility> ||
                             std::is_same_v<AttributeTag, tag::attribute::display> ||
                             std::is_same_v<AttributeTag, tag::attribute::transform>) {
            return true;
        } else {
            const std::size_t fault = std::is_same_v<AttributeTag, tag::attribute::d> ||
                                              std::is_same_v<AttributeTag, tag::attribute::points>
                                          ? pathDataFault(text)
                                          : 0;
            throw SvgValueError(svgpp::attribute_name<char>::get<AttributeTag>(), std::move(text),
                                fault);
        }
    }
};

using ProcessedElements =
    boost::mpl::set<tag::element::svg, tag::element::g, tag::element::a, tag::element::switch_,
                    tag::element::use_, tag::element::path, tag::element::rect,
                    tag::element::circle, tag::element::ellipse, tag::element::line,
                    tag::element::polyline, tag::element::polygon>::type;
// A symbol is drawn only where a <use> refers to it.
using ReferencedElements = boost::mpl::insert<ProcessedElements, tag::element::symbol>::type;

using ProcessedAttributes = boost::mpl::fold<
    boost::mpl::protect<boost::mpl::joint_view<svgpp::traits::shapes_attributes_by_element,
                                               svgpp::traits::viewport_attributes>>,
    boost::mpl::set<tag::attribute::transform, tag::attribute::display, tag::attribute::fill,
                    tag::attribute::fill_rule, tag::attribute::stroke,
                    tag::attribute::visibility>::type,
    boost::mpl::insert<boost::mpl::_1, boost::mpl::_2>>::type;

} // namespace
} // namespace plumex

// SVG++ asks for a <use>'s size with its own wrapper around the context, not the context. (A
// policy of its own would be one template argument more than SVG++ takes.)
template <>
struct svgpp::policy::viewport_events::default_policy<plumex::OutlineContext>
    : forward_to_method<plumex::OutlineContext> {
    using forward_to_method::get_reference_viewport_size;
    template <class Wrapper>
    static void get_reference_viewport_size(const Wrapper& context, double& width, double& height) {
        context.original_context.get_reference_viewport_size(width, height);
    }
};

namespace plumex {
namespace {

// Every element reports to the one context; a <use> also knows its XML node, to find what it
// refers to once its attributes are read.
class UseElement {
public:
    using type = OutlineContext;

    UseElement(OutlineContext& context, xmlNode* node) : context_(context), node_(node) {
        context_.on_enter_element(tag::element::use_());
    }
    UseElement(const UseElement&) = delete;
    UseElement& operator=(const UseElement&) = delete;

    OutlineContext& get() const { return context_; }
    void on_exit_element() const {
        context_.expandUse(node_);
        context_.on_exit_element();
    }

private:
    OutlineContext& context_;
    xmlNode* node_;
};

struct ContextFactories {
    template <class ParentContext, class ElementTag> struct apply {
        using type = svgpp::factory::context::same<ParentContext, ElementTag>;
    };
};
template <> struct ContextFactories::apply<OutlineContext, tag::element::use_> {
    using type = UseElement;
};

using Traversal = svgpp::document_traversal<
    svgpp::context_factories<ContextFactories>, svgpp::processed_elements<ProcessedElements>,
    svgpp::processed_attributes<ProcessedAttributes>, svgpp::path_policy<PathPolicy>,
    svgpp::viewport_policy<svgpp::policy::viewport::calculate>,
    svgpp::length_policy<svgpp::policy::length::forward_to_method<OutlineContext>>,
    svgpp::error_policy<LenientErrors<OutlineContext>>>;

xmlNode* OutlineContext::target(xmlNode* use, std::string& id) {
    // SVG 2's plain href wins over the older xlink:href.
    xmlChar* href = xmlGetNoNsProp(use, BAD_CAST "href");
    if (!href) href = xmlGetNsProp(use, BAD_CAST "href", BAD_CAST "http://www.w3.org/1999/xlink");
    if (!href) return nullptr;
    std::string ref(reinterpret_cast<const char*>(href));
    xmlFree(href);
    const auto first = ref.find_first_not_of(" \t\r\n");
    const auto last = ref.find_last_not_of(" \t\r\n");
    // Only elements of this document: another file is never opened.
    if (first == std::string::npos || ref[first] != '#' || last == first) return nullptr;
    id = ref.substr(first + 1, last - first);
    if (!idsIndexed_) {
        idsIndexed_ = true;
        std::vector<xmlNode*> todo{root_};
        while (!todo.empty()) {
            xmlNode* n = todo.back();
            todo.pop_back();
            if (xmlChar* v = xmlGetNoNsProp(n, BAD_CAST "id")) {
                ids_.emplace(reinterpret_cast<const char*>(v), n); // the first of a name wins
                xmlFree(v);
            }
            for (xmlNode* c = n->last; c; c = c->prev)
                if (c->type == XML_ELEMENT_NODE) todo.push_back(c);
        }
    }
    const auto it = ids_.find(id);
    return it == ids_.end() ? nullptr : it->second;
}

std::size_t OutlineContext::nodesUnder(const xmlNode* n) {
    if (const auto it = sizes_.find(n); it != sizes_.end()) return it->second;
    std::size_t count = 0;
    std::vector<const xmlNode*> todo{n};
    while (!todo.empty()) {
        const xmlNode* m = todo.back();
        todo.pop_back();
        ++count;
        for (const xmlNode* c = m->children; c; c = c->next) todo.push_back(c);
    }
    sizes_.emplace(n, count);
    return count;
}

// The referenced element is drawn as if it stood in place of the <use>, moved by its x and y.
// Every node drawn again counts against one budget for the document, so references that fan
// out (each element using the one before ten times) fail quickly instead of multiplying.
void OutlineContext::expandUse(xmlNode* use) {
    if (disabled_) return;
    std::string id;
    const xmlNode* t = target(use, id);
    if (!t) return; // a reference to nothing draws nothing
    if (id.size() > 40) id = id.substr(0, 40) + "...";
    for (const ActiveUse& u : uses_)
        if (u.target == t)
            throw ReadError("The SVG file's <use> elements refer to themselves in a loop (#" + id +
                            ")");
    expanded_ += nodesUnder(t);
    if (expanded_ > MaxSvgUseNodes)
        throw ReadError("The SVG file's <use> elements repeat more than " +
                        std::to_string(MaxSvgUseNodes) + " elements");
    transform_translate(place_.x, place_.y);
    uses_.push_back({t, place_.width, place_.height});
    Traversal::load_referenced_element<
        svgpp::referencing_element<tag::element::use_>,
        svgpp::expected_elements<svgpp::traits::reusable_elements>,
        svgpp::processed_elements<ReferencedElements>>::load(const_cast<xmlNode*>(t), *this);
    uses_.pop_back();
}

// Set as libxml2's loader for the whole process: nothing is ever fetched from outside the
// given bytes, not even a local file named by the document. libxml2 calls it with a context of
// its own for each entity, so the refusal is noted per thread.
thread_local bool externalRefused = false;

xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) {
    externalRefused = true;
    return nullptr;
}

struct DocFree {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
struct CtxtFree {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

// The largest file read, packed or not.
constexpr std::size_t MaxSvgBytes = std::size_t{256} << 20;

bool declaresEntities(std::span<const std::uint8_t> bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return text.find("<!ENTITY") != std::string_view::npos;
}

std::unique_ptr<xmlDoc, DocFree> parseXml(std::span<const std::uint8_t> bytes) {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
    });
    if (bytes.size() > MaxSvgBytes) throw ReadError("SVG file too large");
    // libxml2's 10 MB limit on one text or attribute stops long path data of real drawings. It
    // is lifted (XML_PARSE_HUGE) only for a second reading of a file that declares no
    // entities, so the limits on entity expansion always stay on.
    for (const bool huge : {false, true}) {
        std::unique_ptr<xmlParserCtxt, CtxtFree> ctxt(xmlNewParserCtxt());
        if (!ctxt) throw std::bad_alloc();
        const int options = XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOERROR |
                            XML_PARSE_NOWARNING | XML_PARSE_NOCDATA | (huge ? XML_PARSE_HUGE : 0);
        externalRefused = false;
        std::unique_ptr<xmlDoc, DocFree> doc(
            xmlCtxtReadMemory(ctxt.get(), reinterpret_cast<const char*>(bytes.data()),
                              static_cast<int>(bytes.size()), "drawing.svg", nullptr, options));
        if (externalRefused)
            throw ReadError("SVG files that refer to external entities are not read");
        if (doc && ctxt->wellFormed) return doc;
        const xmlError* e = xmlCtxtGetLastError(ctxt.get());
        std::string text = e && e->message ? e->message : "";
        // libxml2 reports the error it ends with, not the limit that started it.
        const bool tooLong = bytes.size() > 10'000'000;
        if (!huge && tooLong && !declaresEntities(bytes)) continue;
        // libxml2 suggests its own option; the user can do nothing with that.
        if (const auto at = text.find(" use XML_PARSE_HUGE"); at != std::string::npos)
            text.erase(at);
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ' || text.back() == ','))
            text.pop_back();
        std::string msg = "Not a well-formed SVG file";
        if (tooLong && declaresEntities(bytes))
            msg += " (a file over 10 MB with entity declarations is read only within libxml2's "
                   "limit of 10 MB per text or attribute)";
        else if (e && !text.empty())
            msg += " (line " + std::to_string(e->line) + ", column " + std::to_string(e->int2) +
                   ": " + quoteAround(text, 0) + ")";
        throw ReadError(msg);
    }
    throw ReadError("Not a well-formed SVG file");
}

bool isSvgRoot(const xmlNode* root) {
    if (!root || root->type != XML_ELEMENT_NODE) return false;
    if (xmlStrcmp(root->name, BAD_CAST "svg") != 0) return false;
    return !root->ns || xmlStrcmp(root->ns->href, BAD_CAST SVGPP_SVG_NAMESPACE_URI) == 0;
}

// Where a value stops making sense: the attribute, its line and column and a short quote.
std::string describe(const SvgValueError& e, xmlNode* root, std::string_view source) {
    const AttributePlace place = locateAttribute(root, e.attribute, e.value, source);
    std::string where;
    if (place.valueOffset != std::string::npos) {
        const TextPosition p = positionOf(source, place.valueOffset + e.fault);
        where = " at line " + std::to_string(p.line) + ", column " + std::to_string(p.column);
    } else if (place.elementLine > 0) {
        where = " on line " + std::to_string(place.elementLine);
    }
    return "Invalid SVG: the value of \"" + e.attribute + "\" cannot be read" + where + ": \"" +
           quoteAround(e.value, e.fault) + "\"";
}

} // namespace

SvgOutlines parseSvgOutlines(std::span<const std::uint8_t> bytes, const std::atomic<bool>* cancel) {
    std::vector<std::uint8_t> unpacked;
    if (isGzip(bytes)) {
        unpacked = gunzip(bytes, MaxSvgBytes);
        bytes = unpacked;
    }
    const auto doc = parseXml(bytes);
    xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!isSvgRoot(root)) throw ReadError("Not an SVG file");
    const auto viewBox = prepareSvgDocument(root);
    SvgOutlines out;
    OutlineContext context(out, root);
    context.setCancel(cancel);
    if (viewBox) context.length_factory().set_viewport_size(viewBox->first, viewBox->second);
    try {
        Traversal::load_document(root, context);
    } catch (const SvgValueError& e) {
        throw ReadError(describe(
            e, root, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
    } catch (const ReadError&) {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const std::exception& e) {
        throw ReadError("Invalid SVG: " + quoteAround(e.what(), 0, 200));
    }
    return out;
}

} // namespace plumex
