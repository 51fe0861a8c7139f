#pragma once
// A host that records what the canvas asks of the window system and answers from a script.

#include "canvas/CanvasHost.h"

#include <deque>
#include <string>
#include <vector>

namespace plumex::testing {

struct ScrollCall {
    PixelRect area;
    int dx, dy;
};

class FakeHost : public CanvasHost {
public:
    std::vector<PixelRect> invalidated;
    std::vector<ScrollCall> scrolls;
    std::vector<std::string> messages;
    std::deque<MessageAnswer> answers;
    std::optional<SizeAnswer> sizeAnswer;
    std::optional<GridSize> gridAnswer;
    CursorShape cursor = CursorShape::Arrow;
    bool captured = false;
    std::vector<std::vector<MenuEntry>> menus; // every context menu shown
    std::optional<int> menuAnswer;             // the command chosen from it
    std::vector<PixelPoint> pointerMoves;
    std::vector<std::string> dialogs; // the transform dialogs asked for, by kind
    std::optional<MoveRequest> moveRequest;
    std::optional<ShearRequest> shearRequest;
    ClipboardOffer clipboardOffer; // shared by windows that share the host

    void invalidate(const PixelRect& r) override { invalidated.push_back(r); }
    void scroll(const PixelRect& r, int dx, int dy) override { scrolls.push_back({r, dx, dy}); }
    void setCursor(CursorShape shape) override { cursor = shape; }
    void captureMouse(bool on) override { captured = on; }
    void movePointer(PixelPoint p) override { pointerMoves.push_back(p); }
    int doubleClickWidth() const override { return 4; }
    MessageAnswer messageBox(const std::string& text, MessageKind) override {
        messages.push_back(text);
        if (answers.empty()) return MessageAnswer::No;
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    std::optional<int> contextMenu(const std::vector<MenuEntry>& entries, PixelPoint) override {
        menus.push_back(entries);
        return menuAnswer;
    }
    std::optional<SizeRequest> sizeRequest; // the last size dialog asked for
    std::optional<double> sizeTyped;        // what its field holds when it closes
    std::optional<SizeAnswer> runSizeDialog(const SizeRequest& r) override {
        sizeRequest = r;
        if (r.typed && sizeTyped) *r.typed = *sizeTyped;
        return sizeAnswer;
    }
    void setClipboard(const ClipboardContent& c) override {
        clipboardOffer.block = c.block;
        clipboardOffer.svg = c.svg;
        clipboardOffer.text = c.text;
    }
    ClipboardOffer clipboard() override { return clipboardOffer; }
    std::optional<GridSize> runGridSizeDialog(const GridSize&) override { return gridAnswer; }
    std::optional<TextRequest> textAnswer;
    std::vector<std::optional<double>> textRequests; // the object size preset of each ask
    std::optional<TextRequest> runTextDialog(std::optional<double> objectSize) override {
        textRequests.push_back(objectSize);
        return textAnswer;
    }
    std::optional<MoveAnswer> runMoveDialog(const MoveRequest& r) override {
        dialogs.push_back("move");
        moveRequest = r;
        return std::nullopt;
    }
    std::optional<ExpandAnswer> runExpandDialog(const OriginRequest&) override {
        dialogs.push_back("expand");
        return std::nullopt;
    }
    std::optional<RotateAnswer> runRotateDialog(const OriginRequest&) override {
        dialogs.push_back("rotate");
        return std::nullopt;
    }
    std::optional<ShearAnswer> runShearDialog(const ShearRequest& r) override {
        dialogs.push_back("shear");
        shearRequest = r;
        return std::nullopt;
    }
};

} // namespace plumex::testing
