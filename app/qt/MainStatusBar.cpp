#include "app/qt/MainStatusBar.h"

#include "app/Languages.h"
#include "app/qt/ShellIcons.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

namespace plumex {
namespace {

constexpr int fixedWidths[MainStatusBar::PanelCount] = {60, 60, 60, 50, 0, 50};

} // namespace

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent), earth_(earthPicture()) {
    setObjectName("StatusBar");
    setSizeGripEnabled(false);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setMinimumHeight(20);
}

int MainStatusBar::panelWidth(int panel) const {
    if (panel != 4) return fixedWidths[panel];
    // The spacer takes what the other panels leave.
    return std::max(0, width() - 60 - 60 - 60 - 50 - 36);
}

QRect MainStatusBar::panelRect(int panel) const {
    int left = 0;
    for (int i = 0; i < panel; ++i) left += panelWidth(i);
    return QRect(left, 0, panelWidth(panel), height());
}

int MainStatusBar::panelAt(QPoint p) const {
    if (!rect().contains(p)) return -1;
    for (int i = 0; i < PanelCount; ++i)
        if (panelRect(i).contains(p)) return i;
    return -1;
}

QString MainStatusBar::panelHint(int panel) {
    if (panel >= 0 && panel <= 3) return QString::fromStdString(caption(H_StatusBar1 + panel));
    if (panel == 5) return QString::fromStdString(caption(H_StatusBar5));
    return {};
}

void MainStatusBar::setPanelText(int panel, const QString& text) {
    if (texts_[panel] == text) return;
    texts_[panel] = text;
    update(panelRect(panel));
}

void MainStatusBar::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setFont(font());
    for (int i = 0; i < PanelCount; ++i) {
        const QRect r = panelRect(i).adjusted(1, 1, -2, -1);
        if (i != 4 && i != 5) {
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(r.topLeft(), r.topRight());
            p.drawLine(r.topLeft(), r.bottomLeft());
            p.setPen(palette().color(QPalette::Light));
            p.drawLine(r.bottomLeft(), r.bottomRight());
            p.drawLine(r.topRight(), r.bottomRight());
        }
        if (i == 5) {
            p.drawPixmap(panelRect(i).left() + 1, panelRect(i).top() + 1, earth_);
            continue;
        }
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, texts_[i]);
    }
}

void MainStatusBar::mouseMoveEvent(QMouseEvent* event) {
    const int panel = panelAt(event->position().toPoint());
    if (panel != hintPanel_) {
        hintPanel_ = panel;
        setToolTip(panelHint(panel));
    }
    QStatusBar::mouseMoveEvent(event);
}

void MainStatusBar::mouseReleaseEvent(QMouseEvent* event) {
    const int panel = panelAt(event->position().toPoint());
    if (panel >= 0) emit panelClicked(panel, event->button(), event->globalPosition().toPoint());
    QStatusBar::mouseReleaseEvent(event);
}

} // namespace plumex
