#include "canvas/qt/CanvasWidget.h"

#include "canvas/qt/SystemClipboard.h"
#include "canvas/qt/TGridSizeDlg.h"
#include "canvas/qt/TSizeDlg.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleHints>
#include <QWheelEvent>

#include <cmath>
#include <utility>

namespace plumex {

namespace {

QRect toQRect(const PixelRect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

MouseButton buttonFromQt(Qt::MouseButton b) {
    switch (b) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return MouseButton::None;
    }
}

MouseEvent mouseEvent(const QMouseEvent* e, unsigned extra = 0) {
    const QPoint p = e->position().toPoint();
    return {{p.x(), p.y()},
            buttonFromQt(e->button()),
            shiftStateFromQt(e->modifiers(), e->buttons()) | extra};
}

} // namespace

Qt::CursorShape qtCursorShape(CursorShape shape) {
    switch (shape) {
    case CursorShape::Snap:
        return Qt::PointingHandCursor;
    case CursorShape::PenTool:
    case CursorShape::SnapPen:
    case CursorShape::Rect:
    case CursorShape::Ellipse:
        return Qt::CrossCursor;
    case CursorShape::Text:
        return Qt::IBeamCursor;
    case CursorShape::Hand:
        return Qt::ClosedHandCursor;
    case CursorShape::MagTool:
        return Qt::CrossCursor;
    case CursorShape::Rotate:
        return Qt::OpenHandCursor;
    case CursorShape::SizeWE:
        return Qt::SizeHorCursor;
    case CursorShape::SizeNS:
        return Qt::SizeVerCursor;
    case CursorShape::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case CursorShape::SizeNESW:
        return Qt::SizeBDiagCursor;
    case CursorShape::SplitH:
        return Qt::SplitHCursor;
    case CursorShape::SplitV:
        return Qt::SplitVCursor;
    default:
        return Qt::ArrowCursor;
    }
}

unsigned shiftStateFromQt(Qt::KeyboardModifiers m, Qt::MouseButtons b) {
    unsigned s = 0;
    if (m & Qt::ShiftModifier) s |= ssShift;
    if (m & Qt::AltModifier) s |= ssAlt;
    if (m & Qt::ControlModifier) s |= ssCtrl;
    if (b & Qt::LeftButton) s |= ssLeft;
    if (b & Qt::RightButton) s |= ssRight;
    if (b & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

int keyCodeFromQt(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Shift:
        return key::Shift;
    case Qt::Key_Control:
        return key::Control;
    case Qt::Key_Alt:
        return key::Menu;
    case Qt::Key_PageUp:
        return key::PageUp;
    case Qt::Key_PageDown:
        return key::PageDown;
    case Qt::Key_End:
        return key::End;
    case Qt::Key_Home:
        return key::Home;
    case Qt::Key_Left:
        return key::Left;
    case Qt::Key_Up:
        return key::Up;
    case Qt::Key_Right:
        return key::Right;
    case Qt::Key_Down:
        return key::Down;
    default:
        return 0;
    }
}

CanvasWidget::CanvasWidget(TCvOptions* options, QWidget* parent)
    : QWidget(parent), window_(options) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    surface_.onPresent = [this](const PixelRect& r) { update(toQRect(r)); };
    window_.SetHost(this);
    window_.SetSurface(&surface_);
}

CanvasWidget::~CanvasWidget() {
    window_.SetHost(nullptr);
    window_.SetSurface(nullptr);
}

void CanvasWidget::renderPending() {
    const QRegion todo = pending_;
    pending_ = QRegion();
    coarse_ = QRegion();
    for (const QRect& r : todo)
        window_.Paint({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
}

void CanvasWidget::invalidate(const PixelRect& r) {
    const QRect q = toQRect(r).intersected(QRect(QPoint(0, 0), size()));
    if (q.isEmpty()) return;
    pending_ += q;
    update(q);
}

void CanvasWidget::scroll(const PixelRect& r, int dx, int dy) {
    const QRect area = toQRect(r).intersected(QRect(QPoint(0, 0), size()));
    if (area.isEmpty()) return;
    // The buffer stands for the screen, so its pixels move; what still has to be painted
    // moves along, and the uncovered strip is painted fresh.
    if (!surface_.scroll(area, dx, dy)) {
        pending_ += area;
        update(area);
        return;
    }
    const QRegion inside = pending_.intersected(area);
    pending_ = pending_.subtracted(area) + inside.translated(dx, dy).intersected(area);
    pending_ += QRegion(area).subtracted(QRegion(area.translated(dx, dy)));
    const QRegion scaled = coarse_.intersected(area);
    coarse_ = coarse_.subtracted(area) + scaled.translated(dx, dy).intersected(area);
    update(area);
}

void CanvasWidget::rescale(const PixelRect& r, const ZoomStep& zoom) {
    const QRect area = toQRect(r).intersected(QRect(QPoint(0, 0), size()));
    if (area.isEmpty()) return;
    pending_ += area;
    update(area);
    // Past a few doublings the copy would show nothing recognisable.
    if (!(zoom.factor >= 1.0 / 16 && zoom.factor <= 16) || !std::isfinite(zoom.shiftX) ||
        !std::isfinite(zoom.shiftY))
        return;
    surface_.rescale(area, zoom.factor, {zoom.shiftX, zoom.shiftY}, zoom.background);
    coarse_ += area;
}

void CanvasWidget::refine() {
    refineQueued_ = false;
    if (coarse_.isEmpty()) return;
    update(coarse_);
    coarse_ = QRegion();
}

void CanvasWidget::setCursor(CursorShape shape) {
    QWidget::setCursor(qtCursorShape(shape));
}

void CanvasWidget::captureMouse(bool on) {
    if (on)
        grabMouse();
    else
        releaseMouse();
}

void CanvasWidget::movePointer(PixelPoint p) {
    QCursor::setPos(mapToGlobal(QPoint(p.x, p.y)));
}

int CanvasWidget::doubleClickWidth() const {
    return QGuiApplication::styleHints()->mouseDoubleClickDistance();
}

void CanvasWidget::setClipboard(const ClipboardContent& content) {
    putOnSystemClipboard(content);
}

ClipboardOffer CanvasWidget::clipboard() {
    return systemClipboardOffer();
}

MessageAnswer CanvasWidget::messageBox(const std::string& text, MessageKind kind) {
    const QString t = QString::fromStdString(text);
    const QString title = QGuiApplication::applicationDisplayName();
    switch (kind) {
    case MessageKind::Error:
        QMessageBox::critical(this, title, t);
        return MessageAnswer::Ok;
    case MessageKind::YesNo:
        return QMessageBox::question(this, title, t, QMessageBox::Yes | QMessageBox::No) ==
                       QMessageBox::Yes
                   ? MessageAnswer::Yes
                   : MessageAnswer::No;
    case MessageKind::YesNoCancel: {
        const auto b = QMessageBox::question(
            this, title, t, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        return b == QMessageBox::Yes  ? MessageAnswer::Yes
               : b == QMessageBox::No ? MessageAnswer::No
                                      : MessageAnswer::Cancel;
    }
    }
    return MessageAnswer::Cancel;
}

std::optional<int> CanvasWidget::contextMenu(const std::vector<MenuEntry>& entries, PixelPoint at) {
    QMenu menu(this);
    for (const MenuEntry& e : entries) {
        if (e.separator) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(QString::fromStdString(e.caption));
        action->setData(e.command);
        action->setEnabled(e.enabled);
    }
    const QAction* chosen = menu.exec(mapToGlobal(QPoint(at.x, at.y)));
    if (!chosen) return std::nullopt;
    return chosen->data().toInt();
}

std::optional<SizeAnswer> CanvasWidget::runSizeDialog(const SizeRequest& request) {
    TSizeDlg dlg(this);
    if (request.at) {
        dlg.prepare(request);
        dlg.adjustSize();
        dlg.move(mapToGlobal(QPoint(request.at->x, request.at->y)));
    }
    return dlg.run(request);
}

std::optional<GridSize> CanvasWidget::runGridSizeDialog(const GridSize& current) {
    TGridSizeDlg dlg(this);
    return dlg.run(current);
}

void CanvasWidget::setCornerGlyphs(std::function<std::vector<RasterImage>(qreal)> make) {
    cornerGlyphs_ = std::move(make);
    window_.SetCornerImages(cornerGlyphs_ ? cornerGlyphs_(surface_.devicePixelRatio())
                                          : std::vector<RasterImage>{});
}

void CanvasWidget::syncPixelRatio() {
    const qreal ratio = devicePixelRatioF();
    if (ratio == surface_.devicePixelRatio()) return;
    if (cornerGlyphs_) window_.SetCornerImages(cornerGlyphs_(ratio));
    // A new density (first show, or the window moved to another screen): a new buffer, and
    // every cached picture is drawn again at it.
    surface_.setDevicePixelRatio(ratio);
    surface_.ensureSize(width(), height());
    coarse_ = QRegion(); // nothing left to show scaled
    window_.ColorsChanged();
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    syncPixelRatio();
    // A zoom's scaled copy goes to the screen as it is; the exact picture follows at once, as
    // the next event.
    const QRegion todo = pending_.intersected(event->region()).subtracted(coarse_);
    pending_ -= todo;
    if (!coarse_.isEmpty() && !refineQueued_) {
        refineQueued_ = true;
        QMetaObject::invokeMethod(this, &CanvasWidget::refine, Qt::QueuedConnection);
    }
    const auto present = std::move(surface_.onPresent);
    surface_.onPresent = nullptr; // this paint shows everything itself
    for (const QRect& r : todo)
        window_.Paint({r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
    surface_.onPresent = present;
    QPainter p(this);
    for (const QRect& r : event->region())
        p.drawImage(QRectF(r), surface_.image(), surface_.deviceRect(r));
}

void CanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    syncPixelRatio();
    surface_.ensureSize(width(), height());
    window_.Resize(width(), height());
}

void CanvasWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    window_.HandleCreated();
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
    window_.MouseDown(mouseEvent(event));
}

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    window_.MouseDown(mouseEvent(event, ssDouble));
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    window_.MouseMove(mouseEvent(event));
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    window_.MouseUp(mouseEvent(event));
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) window_.MouseWheel(delta);
    event->accept();
}

void CanvasWidget::keyPressEvent(QKeyEvent* event) {
    const int code = keyCodeFromQt(event->key());
    if (code && window_.KeyDown({code, shiftStateFromQt(event->modifiers(), {})})) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CanvasWidget::keyReleaseEvent(QKeyEvent* event) {
    const int code = keyCodeFromQt(event->key());
    if (code) window_.KeyUp({code, shiftStateFromQt(event->modifiers(), {})});
    QWidget::keyReleaseEvent(event);
}

void CanvasWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // An opened menu (or the menu bar, entered by Alt) takes the focus only while it is up:
    // the hovered anchor and the pen path must outlive it, since the menu's commands act on
    // them.
    const Qt::FocusReason r = event->reason();
    if (r != Qt::PopupFocusReason && r != Qt::MenuBarFocusReason) window_.FocusLost();
}

bool CanvasWidget::focusNextPrevChild(bool next) {
    return QWidget::focusNextPrevChild(next);
}

} // namespace plumex
