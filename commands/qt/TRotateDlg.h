#pragma once
// The rotate dialog: an angle in degrees (positive turns clockwise) about the pivot or a
// picked point.

#include "commands/qt/OriginDlg.h"

#include <optional>

class TRotateDlg : public plumex::OriginDlg {
    Q_OBJECT
public:
    explicit TRotateDlg(QWidget* parent = nullptr);
    void prepare(const plumex::OriginRequest& request);
    std::optional<plumex::RotateAnswer> answer() const;
    std::optional<plumex::RotateAnswer> run(const plumex::OriginRequest& request);
};
