// The program: one main window on the document named by the only argument, if any.

#include "app/MessageRouting.h"
#include "app/ProgramUsage.h"
#include "app/Version.h"
#include "app/qt/MainStatusBar.h"
#include "app/qt/MessageBoxes.h"
#include "app/qt/PlumexApplication.h"
#include "app/qt/ShellIcons.h"
#include "app/qt/TForm1.h"

#include <QApplication>

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    // --help and --version need no display, so they are answered before Qt starts.
    if (const auto code = plumex::answerProgramQuestion(
            std::vector<std::string>(argv + 1, argv + argc), plumex::Version, std::cout))
        return *code;
    plumex::PlumexApplication app(argc, argv);
    QApplication::setApplicationName("Plumex");
    QApplication::setDesktopFileName("plumex");
    QApplication::setWindowIcon(plumex::programIcon());
    plumex::routeModelMessages();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::error_code ec;
        const auto path = std::filesystem::absolute(argv[i], ec);
        arguments.push_back(ec ? std::string(argv[i]) : path.string());
    }
    // A failure while starting is reported, and the exit code says so.
    try {
        TForm1 form(plumex::FormSetup::fromProgram(arguments));
        app.setExceptionReporter([&form](const std::string& text) {
            form.statusPanels()->setPanelText(4, QString::fromStdString(text));
        });
        form.show();
        return QApplication::exec();
    } catch (const std::exception& e) {
        plumex::showError(nullptr, e.what());
        return 1;
    }
}
