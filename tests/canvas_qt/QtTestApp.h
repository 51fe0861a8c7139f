#pragma once
// Pixel tests paint through QPainter, which needs an application object (offscreen).

#include <QApplication>

#include <cstdlib>

namespace plumex::testing {

inline void ensureQtApp() {
    static int argc = 1;
    static char name[] = "test_canvas_qt";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Never destroyed: tearing it down among the other statics at exit crashes Qt.
        static QApplication* app = new QApplication(argc, argv);
        (void)app;
    }
}

} // namespace plumex::testing
