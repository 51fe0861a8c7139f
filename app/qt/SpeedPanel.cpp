#include "app/qt/SpeedPanel.h"

#include "app/Languages.h"
#include "app/Options.h"
#include "app/qt/ShellIcons.h"

#include <QButtonGroup>
#include <QShowEvent>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

namespace plumex {
namespace {

constexpr const char* toolNames[7] = {"SelLineBtn",     "SelPointBtn", "PenToolBtn", "RectToolBtn",
                                      "EllipseToolBtn", "TextToolBtn", "ZoomToolBtn"};
constexpr const char* optionNames[12] = {
    "SBShowRuler",  "SBShowGrid",   "SBSnapGrid",    "SBGridSize",   "SBShowGuides", "SBSnapGuides",
    "SBLockGuides", "SBShowAnchor", "SBSmallAnchor", "SBShowHelper", "SBShowDraft",  "SBDimDraft"};
// Tags 11 and 12, the two draft buttons, share the draft options.
constexpr CanvasOption optionByTag[10] = {CanvasOption::ShowRuler,   CanvasOption::ShowGrid,
                                          CanvasOption::SnapGrid,    CanvasOption::GridSizeFixed,
                                          CanvasOption::ShowGuides,  CanvasOption::SnapGuides,
                                          CanvasOption::LockGuides,  CanvasOption::ShowAnchor,
                                          CanvasOption::SmallAnchor, CanvasOption::ShowHelper};
constexpr int panelWidth = 30;

} // namespace

std::optional<CanvasOption> optionOfTag(int tag) {
    if (tag < 1 || tag > 10) return std::nullopt;
    return optionByTag[tag - 1];
}

SpeedPanel::SpeedPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("SpeedPanel");
    setCursor(Qt::ArrowCursor);
    setFixedWidth(panelWidth);
    ToolPanel = new QWidget;
    ToolPanel->setObjectName("ToolPanel");
    ToolPanel->setMinimumHeight(33);
    OptionPanel = new QWidget;
    OptionPanel->setObjectName("OptionPanel");
    Splitter1 = new QSplitter(Qt::Vertical, this);
    Splitter1->setObjectName("Splitter1");
    Splitter1->setHandleWidth(3);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(ToolPanel);
    Splitter1->addWidget(OptionPanel);
    Splitter1->setSizes({175, 400});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);
    buildTools();
    buildOptions();
}

void SpeedPanel::buildTools() {
    toolGroup_ = new QButtonGroup(this);
    toolGroup_->setExclusive(true);
    for (int t = 0; t < 7; ++t) {
        auto* b = new QToolButton(ToolPanel);
        b->setObjectName(toolNames[t]);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(2, 2 + 24 * t, 26, 24);
        b->setIcon(toolIcon(t));
        b->setIconSize(QSize(20, 20));
        if (t == 5) {
            QFont font("Times New Roman");
            font.setPixelSize(19);
            font.setBold(true);
            b->setFont(font);
            b->setText("T");
        }
        toolGroup_->addButton(b, t);
        // A tool is taken when the mouse goes down, not on the click.
        connect(b, &QToolButton::pressed, this, [this, t] {
            setTool(static_cast<plumex::ToolKind>(t));
            emit toolPressed(t);
        });
        tools_[t] = b;
    }
    tools_[0]->setChecked(true);
}

void SpeedPanel::buildOptions() {
    for (int tag = 1; tag <= 12; ++tag) {
        auto* b = new QToolButton(OptionPanel);
        b->setObjectName(optionNames[tag - 1]);
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(1, 2 + 17 * (tag - 1), 27, 16);
        b->setIcon(optionIcon(tag));
        b->setIconSize(QSize(26, 16));
        b->setProperty("tag", tag);
        if (tag == 4) {
            QFont font = b->font();
            font.setPixelSize(9);
            b->setFont(font);
            b->setText("Auto");
        }
        connect(b, &QToolButton::clicked, this, [this, tag](bool down) {
            // The two draft buttons share a group in which both may be up.
            if (down && tag == 11) options_[11]->setChecked(false);
            if (down && tag == 12) options_[10]->setChecked(false);
            emit optionClicked(tag, down);
        });
        options_[tag - 1] = b;
    }
}

void SpeedPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The tool panel starts 175 pixels high whatever the window's first height.
    if (!sized_) {
        sized_ = true;
        Splitter1->setSizes({175, std::max(height() - 178, 0)});
    }
}

void SpeedPanel::setTool(plumex::ToolKind tool) {
    tools_[plumex::toolIndex(tool)]->setChecked(true);
}

int SpeedPanel::checkedTool() const {
    return toolGroup_->checkedId();
}

void SpeedPanel::sync(const TCvOptions& options) {
    for (int tag = 1; tag <= 10; ++tag)
        options_[tag - 1]->setChecked(options.option(*optionOfTag(tag)));
    options_[3]->setText(options.GridSizeFixed ? "Fix" : "Auto");
    options_[10]->setChecked(options.ShowDraft && !options.DimDraft);
    options_[11]->setChecked(options.ShowDraft && options.DimDraft);
}

void SpeedPanel::applyLanguage() {
    for (int t = 0; t < 7; ++t)
        tools_[t]->setToolTip(QString::fromStdString(caption(H_SelLine + t)));
    for (int tag = 1; tag <= 12; ++tag)
        options_[tag - 1]->setToolTip(QString::fromStdString(caption(H_ShowRuler + tag - 1)));
}

} // namespace plumex
