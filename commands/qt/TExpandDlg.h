#pragma once
// The expand dialog: x and y factors about the pivot or a picked point.

#include "commands/qt/OriginDlg.h"

#include <optional>

class TExpandDlg : public plumex::OriginDlg {
    Q_OBJECT
public:
    explicit TExpandDlg(QWidget* parent = nullptr);
    void prepare(const plumex::OriginRequest& request);
    // Factors that do not both read as numbers are both 0.
    std::optional<plumex::ExpandAnswer> answer() const;
    std::optional<plumex::ExpandAnswer> run(const plumex::OriginRequest& request);
};
