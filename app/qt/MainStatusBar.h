#pragma once
// The status bar of six panels: scale, mouse X, mouse Y, angle, a spacer and the language
// icon. It draws its panels itself, shows a hint per panel and reports clicks.

#include <QPixmap>
#include <QStatusBar>

#include <array>

namespace plumex {

class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int PanelCount = 6;
    static constexpr int NotePanel = 4; // the free middle panel: findings and notes

    explicit MainStatusBar(QWidget* parent = nullptr);

    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const { return texts_[panel]; }
    // The panel under a point of the bar: -1 outside it or right of the last panel.
    int panelAt(QPoint p) const;
    QRect panelRect(int panel) const;
    int panelWidth(int panel) const;
    // The hint shown for a panel, in the current language (empty for the spacer).
    static QString panelHint(int panel);
    // The language changed: the next hover refreshes the hint.
    void languageChanged() { hintPanel_ = -2; }

signals:
    void panelClicked(int panel, Qt::MouseButton button, QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::array<QString, PanelCount> texts_;
    QPixmap earth_;
    int hintPanel_ = -2;
};

} // namespace plumex
