#pragma once
// Random editing sessions on a TCvWindow, driven by a byte string: the canvas fuzzer and the
// fixed-seed session test share this interpreter. Menu commands and the context menu run
// through the command table, as the main window runs them. Every answer the host gives (message
// boxes, menus, dialogs) comes from the same bytes. After each operation `check` looks for broken
// state: indexes past the paths, values that are not finite, stale bounds, an undo step that
// does not come back, a drawing that does not survive its file.

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
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
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

class ScriptedHost : public CanvasHost {
public:
    explicit ScriptedHost(Bytes& bytes) : b_(bytes) {}
    std::string* log = nullptr; // where the menu choices are noted
    void invalidate(const PixelRect&) override {}
    void scroll(const PixelRect&, int, int) override {}
    void setCursor(CursorShape) override {}
    void captureMouse(bool) override {}
    void movePointer(PixelPoint) override {}
    int doubleClickWidth() const override { return 4; }
    MessageAnswer messageBox(const std::string&, MessageKind kind) override {
        if (kind == MessageKind::Error) return MessageAnswer::Ok;
        const int n = b_.below(kind == MessageKind::YesNo ? 2 : 3);
        return n == 0 ? MessageAnswer::Yes : n == 1 ? MessageAnswer::No : MessageAnswer::Cancel;
    }
    std::optional<int> contextMenu(const std::vector<MenuEntry>& entries, PixelPoint) override {
        std::vector<int> enabled;
        for (const MenuEntry& e : entries)
            if (!e.separator && e.enabled) enabled.push_back(e.command);
        const int n = b_.below(static_cast<int>(enabled.size()) + 1);
        if (n == 0) return std::nullopt;
        if (log) *log += " [menu " + std::to_string(enabled[n - 1]) + "]";
        return enabled[n - 1];
    }
    std::optional<SizeAnswer> runSizeDialog(const SizeRequest&) override {
        if (!b_.flag()) return std::nullopt;
        const double w = pickValue(b_), h = pickValue(b_);
        if (w <= 0 || h <= 0) return std::nullopt; // the dialog refuses them
        return SizeAnswer{w, h};
    }
    std::optional<GridSize> runGridSizeDialog(const GridSize&) override {
        if (!b_.flag()) return std::nullopt;
        const double u = pickValue(b_);
        if (u <= 0) return std::nullopt;
        return GridSize{u, 1 + b_.below(10)};
    }
    std::optional<MoveAnswer> runMoveDialog(const MoveRequest& r) override {
        if (!b_.flag()) return std::nullopt;
        return MoveAnswer{{pickValue(b_), pickValue(b_)}, r.canCopy && b_.flag()};
    }
    std::optional<ExpandAnswer> runExpandDialog(const OriginRequest& r) override {
        if (!b_.flag()) return std::nullopt;
        return ExpandAnswer{pickValue(b_), pickValue(b_), origin(r), b_.flag()};
    }
    std::optional<RotateAnswer> runRotateDialog(const OriginRequest& r) override {
        if (!b_.flag()) return std::nullopt;
        return RotateAnswer{pickValue(b_), origin(r), b_.flag()};
    }
    std::optional<ShearAnswer> runShearDialog(const ShearRequest& r) override {
        if (!b_.flag()) return std::nullopt;
        const double degrees = pickValue(b_);
        if (std::abs(degrees) >= 89) return std::nullopt; // the dialog's range
        return ShearAnswer{degrees, b_.flag(), origin(r.origin), b_.flag()};
    }
    std::optional<AlignAnswer> runAlignDialog(const AlignRequest&) override {
        if (!b_.flag()) return std::nullopt;
        return AlignAnswer{static_cast<Align>(b_.below(5)), static_cast<Align>(b_.below(5))};
    }
    void setClipboard(const ClipboardContent& c) override {
        clipboard_.block = c.block;
        clipboard_.text = c.text;
    }
    // What was copied, or now and then a damaged block, the text alone or other text.
    ClipboardOffer clipboard() override {
        ClipboardOffer offer = clipboard_;
        switch (b_.below(8)) {
        case 0:
            if (offer.block && !offer.block->empty())
                (*offer.block)[b_.below(static_cast<int>(offer.block->size()))] ^= b_.next();
            break;
        case 1:
            offer.block.reset();
            break;
        case 2:
            offer = {std::nullopt, std::string("bezier_spline{<0,0>,<1,2>,<3,2>,<4,0>,<4,0>,<5,"
                                               "-1>,<6,-1>,<7,0> <9,9> }")};
            break;
        default:
            break;
        }
        return offer;
    }

private:
    TCvCoord origin(const OriginRequest& r) {
        const TCvRect& k = r.bounds;
        switch (b_.below(4)) {
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
    void Import1Click() override {}
    void ExportSvg1Click() override {}
    void SetColors1Click() override {}
    void Property1Click() override {}
    bool POVCopy1Click(int) override { return true; }
    bool ExportFileClick(int) override { return false; }
    void SelectTool(int tool) override { w_.SetTool(tool); }
    void ToolPanelPos1Click() override {}
    bool hintsShown() const override { return hints_; }
    void setHintsShown(bool on) override { hints_ = on; }
    void setStatusBarShown(bool) override {}
    void repaintStatusBar() override {}
    bool povPreviewShown() const override { return false; }
    void setPovPreviewShown(bool) override {}
    void About1Click() override {}
    bool clipboardHasPaths() const override { return w_.ReadClipboard(); }
    bool recentFilesEnabled() const override { return false; }
    void reportError(const std::string&) override {}

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
    void invertFrame(const PixelRect&, bool) override {}
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

class Session {
public:
    static constexpr int MaxOperations = 200;

    Session(const std::uint8_t* data, std::size_t size) : b_(data, size), host_(b_) {
        o_.SnapGrid = b_.flag();
        o_.SnapGuides = b_.flag();
        o_.LockGuides = b_.flag();
        o_.ShowRuler = !b_.flag();
        o_.SmallAnchor = b_.flag();
        w_.SetHost(&host_);
        w_.SetContextMenuSource(&runner_);
        if (!b_.flag()) w_.SetSurface(&surface_);
        w_.Resize(413, 313);
        w_.HandleCreated();
        // A closed square, an open curve crossing it and a lone two-anchor line.
        w_.Document.Lines.push_back(makePath({{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}, true, 0));
        w_.Document.Lines.push_back(makePath({{-2, 0}, {0, 0.5}, {2, 0}}, false, 0.4));
        w_.Document.Lines.push_back(makePath({{0.5, -1.5}, {1.5, -0.5}}, false, 0));
        w_.Document.Settings.verticalGuides = {0.25};
        w_.Document.Settings.horizontalGuides = {-0.75};
        if (b_.flag()) w_.Document.Lines[b_.below(3)].SelectAll(true);
        w_.Document.SelectionChanged();
    }

    TCvWindow& window() { return w_; }
    bool done() const { return b_.empty() || ops_ >= MaxOperations; }

    // Runs one operation and describes it in `log` (when given).
    void step(std::string* log = nullptr) {
        ++ops_;
        const int op = b_.below(40);
        char text[96];
        std::snprintf(text, sizeof text, "op %d", op);
        if (log) *log += text;
        host_.log = log;
        run(op, log);
        host_.log = nullptr;
        if (log) *log += "\n";
    }

    // The first broken rule, empty when all hold. Without `deep` the file round trip and
    // the undo-redo round trip, the slow ones, are left out.
    std::string check(bool deep = true) {
        TCvDocument& d = w_.Document;
        const int n = static_cast<int>(d.Lines.size());
        if (w_.DragState() < 0 || w_.DragState() > 17) return "drag state out of range";
        if (w_.PenPath() < -1 || w_.PenPath() >= n) return "pen path index out of range";
        // The hovered anchor and guide are looked up again before every press, so edits may
        // leave them stale in between.
        if (auto g = w_.MovingGuideLine(); g && !guideValid(*g)) return "moving guide";
        if (w_.DragState() != dsIdle) {
            const PressContext& p = w_.Press();
            if (!hitValid(p.grabbed)) return "grabbed anchor out of range";
            if (!hitValid(p.nearest)) return "nearest anchor out of range";
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
        if (w_.DragState() == dsIdle && d.CountSelected() > 0 && w_.PenPath() < 0) {
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
        if (w_.DragState() == dsIdle && d.UndoBuffer.CanUndo()) {
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
        const auto& list = g.vertical ? w_.VerticalGuides() : w_.HorizontalGuides();
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
    void note(std::string* log, const char* format, int a = 0, int c = 0, int d = 0) {
        if (!log) return;
        char text[128];
        std::snprintf(text, sizeof text, format, a, c, d);
        *log += text;
    }

    void run(int op, std::string* log) {
        switch (op) {
        case 0:
        case 1:
        case 2:
        case 3: { // press
            const MouseButton bt = button();
            const PixelPoint p = target();
            unsigned s = modifiers() | held(bt) | buttons_;
            if (b_.below(6) == 0) s |= ssDouble;
            note(log, " press %d at %d,%d", static_cast<int>(bt), p.x, p.y);
            buttons_ |= held(bt);
            w_.MouseDown({p, bt, s});
            break;
        }
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
        case 9: { // moves, in a few steps towards a target
            const PixelPoint to = target();
            const unsigned s = modifiers() | buttons_;
            const int steps = 1 + b_.below(4);
            note(log, " move to %d,%d in %d", to.x, to.y, steps);
            const PixelPoint from = last_;
            for (int i = 1; i <= steps; ++i) {
                last_ = {from.x + (to.x - from.x) * i / steps,
                         from.y + (to.y - from.y) * i / steps};
                w_.MouseMove({last_, MouseButton::None, s});
            }
            break;
        }
        case 10:
        case 11:
        case 12: { // release a held button (or any)
            MouseButton bt = button();
            if (buttons_ & ssLeft)
                bt = MouseButton::Left;
            else if (buttons_ & ssRight)
                bt = MouseButton::Right;
            else if (buttons_ & ssMiddle)
                bt = MouseButton::Middle;
            if (b_.below(4) == 0) bt = button();
            buttons_ &= ~held(bt);
            const PixelPoint p = b_.flag() ? last_ : target();
            note(log, " release %d at %d,%d", static_cast<int>(bt), p.x, p.y);
            w_.MouseUp({p, bt, modifiers() | buttons_});
            break;
        }
        case 13:
        case 14: { // keys
            static constexpr int keys[] = {key::Left,  key::Right,    key::Up,   key::Down,
                                           key::Shift, key::Control,  key::Menu, key::PageUp,
                                           key::Home,  key::PageDown, key::End,  0x2E,
                                           0x1B,       0x0D,          0x20,      0x41};
            const int k = keys[b_.below(16)];
            const unsigned s = modifiers() | buttons_;
            note(log, " key %d shift %d", k, static_cast<int>(s));
            if (b_.flag())
                w_.KeyDown({k, s});
            else
                w_.KeyUp({k, s});
            break;
        }
        case 15:
            note(log, " wheel");
            w_.MouseWheel(b_.flag() ? 120 : -120);
            break;
        case 16: {
            static constexpr int sizes[][2] = {{413, 313}, {30, 30}, {0, 0}, {800, 200}, {14, 500}};
            const auto& sz = sizes[b_.below(5)];
            note(log, " resize %d,%d", sz[0], sz[1]);
            w_.Resize(sz[0], sz[1]);
            break;
        }
        case 17:
            note(log, " focus lost");
            w_.FocusLost();
            buttons_ = 0;
            break;
        case 18:
        case 19: { // the tool buttons: the main window ends a drag first
            static constexpr int tools[] = {ToolObject, ToolAnchor, ToolPen, ToolZoom};
            const int t = tools[b_.below(4)];
            note(log, " tool %d", t);
            w_.CancelDrag();
            w_.SetTool(t);
            break;
        }
        case 20: {
            const int n = b_.below(CanvasOptionCount);
            const bool v = b_.flag();
            note(log, " option %d = %d", n, v);
            w_.CancelDrag();
            w_.SetOption(n, v);
            break;
        }
        case 21:
            note(log, " undo");
            w_.Undo();
            break;
        case 22:
            note(log, " redo");
            w_.Redo();
            break;
        case 23:
        case 24:
        case 25:
        case 26: { // any command of the menus, as a click or its shortcut runs it
            const auto& table = commandTable();
            const Command& c =
                table[static_cast<std::size_t>(b_.below(static_cast<int>(table.size())))];
            note(log, " command %d", commandIndex(c));
            if (log) *log += " " + std::string(c.name);
            runner_.run(c);
            break;
        }
        case 30:
            anchorCommand(log);
            break;
        case 27:
        case 28: {
            note(log, " paint");
            w_.Paint({0, 0, w_.ClientWidth(), w_.ClientHeight()});
            break;
        }
        case 29: { // what the canvas offers beyond the menus
            const int c = b_.below(5);
            note(log, " canvas %d", c);
            w_.CancelDrag();
            switch (c) {
            case 0:
                w_.Document.DeselectAll();
                w_.Invalidate();
                break;
            case 1:
                w_.EraseGuides(b_.flag(), b_.flag());
                break;
            case 2:
                w_.ShearDialog(b_.below(16));
                break;
            case 3:
                w_.ZoomTo(pickValue(b_) * 100);
                break;
            default:
                w_.ScrollBy(b_.below(200) - 100, b_.below(200) - 100);
                break;
            }
            break;
        }
        default: { // a whole click or drag at once, the commonest thing a user does
            const MouseButton bt = button();
            const PixelPoint from = target();
            const PixelPoint to = b_.flag() ? from : target();
            const unsigned s = modifiers();
            const unsigned dbl = b_.below(5) == 0 ? unsigned{ssDouble} : 0u;
            note(log, " drag %d from %d,%d", static_cast<int>(bt), from.x, from.y);
            note(log, " to %d,%d", to.x, to.y);
            w_.MouseMove({from, MouseButton::None, s | buttons_});
            w_.MouseDown({from, bt, s | held(bt) | buttons_ | dbl});
            for (int i = 1; i <= 3; ++i)
                w_.MouseMove({{from.x + (to.x - from.x) * i / 3, from.y + (to.y - from.y) * i / 3},
                              MouseButton::None,
                              s | held(bt) | buttons_});
            w_.MouseUp({to, bt, s | buttons_});
            last_ = to;
            break;
        }
        }
    }

    // The Anchor menu and the clipboard, from the menu or a shortcut.
    void anchorCommand(std::string* log) {
        const int c = b_.below(16);
        note(log, " anchor command %d", c);
        w_.CancelDrag();
        switch (c) {
        case 0:
            w_.JoinEndAnchors(b_.flag());
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
            w_.Paste(b_.flag());
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
};

} // namespace plumex::session
