#pragma once
// The align dialog: a horizontal and a vertical choice, both kept from one use to the next.

#include "commands/TransformRequests.h"

#include <QDialog>

#include <optional>

class QButtonGroup;
class QGroupBox;
class QPushButton;

class TAlignDlg : public QDialog {
    Q_OBJECT
public:
    explicit TAlignDlg(QWidget* parent = nullptr);
    QGroupBox* RGHorz;
    QGroupBox* RGVert;
    QPushButton* OkBtn;
    QPushButton* CancelBtn;

    void prepare(const plumex::AlignRequest& request);
    // Item 0 None ... 4 Regular Interval of each group.
    int horizontalItem() const;
    int verticalItem() const;
    void setItems(int horizontal, int vertical);
    std::optional<plumex::AlignAnswer> answer() const;
    std::optional<plumex::AlignAnswer> run(const plumex::AlignRequest& request);

private:
    QButtonGroup* horz_;
    QButtonGroup* vert_;
};
