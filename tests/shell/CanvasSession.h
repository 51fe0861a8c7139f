#pragma once
// Random editing sessions on a TCvWindow, driven by a byte string: the canvas fuzzer and the
// fixed-seed session test share this interpreter. The bytes are decoded into script lines
// ("drag left from 10,20 to 30,40 shift") and each operation runs from its line, so a session's
// script replays it exactly and a regression reads as what the user did. Menu commands and the
// context menu run through the command table, as the main window runs them. Every answer the
// host gives (message boxes, menus, dialogs) comes from the same bytes and is written after its
// operation in brackets. After each operation `check` looks for broken state: indexes past the
// paths, values that are not finite, stale bounds, an undo step that does not come back, a
// drawing that does not survive its file.

#include "canvas/CanvasHost.h"
#include "canvas/ContextMenu.h"
#include "canvas/Surface.h"
#include "canvas/Window.h"
#include "model/DocumentFile.h"
#include "model/ReadError.h"
#include "shell/CommandRunner.h"
#include "shell/CommandTable.h"
#include "shell/ShellHost.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace plumex::session {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    // Zero once the input is used up, so every session ends.
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
    int below(int n) { return n > 0 ? next() % n : 0; }
    bool flag() { return next() & 1; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Values a user can type into the dialogs, the awkward ones included.
inline double pickValue(Bytes& b) {
    static constexpr double values[] = {0, 1, -1, 0.5, 2, 90, -45, 180, 1e-6, 1e6, 360, 0.1, -3};
    return values[b.below(static_cast<int>(std::size(values)))];
}

// A script line that does not fit the program: its number and what went wrong.
class ScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Words = std::vector<std::string>;

// Shortest text that reads back as the same double.
inline std::string numberWord(double v) {
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v);
    return std::string(text, r.ptr);
}

inline double toNumber(const std::string& word) {
    double v = 0;
    const auto r = std::from_chars(word.data(), word.data() + word.size(), v);
    if (r.ec != std::errc() || r.ptr != word.data() + word.size() || !std::isfinite(v))
        throw ScriptError("not a number: \"" + word + "\"");
    return v;
}

inline int toInteger(const std::string& word) {
    int v = 0;
    const auto r = std::from_chars(word.data(), word.data() + word.size(), v);
    if (r.ec != std::errc() || r.ptr != word.data() + word.size())
        throw ScriptError("not a whole number: \"" + word + "\"");
    return v;
}

inline std::string joined(const Words& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : " ") + w;
    return out;
}

// Position of the word in the list, or a script error naming what was expected.
template <std::size_t N>
int wordIndex(const std::string& word, const char* const (&names)[N], const char* what) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == names[i]) return static_cast<int>(i);
    throw ScriptError(std::string("unknown ") + what + " \"" + word + "\"");
}

inline constexpr const char* AlignNames[] = {"none", "near", "centre", "far", "regular"};
inline constexpr const char* OriginNames[] = {"pivot", "top-left", "bottom-right", "centre"};

// Answers the window's questions (message boxes, menus, dialogs, the clipboard). Drawn from
// the bytes, each answer is noted in brackets after its operation ("[menu Cut1Click]"); a script
// gives them back the same way.
class ScriptedHost : public CanvasHost {
public:
    explicit ScriptedHost(Bytes& bytes) : b_(bytes) {}
    std::string* log = nullptr;          // where drawn answers are noted
    std::deque<Words>* script = nullptr; // the current script line's answers, in order
    void invalidate(const PixelRect&) override {}
    void scroll(const PixelRect&, int, int) override {}
    void setCursor(CursorShape) override {}
    void captureMouse(bool) override {}
    void movePointer(PixelPoint) override {}
    int doubleClickWidth() const override { return 4; }
    MessageAnswer messageBox(const std::string&, MessageKind kind) override {
        if (kind == MessageKind::Error) return MessageAnswer::Ok;
        const bool yesNo = kind == MessageKind::YesNo;
        const Words a = take("message", [&] {
            static constexpr const char* names[] = {"yes", "no", "cancel"};
            return Words{names[b_.below(yesNo ? 2 : 3)]};
        });
        const int n = wordIndex(one(a, "message"), {"yes", "no", "cancel"}, "message answer");
        if (yesNo && n == 2) throw ScriptError("a yes-or-no question cannot be cancelled");
        return n == 0 ? MessageAnswer::Yes : n == 1 ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    std::optional<int> contextMenu(const std::vector<MenuEntry>& entries, PixelPoint) override {
        std::vector<int> enabled;
        for (const MenuEntry& e : entries)
            if (!e.separator && e.enabled) enabled.push_back(e.command);
        const auto& table = commandTable();
        const Words a = take("menu", [&] {
            const int n = b_.below(static_cast<int>(enabled.size()) + 1);
            return Words{
                n == 0 ? "none"
                       : std::string(table.at(static_cast<std::size_t>(enabled[n - 1])).name)};
        });
        const std::string& name = one(a, "menu");
        if (name == "none") return std::nullopt;
        for (int c : enabled)
            if (table.at(static_cast<std::size_t>(c)).name == name) return c;
        throw ScriptError("the context menu offers no enabled " + name);
    }
    std::optional<SizeAnswer> runSizeDialog(const SizeRequest&) override {
        const Words a = take("size", [&] {
            if (!b_.flag()) return Words{"cancel"};
            const double w = pickValue(b_), h = pickValue(b_);
            if (w <= 0 || h <= 0) return Words{"cancel"}; // the dialog refuses them
            return Words{numberWord(w), numberWord(h)};
        });
        if (cancelled(a, 2, "size")) return std::nullopt;
        return SizeAnswer{toNumber(a[0]), toNumber(a[1])};
    }
    std::optional<GridSize> runGridSizeDialog(const GridSize&) override {
        const Words a = take("grid", [&] {
            if (!b_.flag()) return Words{"cancel"};
            const double u = pickValue(b_);
            if (u <= 0) return Words{"cancel"};
            return Words{numberWord(u), std::to_string(1 + b_.below(10))};
        });
        if (cancelled(a, 2, "grid")) return std::nullopt;
        return GridSize{toNumber(a[0]), toInteger(a[1])};
    }
    std::optional<MoveAnswer> runMoveDialog(const MoveRequest& r) override {
        const Words a = take("move", [&] {
            if (!b_.flag()) return Words{"cancel"};
            Words w{numberWord(pickValue(b_)), numberWord(pickValue(b_))};
            w.push_back(r.canCopy && b_.flag() ? "copy" : "in-place");
            return w;
        });
        if (cancelled(a, 3, "move")) return std::nullopt;
        return MoveAnswer{{toNumber(a[0]), toNumber(a[1])}, copy(a[2])};
    }
    std::optional<ExpandAnswer> runExpandDialog(const OriginRequest& r) override {
        const Words a = take("expand", [&] {
            if (!b_.flag()) return Words{"cancel"};
            Words w{numberWord(pickValue(b_)), numberWord(pickValue(b_))};
            w.push_back(OriginNames[b_.below(4)]);
            w.push_back(b_.flag() ? "copy" : "in-place");
            return w;
        });
        if (cancelled(a, 4, "expand")) return std::nullopt;
        return ExpandAnswer{toNumber(a[0]), toNumber(a[1]), origin(r, a[2]), copy(a[3])};
    }
    std::optional<RotateAnswer> runRotateDialog(const OriginRequest& r) override {
        const Words a = take("rotate", [&] {
            if (!b_.flag()) return Words{"cancel"};
            Words w{numberWord(pickValue(b_))};
            w.push_back(OriginNames[b_.below(4)]);
            w.push_back(b_.flag() ? "copy" : "in-place");
            return w;
        });
        if (cancelled(a, 3, "rotate")) return std::nullopt;
        return RotateAnswer{toNumber(a[0]), origin(r, a[1]), copy(a[2])};
    }
    std::optional<ShearAnswer> runShearDialog(const ShearRequest& r) override {
        const Words a = take("shear", [&] {
            if (!b_.flag()) return Words{"cancel"};
            const double degrees = pickValue(b_);
            if (std::abs(degrees) >= 89) return Words{"cancel"}; // the dialog's range
            Words w{numberWord(degrees)};
            w.push_back(b_.flag() ? "vertical" : "horizontal");
            w.push_back(OriginNames[b_.below(4)]);
            w.push_back(b_.flag() ? "copy" : "in-place");
            return w;
        });
        if (cancelled(a, 4, "shear")) return std::nullopt;
        const bool vertical = wordIndex(a[1], {"horizontal", "vertical"}, "direction") == 1;
        return ShearAnswer{toNumber(a[0]), vertical, origin(r.origin, a[2]), copy(a[3])};
    }
    std::optional<AlignAnswer> runAlignDialog(const AlignRequest&) override {
        const Words a = take("align", [&] {
            if (!b_.flag()) return Words{"cancel"};
            Words w{AlignNames[b_.below(5)]};
            w.push_back(AlignNames[b_.below(5)]);
            return w;
        });
        if (cancelled(a, 2, "align")) return std::nullopt;
        return AlignAnswer{static_cast<Align>(wordIndex(a[0], AlignNames, "alignment")),
                           static_cast<Align>(wordIndex(a[1], AlignNames, "alignment"))};
    }
    void setClipboard(const ClipboardContent& c) override {
        clipboard_.block = c.block;
        clipboard_.svg = c.svg;
        clipboard_.text = c.text;
    }
    // What was copied, or now and then a damaged block, the SVG document alone (whole or
    // damaged), the text alone or other text.
    ClipboardOffer clipboard() override {
        ClipboardOffer offer = clipboard_;
        const Words a = take("clipboard", [&] {
            switch (b_.below(8)) {
            case 0:
                if (offer.block && !offer.block->empty()) {
                    const int mask = b_.next();
                    const int at = b_.below(static_cast<int>(offer.block->size()));
                    return Words{"damaged", std::to_string(at), std::to_string(mask)};
                }
                return Words{"as-copied"};
            case 1:
                return Words{"text-only"};
            case 2:
                return Words{"other-text"};
            case 3:
                if (offer.svg && !offer.svg->empty()) {
                    const int mask = b_.next();
                    const int at = b_.below(static_cast<int>(offer.svg->size()));
                    return Words{"svg-only", std::to_string(at), std::to_string(mask)};
                }
                return Words{"svg-only"};
            default:
                return Words{"as-copied"};
            }
        });
        if (a.empty()) throw ScriptError("[clipboard] needs a word");
        if (a[0] == "damaged") {
            // Byte `at` of the block flipped by the bits of `mask`.
            if (a.size() != 3) throw ScriptError("[clipboard damaged AT MASK]");
            const int at = toInteger(a[1]), mask = toInteger(a[2]);
            if (!offer.block || at < 0 || at >= static_cast<int>(offer.block->size()))
                throw ScriptError("the clipboard holds no byte " + a[1]);
            (*offer.block)[static_cast<std::size_t>(at)] ^= static_cast<std::uint8_t>(mask);
        } else if (a[0] == "text-only") {
            offer.block.reset();
            offer.svg.reset();
        } else if (a[0] == "svg-only") {
            // As a drawing program offers it; with AT MASK, that byte of it flipped.
            if (a.size() != 1 && a.size() != 3) throw ScriptError("[clipboard svg-only AT MASK]");
            offer.block.reset();
            offer.text.reset();
            if (a.size() == 3) {
                const int at = toInteger(a[1]), mask = toInteger(a[2]);
                if (!offer.svg || at < 0 || at >= static_cast<int>(offer.svg->size()))
                    throw ScriptError("the SVG document holds no byte " + a[1]);
                (*offer.svg)[static_cast<std::size_t>(at)] ^= static_cast<char>(mask);
            }
        } else if (a[0] == "other-text") {
            offer = {std::nullopt, std::nullopt,
                     std::string("bezier_spline{<0,0>,<1,2>,<3,2>,<4,0>,<4,0>,<5,"
                                 "-1>,<6,-1>,<7,0> <9,9> }")};
        } else if (a[0] != "as-copied") {
            throw ScriptError("unknown clipboard answer \"" + a[0] + "\"");
        }
        return offer;
    }

private:
    // The answer tagged so: the script's next one, or one drawn from the bytes and noted.
    template <typename Draw> Words take(const std::string& tag, Draw draw) {
        if (script) {
            if (script->empty()) throw ScriptError("the window asks for [" + tag + " ...]");
            Words a = std::move(script->front());
            script->pop_front();
            if (a.empty() || a[0] != tag)
                throw ScriptError("the window asks for [" + tag + " ...], not [" + joined(a) + "]");
            a.erase(a.begin());
            return a;
        }
        Words a = draw();
        if (log) *log += " [" + tag + " " + joined(a) + "]";
        return a;
    }
    static const std::string& one(const Words& a, const std::string& tag) {
        if (a.size() != 1) throw ScriptError("[" + tag + "] takes one word");
        return a[0];
    }
    static bool cancelled(const Words& a, std::size_t size, const std::string& tag) {
        if (a.size() == 1 && a[0] == "cancel") return true;
        if (a.size() != size)
            throw ScriptError("[" + tag + "] takes cancel or " + std::to_string(size) + " words");
        return false;
    }
    static bool copy(const std::string& word) {
        return wordIndex(word, {"in-place", "copy"}, "copy choice") == 1;
    }
    static TCvCoord origin(const OriginRequest& r, const std::string& word) {
        const TCvRect& k = r.bounds;
        switch (wordIndex(word, OriginNames, "origin")) {
        case 0:
            return r.pivot;
        case 1:
            return {k.left, k.top};
        case 2:
            return {k.right, k.bottom};
        default:
            return {(k.left + k.right) / 2, (k.top + k.bottom) / 2};
        }
    }
    Bytes& b_;
    ClipboardOffer clipboard_;
};

// The main window's side of the commands: no files, no dialogs of its own; the clipboard is the
// scripted host's.
class ScriptedShell : public ShellHost {
public:
    explicit ScriptedShell(TCvWindow& w) : w_(w) {}
    void New1Click() override { w_.NewDocument(); }
    void Open1Click() override {}
    void OpenNew1Click() override {}
    void Save1Click() override {}
    void SaveAs1Click() override {}
    void Exit1Click() override {}
    void LoadDraft1Click() override {}
    void TraceDraft1Click() override {}
    void Import1Click() override {}
    void ExportSvg1Click() override {}
    void SetColors1Click() override {}
    void Property1Click() override {}
    bool POVCopy1Click(int) override { return true; }
    bool ExportFileClick(int) override { return false; }
    void SelectTool(ToolKind tool) override { w_.SetTool(tool); }
    void ToolPanelPos1Click() override {}
    bool hintsShown() const override { return hints_; }
    void setHintsShown(bool on) override { hints_ = on; }
    void setStatusBarShown(bool) override {}
    void repaintStatusBar() override {}
    bool povPreviewShown() const override { return false; }
    void setPovPreviewShown(bool) override {}
    void About1Click() override {}
    void AboutKey1Click() override {}
    bool clipboardHasPaths() const override { return w_.PasteOffered(); }
    bool recentFilesEnabled() const override { return false; }
    void reportError(const std::string&) override {}
    void showNote(const std::string&) override {}
    void setBusy(bool) override {}

private:
    TCvWindow& w_;
    bool hints_ = true;
};

// Draws nothing; buffers are more of the same.
class NullSurface : public Surface {
public:
    NullSurface(int width, int height) : w_(width), h_(height) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void setClip(std::optional<PixelRect>) override {}
    void fillRect(const PixelRect&, Color) override {}
    void line(PixelPoint, PixelPoint, Color) override {}
    void polyline(std::span<const PixelPoint>, Color) override {}
    void polyBezier(std::span<const PixelPoint> points, Color) override {
        if (!points.empty() && points.size() % 3 != 1) ++badBeziers;
    }
    void rectangle(const PixelRect&, std::optional<Color>, std::optional<Color>) override {}
    void ellipse(const PixelRect&, std::optional<Color>, std::optional<Color>) override {}
    void text(PixelPoint, std::string_view, const FontSpec&, Color) override {}
    void drawImage(const PixelRect&, const RasterImage&) override {}
    void invertFrame(const PixelRect&, BandShape) override {}
    Color pixel(PixelPoint) const override { return 0; }
    void setPixel(PixelPoint, Color) override {}
    std::unique_ptr<Surface> createBuffer(int width, int height) const override {
        return std::make_unique<NullSurface>(width, height);
    }
    void copyFrom(const Surface&, const PixelRect&, PixelPoint) override {}
    void present(const PixelRect&) override {}
    int badBeziers = 0;

private:
    int w_, h_;
};

inline TCvLine makePath(std::initializer_list<TCvCoord> anchors, bool closed, double handle) {
    TCvLine line;
    for (TCvCoord a : anchors)
        line.points.emplace_back(a, TCvCoord{a.x - handle, a.y}, TCvCoord{a.x + handle, a.y});
    line.closed = closed;
    return line;
}

inline constexpr const char* ButtonNames[] = {"none", "left", "right", "middle"};
inline constexpr const char* ToolNames[] = {"object",  "anchor", "pen", "rect",
                                            "ellipse", "text",   "zoom"};
inline constexpr const char* OptionNames[] = {
    "show-anchor", "show-grid",  "snap-grid",  "show-guides", "snap-guides",  "lock-guides",
    "show-helper", "show-ruler", "show-draft", "dim-draft",   "small-anchor", "grid-size-fixed"};
inline constexpr const char* AnchorCommandNames[] = {
    "join-ends", "join-near",    "separate",        "remove",        "smooth",       "corner",
    "double",    "minimize",     "reverse-handles", "copy-handle",   "paste-handle", "copy",
    "cut",       "cut-segments", "paste",           "read-clipboard"};
struct KeyName {
    int code;
    const char* name;
};
inline constexpr KeyName KeyNames[] = {{key::Left, "left"},   {key::Right, "right"},
                                       {key::Up, "up"},       {key::Down, "down"},
                                       {key::Shift, "shift"}, {key::Control, "control"},
                                       {key::Menu, "alt"},    {key::PageUp, "page-up"},
                                       {key::Home, "home"},   {key::PageDown, "page-down"},
                                       {key::End, "end"},     {0x2E, "delete"},
                                       {0x1B, "escape"},      {0x0D, "enter"},
                                       {0x20, "space"},       {0x41, "a"}};

// The words of one script line after the operation's name.
class LineReader {
public:
    explicit LineReader(const Words& words) : w_(words) {}
    const std::string& word(const char* what) {
        if (i_ >= w_.size()) throw ScriptError(std::string("missing ") + what);
        return w_[i_++];
    }
    void expect(const char* text) {
        if (word(text) != text)
            throw ScriptError("\"" + w_[i_ - 1] + "\" where \"" + text + "\" belongs");
    }
    bool optional(const char* text) {
        if (i_ >= w_.size() || w_[i_] != text) return false;
        ++i_;
        return true;
    }
    int integer(const char* what) { return toInteger(word(what)); }
    PixelPoint point() {
        const std::string& p = word("a point X,Y");
        const std::size_t comma = p.find(',');
        if (comma == std::string::npos) throw ScriptError("not a point X,Y: \"" + p + "\"");
        const PixelPoint q{toInteger(p.substr(0, comma)), toInteger(p.substr(comma + 1))};
        // Far beyond any window, and the steps between two points stay in range.
        if (std::abs(q.x) > 100000000 || std::abs(q.y) > 100000000)
            throw ScriptError("point out of range: \"" + p + "\"");
        return q;
    }
    template <std::size_t N> int choice(const char* const (&names)[N], const char* what) {
        return wordIndex(word(what), names, what);
    }
    unsigned modifiers() {
        unsigned s = 0;
        for (bool more = true; more;) {
            more = false;
            for (auto [bit, name] : {std::pair{ssShift, "shift"}, {ssAlt, "alt"}, {ssCtrl, "ctrl"}})
                if (optional(name)) {
                    s |= bit;
                    more = true;
                }
        }
        return s;
    }
    void end() const {
        if (i_ < w_.size()) throw ScriptError("unexpected \"" + w_[i_] + "\"");
    }

private:
    const Words& w_;
    std::size_t i_ = 0;
};

inline std::string modifierText(unsigned s) {
    std::string out;
    if (s & ssShift) out += " shift";
    if (s & ssAlt) out += " alt";
    if (s & ssCtrl) out += " ctrl";
    return out;
}

inline std::string pointText(PixelPoint p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// One line of a script: the operation's words and the answers it gives in brackets.
struct ScriptLine {
    int number = 0;
    Words words;
    std::deque<Words> answers;
};

// Splits script text into lines of words; "#" starts a comment, blank lines are skipped.
inline std::vector<ScriptLine> parseScript(std::string_view text) {
    std::vector<ScriptLine> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t eol = std::min(text.find('\n'), text.size());
        std::string_view row = text.substr(0, eol);
        text.remove_prefix(std::min(eol + 1, text.size()));
        ++number;
        row = row.substr(0, std::min(row.find('#'), row.size()));
        ScriptLine line{number, {}, {}};
        Words* target = &line.words;
        std::string word;
        auto flush = [&] {
            if (!word.empty()) target->push_back(std::move(word));
            word.clear();
        };
        for (char c : row) {
            if (c == '[' || c == ']') {
                flush();
                if ((c == '[') != (target == &line.words))
                    throw ScriptError("line " + std::to_string(number) + ": unbalanced brackets");
                if (c == '[') {
                    line.answers.emplace_back();
                    target = &line.answers.back();
                } else {
                    target = &line.words;
                }
            } else if (c == ' ' || c == '\t' || c == '\r') {
                flush();
            } else {
                word += c;
            }
        }
        flush();
        if (target != &line.words)
            throw ScriptError("line " + std::to_string(number) + ": unbalanced brackets");
        if (!line.words.empty() || !line.answers.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

class Session {
public:
    static constexpr int MaxOperations = 200;

    // A session drawn from the fuzzer's bytes; script() tells what it did.
    Session(const std::uint8_t* data, std::size_t size) : b_(data, size), host_(b_) {
        std::string line = "start";
        for (const char* option :
             {"snap-grid", "snap-guides", "lock-guides", "no-ruler", "small-anchor", "no-surface"})
            if (b_.flag()) line += std::string(" ") + option;
        if (b_.flag()) line += " select " + std::to_string(b_.below(3));
        script_ = line;
        host_.log = &script_;
        begin(parseScript(line).front().words);
        host_.log = nullptr;
        script_ += "\n";
    }

    // A session replaying a script as script() writes it: a "start" line, then one operation a
    // line with the window's questions answered in brackets. Lines that do not fit throw
    // ScriptError naming the line.
    explicit Session(std::string_view script) : b_(nullptr, 0), host_(b_) {
        lines_ = parseScript(script);
        if (lines_.empty() || lines_.front().words.empty() || lines_.front().words[0] != "start")
            throw ScriptError("a session script begins with a \"start\" line");
        answering(lines_.front(), [&] { begin(lines_.front().words); });
        next_ = 1;
        script_ = std::string(script);
    }

    TCvWindow& window() { return w_; }
    bool done() const {
        if (!lines_.empty()) return next_ >= lines_.size();
        return b_.empty() || ops_ >= MaxOperations;
    }
    // The session so far as a script.
    const std::string& script() const { return script_; }
    // The script line of the last operation run, when a script drives.
    int lineNumber() const { return next_ > 0 ? lines_[next_ - 1].number : 0; }

    // Runs one operation.
    void step() {
        if (done()) return;
        ++ops_;
        if (!lines_.empty()) {
            ScriptLine& line = lines_[next_++];
            answering(line, [&] { execute(line.words); });
            return;
        }
        const std::string line = decode();
        script_ += line;
        host_.log = &script_;
        execute(parseScript(line).front().words);
        host_.log = nullptr;
        script_ += "\n";
    }

    // The first broken rule, empty when all hold. Without `deep` the file round trip and
    // the undo-redo round trip, the slow ones, are left out.
    std::string check(bool deep = true) {
        TCvDocument& d = w_.Document;
        const int n = static_cast<int>(d.Lines.size());
        const int drag = static_cast<int>(w_.DragState());
        if (drag < 0 || drag > 17) return "drag state out of range";
        if (w_.PenPath() < -1 || w_.PenPath() >= n) return "pen path index out of range";
        // The hovered anchor and guide are looked up again before every press, so edits may
        // leave them stale in between.
        if (auto g = w_.MovingGuideLine(); g && !guideValid(*g)) return "moving guide";
        if (w_.DragState() != DragKind::Idle) {
            if (!hitValid(w_.GrabbedAnchor())) return "grabbed anchor out of range";
            if (!hitValid(w_.Press().nearest)) return "nearest anchor out of range";
        }
        for (const TCvLine& line : d.Lines)
            for (const TCvPoint& p : line.points)
                if (!finite(p.anchor) || !finite(p.inHandle) || !finite(p.outHandle))
                    return "coordinate not finite";
        if (!finite(d.Pivot)) return "pivot not finite";
        if (!finite(w_.CursorPos())) return "cursor position not finite";
        for (double g : d.Settings.verticalGuides)
            if (!std::isfinite(g)) return "guide not finite";
        for (double g : d.Settings.horizontalGuides)
            if (!std::isfinite(g)) return "guide not finite";
        if (surface_.badBeziers) return "poly-Bezier with a broken point count";
        // The pen's floating anchor moves with the mouse without a bounds update.
        if (w_.DragState() == DragKind::Idle && d.CountSelected() > 0 && w_.PenPath() < 0) {
            const TCvRect kept = d.SelectionBounds;
            d.UpdateSelectionBounds();
            const TCvRect fresh = d.SelectionBounds;
            d.SelectionBounds = kept;
            if (!near(kept, fresh))
                return "selection bounds stale: " + describe(kept) + " not " + describe(fresh) +
                       ", pen path " + std::to_string(w_.PenPath());
        }
        if (!deep) return {};
        try {
            const auto bytes = writeDocument(d.Lines, d.Settings);
            const std::vector<TCvLine> back = readDocument(bytes).lines;
            if (back.size() != d.Lines.size()) return "document reads back another path count";
            for (std::size_t i = 0; i < back.size(); ++i) {
                TCvLine mine = d.Lines[i]; // the file keeps no anchor selection
                for (TCvPoint& p : mine.points) p.selected = 0;
                if (!(back[i] == mine))
                    return "path " + std::to_string(i) + " does not read back: " + describe(mine) +
                           " as " + describe(back[i]);
            }
        } catch (const std::exception& e) {
            return std::string("document does not write: ") + e.what();
        }
        if (w_.DragState() == DragKind::Idle && d.UndoBuffer.CanUndo()) {
            // At the newest step Undo keeps the present whole; past it only the content,
            // since selecting records no step.
            const bool newest = !d.UndoBuffer.CanRedo();
            const std::vector<TCvLine> lines = d.Lines;
            const TCvCoord pivot = d.Pivot;
            const int pen = w_.PenPath();
            if (!w_.Undo()) return "undo refused";
            if (!w_.Redo()) return "redo refused after undo";
            std::vector<TCvLine> after = d.Lines, before = lines;
            if (!newest) {
                // The pen's floating anchor follows the mouse, and goes, without an undo step.
                dropFloating(before, pen);
                dropFloating(after, w_.PenPath());
            }
            if (!sameContent(before, after, newest)) return "undo then redo changed the paths";
            if (newest && !(pivot == d.Pivot)) return "undo then redo moved the pivot";
            if (newest && pen != w_.PenPath()) return "undo then redo lost the pen path";
        }
        return {};
    }

private:
    static std::string describe(const TCvLine& l) {
        std::string out = "closed " + std::to_string(l.closed) + " locked " +
                          std::to_string(l.locked) + " visible " + std::to_string(l.visible);
        for (const TCvPoint& p : l.points)
            out += " (" + std::to_string(p.anchor.x) + "," + std::to_string(p.anchor.y) + " i" +
                   std::to_string(p.independent) + ")";
        return out;
    }
    static std::string describe(const TCvRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }
    bool hitValid(const AnchorHit& h) const {
        if (h.path < 0) return h.path == -1;
        const auto& lines = w_.Document.Lines;
        return h.path < static_cast<int>(lines.size()) && h.point >= 0 &&
               h.point < lines[h.path].count();
    }
    bool guideValid(const MovingGuide& g) {
        const auto& list = g.vertical() ? w_.VerticalGuides() : w_.HorizontalGuides();
        return g.index >= 0 && g.index < static_cast<int>(list.size());
    }
    // Moves shift the bounds instead of measuring them again: rounding apart only.
    static bool near(const TCvRect& a, const TCvRect& b) {
        for (auto [x, y] :
             {std::pair{a.left, b.left}, {a.top, b.top}, {a.right, b.right}, {a.bottom, b.bottom}})
            if (std::abs(x - y) > 1e-9 * std::max({1.0, std::abs(x), std::abs(y)})) return false;
        return true;
    }
    static bool finite(TCvCoord c) { return std::isfinite(c.x) && std::isfinite(c.y); }
    static void dropFloating(std::vector<TCvLine>& lines, int pen) {
        if (pen < 0 || pen >= static_cast<int>(lines.size())) return;
        TCvLine& line = lines[static_cast<std::size_t>(pen)];
        if (!line.closed && line.count() > 1) line.points.pop_back();
    }
    // Selecting records no undo step, so only the content must come back.
    static bool sameContent(std::vector<TCvLine> a, std::vector<TCvLine> b, bool selection) {
        if (selection) {
            for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
                if (a[i].selected != b[i].selected) return false;
            return a == b;
        }
        // Nor do locking and hiding.
        for (auto* list : {&a, &b})
            for (TCvLine& line : *list) {
                line.locked = 0;
                line.visible = 1;
                for (TCvPoint& p : line.points) p.selected = 0;
            }
        return a == b;
    }

    // A pixel near something worth hitting: anchors, handles, curve points, the selection
    // frame and its zones, the pivot, guides, rulers, or anywhere.
    PixelPoint target() {
        const auto& lines = w_.Document.Lines;
        const int kind = b_.below(8);
        const int jitter = b_.next();
        const int jx = (jitter & 15) - 8, jy = (jitter >> 4) - 8;
        const bool exact = (jitter & 0x11) == 0x11;
        TCvCoord u{0, 0};
        PixelPoint p{b_.below(w_.ClientWidth() + 20) - 10, b_.below(w_.ClientHeight() + 20) - 10};
        const int pick = b_.next();
        switch (kind) {
        case 0:
        case 1:
        case 2: {
            if (lines.empty()) break;
            const TCvLine& line = lines[pick % lines.size()];
            if (line.points.empty()) break;
            const TCvPoint& pt = line.points[(pick / 8) % line.points.size()];
            u = kind == 0 ? pt.anchor : kind == 1 ? pt.inHandle : pt.outHandle;
            p = w_.UnitToPixel(u);
            break;
        }
        case 3: {
            if (lines.empty()) break;
            const TCvLine& line = lines[pick % lines.size()];
            if (line.segmentCount() == 0) break;
            const Segment s = line.segment((pick / 8) % line.segmentCount());
            // The curve at t = 1/2.
            u = {(s.a.x + 3 * s.h1.x + 3 * s.h2.x + s.b.x) / 8,
                 (s.a.y + 3 * s.h1.y + 3 * s.h2.y + s.b.y) / 8};
            p = w_.UnitToPixel(u);
            break;
        }
        case 4: {
            // The selection frame: corners, edge middles, centre, a little outside for the
            // rotate and shear zones.
            const PixelRect r = w_.UnitRectToPixelRect(w_.Document.SelectionBounds);
            const int xs[] = {r.left, (r.left + r.right) / 2, r.right};
            const int ys[] = {r.top, (r.top + r.bottom) / 2, r.bottom};
            p = {xs[pick % 3], ys[(pick / 3) % 3]};
            if (pick & 0x40) p = {p.x + (p.x < xs[1] ? -10 : 10), p.y + (p.y < ys[1] ? -10 : 10)};
            break;
        }
        case 5:
            p = w_.UnitToPixel(w_.Document.Pivot);
            break;
        case 6: {
            const auto& v = w_.Document.Settings.verticalGuides;
            const auto& h = w_.Document.Settings.horizontalGuides;
            if ((pick & 1) && !v.empty()) p.x = w_.UnitToPixelX(v[(pick / 2) % v.size()]);
            if (!(pick & 1) && !h.empty()) p.y = w_.UnitToPixelY(h[(pick / 2) % h.size()]);
            break;
        }
        default:
            // The rulers and their corner.
            if (pick & 1) p.x = pick % RulerWidth;
            if (pick & 2) p.y = (pick / 4) % RulerWidth;
            break;
        }
        if (!exact) p = {p.x + jx, p.y + jy};
        return p;
    }

    unsigned modifiers() {
        const int m = b_.next();
        unsigned s = 0;
        if (m & 1) s |= ssShift;
        if ((m & 6) == 6) s |= ssAlt;
        if ((m & 24) == 24) s |= ssCtrl;
        return s;
    }

    static unsigned held(MouseButton b) {
        return b == MouseButton::Left ? ssLeft : b == MouseButton::Right ? ssRight : ssMiddle;
    }
    MouseButton button() {
        const int n = b_.below(8);
        return n < 5 ? MouseButton::Left : n < 7 ? MouseButton::Right : MouseButton::Middle;
    }
    // Runs f with the line's answers for the window's questions; each must be used.
    template <typename F> void answering(ScriptLine& line, F f) {
        host_.script = &line.answers;
        try {
            f();
            if (!line.answers.empty())
                throw ScriptError("the window did not ask for [" + joined(line.answers.front()) +
                                  "]");
        } catch (const ScriptError& e) {
            host_.script = nullptr;
            throw ScriptError("line " + std::to_string(line.number) + ": " + e.what());
        }
        host_.script = nullptr;
    }

    void begin(const Words& words) {
        LineReader r(words);
        r.expect("start");
        o_.SnapGrid = r.optional("snap-grid");
        o_.SnapGuides = r.optional("snap-guides");
        o_.LockGuides = r.optional("lock-guides");
        o_.ShowRuler = !r.optional("no-ruler");
        o_.SmallAnchor = r.optional("small-anchor");
        const bool surface = !r.optional("no-surface");
        const int select = r.optional("select") ? r.integer("path to select") : -1;
        if (select > 2) throw ScriptError("the session begins with three paths");
        r.end();
        w_.SetHost(&host_);
        w_.SetContextMenuSource(&runner_);
        if (surface) w_.SetSurface(&surface_);
        w_.Resize(413, 313);
        w_.HandleCreated();
        // A closed square, an open curve crossing it and a lone two-anchor line.
        w_.Document.Lines.push_back(makePath({{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, true, 0));
        w_.Document.Lines.push_back(makePath({{-2, 0}, {0, 0.5}, {2, 0}}, false, 0.4));
        w_.Document.Lines.push_back(makePath({{0.5, -1.5}, {1.5, -0.5}}, false, 0));
        w_.Document.Settings.verticalGuides = {0.25};
        w_.Document.Settings.horizontalGuides = {-0.75};
        if (select >= 0) w_.Document.Lines[static_cast<std::size_t>(select)].SelectAll(true);
        w_.Document.SelectionChanged();
    }

    static std::string commandWord(const Command& c) {
        // Names are the table's keys; an unnamed entry goes by its position.
        if (!c.name.empty() && findCommand(c.name) == &c) return std::string(c.name);
        return "#" + std::to_string(commandIndex(c));
    }
    static const Command& commandOfWord(const std::string& word) {
        const auto& table = commandTable();
        if (word.size() > 1 && word[0] == '#') {
            const int i = toInteger(word.substr(1));
            if (i < 0 || i >= static_cast<int>(table.size()))
                throw ScriptError("no command " + word);
            return table[static_cast<std::size_t>(i)];
        }
        if (const Command* c = findCommand(word)) return *c;
        throw ScriptError("no command \"" + word + "\"");
    }

    // The next operation drawn from the bytes, as a script line.
    std::string decode() {
        const int op = b_.below(40);
        auto button = [&] { return std::string(ButtonNames[static_cast<int>(this->button())]); };
        switch (op) {
        case 0:
        case 1:
        case 2:
        case 3: { // press
            const std::string bt = button();
            const PixelPoint p = target();
            const std::string mods = modifierText(modifiers());
            return "press " + bt + " at " + pointText(p) + mods +
                   (b_.below(6) == 0 ? " double" : "");
        }
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9: { // moves, in a few steps towards a target
            const PixelPoint to = target();
            const std::string mods = modifierText(modifiers());
            return "move to " + pointText(to) + " in " + std::to_string(1 + b_.below(4)) + mods;
        }
        case 10:
        case 11:
        case 12: { // release a held button (or any)
            MouseButton bt = this->button();
            if (buttons_ & ssLeft)
                bt = MouseButton::Left;
            else if (buttons_ & ssRight)
                bt = MouseButton::Right;
            else if (buttons_ & ssMiddle)
                bt = MouseButton::Middle;
            if (b_.below(4) == 0) bt = this->button();
            const PixelPoint p = b_.flag() ? last_ : target();
            return std::string("release ") + ButtonNames[static_cast<int>(bt)] + " at " +
                   pointText(p) + modifierText(modifiers());
        }
        case 13:
        case 14: { // keys
            const char* k = KeyNames[b_.below(16)].name;
            const std::string mods = modifierText(modifiers());
            return std::string("key ") + (b_.flag() ? "down " : "up ") + k + mods;
        }
        case 15:
            return b_.flag() ? "wheel up" : "wheel down";
        case 16: {
            static constexpr int sizes[][2] = {{413, 313}, {30, 30}, {0, 0}, {800, 200}, {14, 500}};
            const auto& sz = sizes[b_.below(5)];
            return "resize " + pointText({sz[0], sz[1]});
        }
        case 17:
            return "focus lost";
        case 18:
        case 19: { // the tool buttons
            static constexpr ToolKind tools[] = {ToolKind::Object, ToolKind::Anchor, ToolKind::Pen,
                                                 ToolKind::Zoom};
            return std::string("tool ") + ToolNames[toolIndex(tools[b_.below(4)])];
        }
        case 20: {
            const int n = b_.below(CanvasOptionCount);
            return std::string("option ") + OptionNames[n] + (b_.flag() ? " on" : " off");
        }
        case 21:
            return "undo";
        case 22:
            return "redo";
        case 23:
        case 24:
        case 25:
        case 26: { // any command of the menus, as a click or its shortcut runs it
            const auto& table = commandTable();
            return "command " +
                   commandWord(
                       table[static_cast<std::size_t>(b_.below(static_cast<int>(table.size())))]);
        }
        case 30: { // the Anchor menu and the clipboard, from the menu or a shortcut
            const int c = b_.below(16);
            std::string line = std::string("anchor ") + AnchorCommandNames[c];
            if (c == 0 && b_.flag()) line += " straight";
            if (c == 14 && b_.flag()) line += " centred";
            return line;
        }
        case 27:
        case 28:
            return "paint";
        case 29: { // what the canvas offers beyond the menus
            switch (b_.below(5)) {
            case 0:
                return "deselect all";
            case 1: {
                std::string line = "erase guides";
                if (b_.flag()) line += " vertical";
                if (b_.flag()) line += " horizontal";
                return line;
            }
            case 2:
                return "shear dialog " + std::to_string(b_.below(16));
            case 3:
                return "zoom to " + numberWord(pickValue(b_) * 100);
            default: {
                const int dx = b_.below(200) - 100;
                const int dy = b_.below(200) - 100;
                return "scroll by " + pointText({dx, dy});
            }
            }
        }
        default: { // a whole click or drag at once, the commonest thing a user does
            const std::string bt = button();
            const PixelPoint from = target();
            const PixelPoint to = b_.flag() ? from : target();
            const std::string mods = modifierText(modifiers());
            return "drag " + bt + " from " + pointText(from) + " to " + pointText(to) + mods +
                   (b_.below(5) == 0 ? " double" : "");
        }
        }
    }

    // Runs one script line on the window.
    void execute(const Words& words) {
        if (words.empty()) throw ScriptError("no operation");
        LineReader r(words);
        const std::string& op = r.word("operation");
        if (op == "press") {
            const auto bt = static_cast<MouseButton>(r.choice(ButtonNames, "button"));
            r.expect("at");
            const PixelPoint p = r.point();
            unsigned s = r.modifiers() | held(bt) | buttons_;
            if (r.optional("double")) s |= ssDouble;
            r.end();
            buttons_ |= held(bt);
            w_.MouseDown({p, bt, s});
        } else if (op == "move") {
            r.expect("to");
            const PixelPoint to = r.point();
            r.expect("in");
            const int steps = r.integer("steps");
            const unsigned s = r.modifiers() | buttons_;
            r.end();
            if (steps < 1 || steps > 10) throw ScriptError("1 to 10 steps");
            const PixelPoint from = last_;
            for (int i = 1; i <= steps; ++i) {
                last_ = {from.x + (to.x - from.x) * i / steps,
                         from.y + (to.y - from.y) * i / steps};
                w_.MouseMove({last_, MouseButton::None, s});
            }
        } else if (op == "release") {
            const auto bt = static_cast<MouseButton>(r.choice(ButtonNames, "button"));
            r.expect("at");
            const PixelPoint p = r.point();
            const unsigned mods = r.modifiers();
            r.end();
            buttons_ &= ~held(bt);
            w_.MouseUp({p, bt, mods | buttons_});
        } else if (op == "key") {
            const bool down = r.choice({"up", "down"}, "key direction") == 1;
            const std::string& name = r.word("key");
            const auto k = std::find_if(std::begin(KeyNames), std::end(KeyNames),
                                        [&](const KeyName& n) { return name == n.name; });
            if (k == std::end(KeyNames)) throw ScriptError("unknown key \"" + name + "\"");
            const unsigned s = r.modifiers() | buttons_;
            r.end();
            if (down)
                w_.KeyDown({k->code, s});
            else
                w_.KeyUp({k->code, s});
        } else if (op == "wheel") {
            const bool up = r.choice({"down", "up"}, "wheel direction") == 1;
            r.end();
            w_.MouseWheel(up ? 120 : -120);
        } else if (op == "resize") {
            const PixelPoint size = r.point();
            r.end();
            if (size.x < 0 || size.y < 0) throw ScriptError("a window size is not negative");
            w_.Resize(size.x, size.y);
        } else if (op == "focus") {
            r.expect("lost");
            r.end();
            w_.FocusLost();
            buttons_ = 0;
        } else if (op == "tool") { // the tool buttons: the main window ends a drag first
            const int t = r.choice(ToolNames, "tool");
            r.end();
            w_.CancelDrag();
            w_.SetTool(static_cast<ToolKind>(t));
        } else if (op == "option") {
            const int n = r.choice(OptionNames, "option");
            const bool v = r.choice({"off", "on"}, "on or off") == 1;
            r.end();
            w_.CancelDrag();
            w_.SetOption(static_cast<CanvasOption>(n), v);
        } else if (op == "undo" || op == "redo") {
            r.end();
            if (op == "undo")
                w_.Undo();
            else
                w_.Redo();
        } else if (op == "command") {
            const Command& c = commandOfWord(r.word("command"));
            r.end();
            runner_.run(c);
        } else if (op == "anchor") {
            anchorCommand(r);
        } else if (op == "paint") {
            r.end();
            w_.Paint({0, 0, w_.ClientWidth(), w_.ClientHeight()});
        } else if (op == "deselect" || op == "erase" || op == "shear" || op == "zoom" ||
                   op == "scroll") {
            canvasCommand(op, r);
        } else if (op == "drag") {
            const auto bt = static_cast<MouseButton>(r.choice(ButtonNames, "button"));
            r.expect("from");
            const PixelPoint from = r.point();
            r.expect("to");
            const PixelPoint to = r.point();
            const unsigned s = r.modifiers();
            const unsigned dbl = r.optional("double") ? unsigned{ssDouble} : 0u;
            r.end();
            w_.MouseMove({from, MouseButton::None, s | buttons_});
            w_.MouseDown({from, bt, s | held(bt) | buttons_ | dbl});
            for (int i = 1; i <= 3; ++i)
                w_.MouseMove({{from.x + (to.x - from.x) * i / 3, from.y + (to.y - from.y) * i / 3},
                              MouseButton::None,
                              s | held(bt) | buttons_});
            w_.MouseUp({to, bt, s | buttons_});
            last_ = to;
        } else {
            throw ScriptError("unknown operation \"" + op + "\"");
        }
    }

    // What the canvas offers beyond the menus.
    void canvasCommand(const std::string& op, LineReader& r) {
        w_.CancelDrag();
        if (op == "deselect") {
            r.expect("all");
            r.end();
            w_.Document.DeselectAll();
            w_.Invalidate();
        } else if (op == "erase") {
            r.expect("guides");
            const bool vertical = r.optional("vertical");
            const bool horizontal = r.optional("horizontal");
            r.end();
            w_.EraseGuides(GuideAxes{.vertical = vertical, .horizontal = horizontal});
        } else if (op == "shear") {
            r.expect("dialog");
            const int zone = r.integer("hover zone");
            r.end();
            if (zone < 0 || zone > static_cast<int>(HoverZone::ShearBottom))
                throw ScriptError("no hover zone " + std::to_string(zone));
            w_.ShearDialog(static_cast<HoverZone>(zone));
        } else if (op == "zoom") {
            r.expect("to");
            const double percent = toNumber(r.word("percent"));
            r.end();
            w_.ZoomTo(percent);
        } else {
            r.expect("by");
            const PixelPoint d = r.point();
            r.end();
            w_.ScrollBy(d.x, d.y);
        }
    }

    // The Anchor menu and the clipboard, from the menu or a shortcut.
    void anchorCommand(LineReader& r) {
        const int c = r.choice(AnchorCommandNames, "anchor command");
        const bool straight = c == 0 && r.optional("straight");
        const bool centred = c == 14 && r.optional("centred");
        r.end();
        w_.CancelDrag();
        switch (c) {
        case 0:
            w_.JoinEndAnchors(straight ? JoinShape::Straight : JoinShape::Curved);
            break;
        case 1:
            w_.JoinNearEndAnchors();
            break;
        case 2:
            w_.SeparateAnchors();
            break;
        case 3:
            w_.RemoveAnchors();
            break;
        case 4:
            w_.SmoothAnchors();
            break;
        case 5:
            w_.CornerAnchors();
            break;
        case 6:
            w_.DoubleAnchors();
            break;
        case 7:
            w_.MinimizeAnchors();
            break;
        case 8:
            w_.ReverseHandles();
            break;
        case 9:
            w_.CopyHandle();
            break;
        case 10:
            w_.PasteHandle();
            break;
        case 11:
            w_.Copy();
            break;
        case 12:
            w_.Cut();
            break;
        case 13:
            w_.CutSegments();
            break;
        case 14:
            w_.Paste(centred ? PastePlace::ViewCentre : PastePlace::SamePosition);
            break;
        default:
            w_.ReadClipboard();
            break;
        }
    }

    Bytes b_;
    ScriptedHost host_;
    TCvOptions o_;
    TCvWindow w_{&o_};
    ScriptedShell shell_{w_};
    CommandRunner runner_{w_, shell_};
    NullSurface surface_{413, 313};
    unsigned buttons_ = 0;
    PixelPoint last_{200, 150};
    int ops_ = 0;
    std::vector<ScriptLine> lines_; // a script's lines; empty when the bytes drive
    std::size_t next_ = 0;
    std::string script_;
};

} // namespace plumex::session
