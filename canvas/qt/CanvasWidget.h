#pragma once
// The canvas on Qt: a widget that owns a TCvWindow, translates Qt events into the canvas's
// own input events, keeps the paint buffer (the QImage surface) and answers the canvas's
// requests to the window system.
//
// The buffer stands for the screen: expose events just copy it, and only the areas the canvas
// invalidated are painted again through TCvWindow::Paint.

#include "canvas/Window.h"
#include "canvas/qt/QImageSurface.h"

#include <QRegion>
#include <QWidget>

#include <functional>
#include <vector>

namespace plumex {

class CanvasWidget : public QWidget, public CanvasHost {
    Q_OBJECT
public:
    explicit CanvasWidget(TCvOptions* options, QWidget* parent = nullptr);
    ~CanvasWidget() override;

    TCvWindow& canvas() { return window_; }
    const TCvWindow& canvas() const { return window_; }
    QImageSurface& surface() { return surface_; }
    // Where the selection helper's glyphs come from, drawn for a device pixel ratio: asked now
    // and again whenever the ratio changes.
    void setCornerGlyphs(std::function<std::vector<RasterImage>(qreal ratio)> make);
    // Paints every pending area into the buffer now (what the next paint events would do),
    // so a zoom's scaled copy too gives way to the exact picture.
    void renderPending();

    // CanvasHost
    void invalidate(const PixelRect& r) override;
    void scroll(const PixelRect& r, int dx, int dy) override;
    void rescale(const PixelRect& r, const ZoomStep& zoom) override;
    void setCursor(CursorShape shape) override;
    void captureMouse(bool on) override;
    void movePointer(PixelPoint p) override;
    int doubleClickWidth() const override;
    MessageAnswer messageBox(const std::string& text, MessageKind kind) override;
    std::optional<int> contextMenu(const std::vector<MenuEntry>& entries, PixelPoint at) override;
    std::optional<SizeAnswer> runSizeDialog(const SizeRequest& request) override;
    std::optional<GridSize> runGridSizeDialog(const GridSize& current) override;
    void setClipboard(const ClipboardContent& content) override;
    ClipboardOffer clipboard() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // The buffer follows the screen's device pixel ratio.
    void syncPixelRatio();

    std::function<std::vector<RasterImage>(qreal)> cornerGlyphs_;
    TCvWindow window_;
    QImageSurface surface_;
    // Shows the zoomed picture exactly: the scaled copy has been on the screen once.
    void refine();

    QRegion pending_; // areas to paint through the canvas before they are shown
    // Pending areas that show a scaled copy of the picture first, until refine() runs.
    QRegion coarse_;
    bool refineQueued_ = false;
    bool shown_ = false;
};

// Qt key to the program's key code (0 for keys the canvas does not know).
int keyCodeFromQt(int qtKey);
unsigned shiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
// The nearest standard Qt cursor; the shapes past the program's table are exactly these.
Qt::CursorShape qtCursorShape(CursorShape shape);

} // namespace plumex
