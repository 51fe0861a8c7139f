#pragma once
// The program's QApplication: an exception thrown while an event is delivered (painting, a
// widget's handler) is reported and the event dropped, instead of ending the process with
// the drawing in it.

#include <QApplication>

#include <functional>
#include <string>

namespace plumex {

class PlumexApplication : public QApplication {
public:
    PlumexApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // Where the text of a caught exception goes besides standard error.
    void setExceptionReporter(std::function<void(const std::string&)> report) {
        report_ = std::move(report);
    }
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void report(const std::string& text);

    std::function<void(const std::string&)> report_;
    bool reporting_ = false;
};

} // namespace plumex
