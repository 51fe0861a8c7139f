#include "app/qt/PovFindingsList.h"

#include "app/Languages.h"
#include "app/qt/RunInBackground.h"

#include <QStyle>

namespace plumex {

namespace {

// Rows shown before the list scrolls.
constexpr int VisibleRows = 6;

} // namespace

PovFindingsList::PovFindingsList(QWidget* parent) : QListWidget(parent) {
    setObjectName("PovFindings");
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // However many lines, the list asks for a few rows' height and scrolls the rest.
    setSizeAdjustPolicy(QAbstractScrollArea::AdjustIgnored);
    setMaximumHeight(fontMetrics().height() * VisibleRows);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    hide();
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int k = row(item) - (checking_ ? 1 : 0);
        if (k >= 0 && k < static_cast<int>(findings_.size()))
            emit pathClicked(findings_[static_cast<std::size_t>(k)].path);
    });
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        if (watcher_.isCanceled() || watcher_.future().resultCount() == 0) return;
        checking_ = false;
        findings_ = watcher_.result();
        rebuild();
        emit checked();
    });
}

void PovFindingsList::check(std::shared_ptr<const std::vector<TCvLine>> paths, PovMode mode,
                            const PovDlgState& dlg, const PovArrayDlgState& arrayDlg) {
    // Only the newest answer counts; one still waiting for a thread need not start at all.
    watcher_.future().cancel();
    checking_ = true;
    findings_.clear();
    rebuild();
    watcher_.setFuture(
        runInBackground<std::vector<PovFinding>>([paths = std::move(paths), mode, dlg, arrayDlg] {
            return paths ? PovCheck(*paths, mode, dlg, arrayDlg) : std::vector<PovFinding>{};
        }));
}

void PovFindingsList::showFindings(const std::vector<PovFinding>& findings) {
    // Findings given outright win over a check still running.
    watcher_.cancel();
    checking_ = false;
    findings_ = findings;
    rebuild();
}

void PovFindingsList::setNotes(const QStringList& notes) {
    notes_ = notes;
    rebuild();
}

void PovFindingsList::rebuild() {
    clear();
    const auto add = [this](QStyle::StandardPixmap icon, const QString& line) {
        auto* item = new QListWidgetItem(style()->standardIcon(icon), line, this);
        item->setToolTip(line);
    };
    // The findings come first: they name the path and a click finds it.
    if (checking_) add(QStyle::SP_BrowserReload, QString::fromStdString(caption(C_PovChecking)));
    for (const PovFinding& f : findings_) {
        const QStyle::StandardPixmap icon =
            f.severity == PovSeverity::Refuse ? QStyle::SP_MessageBoxCritical
            : f.severity == PovSeverity::Warn ? QStyle::SP_MessageBoxWarning
                                              : QStyle::SP_MessageBoxInformation;
        add(icon, findingLine(f));
    }
    for (const QString& note : notes_) add(QStyle::SP_MessageBoxWarning, note);
    setVisible(count() > 0);
}

QStringList PovFindingsList::lines() const {
    QStringList out;
    for (int i = 0; i < count(); ++i) out << item(i)->text();
    return out;
}

QString findingLine(const PovFinding& f) {
    return QString::fromUtf8(severityName(f.severity)) + ": " +
           QString::fromStdString(describeFinding(f));
}

QString findingsSummary(const std::vector<PovFinding>& findings) {
    if (findings.empty()) return {};
    int counts[3] = {};
    for (const PovFinding& f : findings) ++counts[static_cast<int>(f.severity)];
    QString text = QString::number(findings.size()) +
                   (findings.size() == 1 ? " POV-Ray finding: " : " POV-Ray findings: ");
    QStringList parts;
    for (PovSeverity s : {PovSeverity::Refuse, PovSeverity::Warn, PovSeverity::Hint})
        if (counts[static_cast<int>(s)] > 0)
            parts << QString::number(counts[static_cast<int>(s)]) + " " + severityName(s);
    return text + parts.join(", ");
}

} // namespace plumex
