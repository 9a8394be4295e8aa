// The one QApplication of a widget test program, made on first use (tests run with the offscreen
// platform) and kept until the program ends.
#pragma once

namespace platform {

void EnsureWidgetApplication();

}  // namespace platform
