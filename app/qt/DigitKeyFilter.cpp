#include "app/qt/DigitKeyFilter.h"

#include <QKeyEvent>

namespace plumex {

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    // Shortcuts such as Ctrl+V are not typing.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    for (QChar c : text)
        if (c.isPrint() && !c.isDigit() && c != QLatin1Char('.')) return true;
    return false;
}

} // namespace plumex
