#include "WidgetTestApplication.h"

#include <QApplication>

namespace platform {

void EnsureWidgetApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "cutrix-widget-test";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
}

}  // namespace platform
