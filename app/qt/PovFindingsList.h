#pragma once
// The pre-export findings as a list under the export dialogs' options and the preview: one line
// per finding with the severity's icon, hidden when there is nothing to say. Its height is
// bounded and it scrolls, so many findings never make the window taller. Large selections are
// checked on a worker thread; a busy line stands in until the answer arrives.

#include "export/PovCheck.h"

#include <QFutureWatcher>
#include <QListWidget>
#include <QStringList>

#include <memory>

namespace plumex {

class PovFindingsList : public QListWidget {
    Q_OBJECT
public:
    explicit PovFindingsList(QWidget* parent = nullptr);

    // Checks `paths` for the run the dialogs would make, off this thread; a newer call
    // supersedes an older one still running.
    void check(std::shared_ptr<const std::vector<TCvLine>> paths, PovMode mode,
               const PovDlgState& dlg, const PovArrayDlgState& arrayDlg);
    bool checking() const { return checking_; }
    void showFindings(const std::vector<PovFinding>& findings);
    const std::vector<PovFinding>& findings() const { return findings_; }
    // Lines put after the findings (POV-Ray's own messages), which name no path.
    void setNotes(const QStringList& notes);
    QStringList lines() const;

signals:
    // The answer of check() is shown.
    void checked();
    // A finding was clicked: the 1-based position of its path in the checked selection.
    void pathClicked(int path);

private:
    void rebuild();

    std::vector<PovFinding> findings_;
    QStringList notes_;
    bool checking_ = false;
    QFutureWatcher<std::vector<PovFinding>> watcher_;
};

// "2 POV-Ray findings: 1 refuse, 1 warn" (counts of zero left out); empty for none.
QString findingsSummary(const std::vector<PovFinding>& findings);

// "warn: path 2, anchor 3: ..." as the lists show a finding.
QString findingLine(const PovFinding& finding);

} // namespace plumex
