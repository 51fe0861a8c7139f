#include "app/qt/PlumexApplication.h"

#include <exception>
#include <iostream>

namespace plumex {

bool PlumexApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(e.what());
    } catch (...) {
        report("Unknown error");
    }
    return false;
}

void PlumexApplication::report(const std::string& text) {
    std::cerr << "plumex: " << text << '\n';
    // A report that itself paints or throws must not come round again.
    if (!report_ || reporting_) return;
    reporting_ = true;
    try {
        report_(text);
    } catch (...) {
    }
    reporting_ = false;
}

} // namespace plumex
