#include "WidgetTestApplication.h"

#include <QApplication>

#include <memory>

namespace platform {

namespace {

// Ends the application when the tests end, before the program's static destruction, during which Qt's
// own objects (fonts, input devices) could no longer be released in order.
class WidgetApplicationEnvironment : public ::testing::Environment {
  public:
    explicit WidgetApplicationEnvironment(std::unique_ptr<QApplication>& application) : application_(application) {}
    void TearDown() override { application_.reset(); }

  private:
    std::unique_ptr<QApplication>& application_;
};

}  // namespace

void EnsureWidgetApplication() {
    static std::unique_ptr<QApplication> application;
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "cutrix-widget-test";
    static char* argv[] = {name, nullptr};
    application = std::make_unique<QApplication>(argc, argv);
    ::testing::AddGlobalTestEnvironment(new WidgetApplicationEnvironment(application));
}

}  // namespace platform
