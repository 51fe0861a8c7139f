#pragma once
// The property panel: the selected paths on the left, the coordinates of the chosen path's
// anchors and handles on the right. It follows the selection (the host calls LoadPaths after
// every change) and edits in place: a typed coordinate or name is one undo step.

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QListWidget;
class QSplitter;
class QStatusBar;
class QTableWidget;
class TCvDocument;

class TPropertyDlg : public QWidget {
    Q_OBJECT
public:
    explicit TPropertyDlg(QWidget* parent = nullptr);
    ~TPropertyDlg() override;

    QListWidget* LBLines;
    QSplitter* Splitter1;
    QTableWidget* SGPoints;
    QStatusBar* StatusBar1;

    // The host's document; the panel reads and edits it but never outlives it.
    void SetDocument(TCvDocument* doc) { doc_ = doc; }
    // Reloads the list from the selected paths, keeping the shown path when it is still there.
    // Texts are refreshed in place, so the current cell and an open editor survive.
    void LoadPaths();
    // The index in Lines of the path shown in the grid, or -1.
    int ShownPath() const { return shown_; }
    void ShowPath(int listRow);
    // The width that shows the list and every column of the grid side by side.
    int FullWidth() const;
    // Gives the grid its full width out of `width` as far as it goes, the list the rest.
    void ShareWidth(int width);

    // What the delegates call when a cell or a name is committed; false when refused.
    bool CommitCell(int row, int column, const QString& text);
    bool CommitName(int listRow, const QString& text);

    // After an edit changed the drawing (the host repaints and refreshes its menus).
    std::function<void()> onEdited;
    // Rows chosen in the grid: the anchors of path `line` to select on the canvas.
    std::function<void(int line, const std::vector<int>& anchors)> onAnchorsChosen;
    // Text that is not a number; by default a message box.
    std::function<void(const std::string&)> showError;
    // The pen tool's path, kept in each undo step.
    std::function<int()> penPath;

private:
    void fillGrid();
    void gridSelectionChanged();
    int listWidth() const;
    int gridWidth() const;

    TCvDocument* doc_ = nullptr;
    std::vector<int> paths_; // list row -> index in Lines
    int shown_ = -1;
    bool filling_ = false;
    bool choosing_ = false; // the canvas is following rows chosen here
};
