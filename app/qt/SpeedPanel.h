#pragma once
// The side panel: seven tool buttons (one exclusive group) above twelve option buttons.

#include "app/Options.h"
#include "canvas/ToolKind.h"

#include <QWidget>

#include <array>
#include <optional>

class QButtonGroup;
class QSplitter;
class QToolButton;

namespace plumex {

struct TCvOptions;

class SpeedPanel : public QWidget {
    Q_OBJECT
public:
    explicit SpeedPanel(QWidget* parent = nullptr);

    // Pushes tool t's button down (the others come up).
    void setTool(plumex::ToolKind tool);
    int checkedTool() const;
    // Button states (and the grid size caption) from the options they show.
    void sync(const TCvOptions& options);
    // Hints from the current language.
    void applyLanguage();

    QToolButton* toolButton(int tool) const { return tools_[tool]; }
    // Option button by tag 1 to 12.
    QToolButton* optionButton(int tag) const { return options_[tag - 1]; }

    QWidget* ToolPanel;
    QSplitter* Splitter1;
    QWidget* OptionPanel;

signals:
    // Mouse went down on a tool button.
    void toolPressed(int tool);
    // An option button was clicked; `down` is its new state.
    void optionClicked(int tag, bool down);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildTools();
    void buildOptions();

    std::array<QToolButton*, 7> tools_{};
    std::array<QToolButton*, 12> options_{};
    QButtonGroup* toolGroup_ = nullptr;
    bool sized_ = false;
};

// The canvas option an option button shows, by tag; none for the two draft buttons.
std::optional<plumex::CanvasOption> optionOfTag(int tag);

} // namespace plumex
