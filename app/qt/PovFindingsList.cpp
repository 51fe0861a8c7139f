#include "app/qt/PovFindingsList.h"

#include <QStyle>

namespace plumex {

PovFindingsList::PovFindingsList(QWidget* parent) : QListWidget(parent) {
    setObjectName("PovFindings");
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setMaximumHeight(fontMetrics().height() * 6);
    hide();
}

void PovFindingsList::showFindings(const std::vector<PovFinding>& findings) {
    findings_ = findings;
    clear();
    for (const PovFinding& f : findings) {
        const QStyle::StandardPixmap icon =
            f.severity == PovSeverity::Refuse ? QStyle::SP_MessageBoxCritical
            : f.severity == PovSeverity::Warn ? QStyle::SP_MessageBoxWarning
                                              : QStyle::SP_MessageBoxInformation;
        const QString line = QString::fromUtf8(severityName(f.severity)) + ": " +
                             QString::fromStdString(describeFinding(f));
        auto* item = new QListWidgetItem(style()->standardIcon(icon), line, this);
        item->setToolTip(line);
    }
    setVisible(!findings.empty());
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
