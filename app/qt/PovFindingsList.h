#pragma once
// The pre-export findings as a list under the export dialogs' options: one line per finding
// with the severity's icon, hidden when there is nothing to say.

#include "export/PovCheck.h"

#include <QListWidget>

namespace plumex {

class PovFindingsList : public QListWidget {
    Q_OBJECT
public:
    explicit PovFindingsList(QWidget* parent = nullptr);

    void showFindings(const std::vector<PovFinding>& findings);
    const std::vector<PovFinding>& findings() const { return findings_; }

private:
    std::vector<PovFinding> findings_;
};

// "2 POV-Ray findings: 1 refuse, 1 warn" (counts of zero left out); empty for none.
QString findingsSummary(const std::vector<PovFinding>& findings);

} // namespace plumex
