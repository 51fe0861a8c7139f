#pragma once
// Drops typed characters other than digits and "." from a line edit; editing and
// navigation keys pass.

#include <QObject>

namespace plumex {

class DigitKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace plumex
