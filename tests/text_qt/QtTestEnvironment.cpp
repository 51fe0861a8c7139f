// One QApplication (offscreen) for every dialog test of this executable.

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_text_qt";
        static char* argv[] = {name, nullptr};
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

// Qt's font setup lets fontconfig keep a few blocks for the life of the process; they are not
// ours to free, so the leak checker is told to ignore them.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
