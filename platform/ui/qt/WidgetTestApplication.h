// The one QApplication of a widget test program, made on first use (tests run with the offscreen
// platform) and kept until the program ends, and a fixture base that makes it before any member widget.
#pragma once

#include <gtest/gtest.h>

namespace platform {

void EnsureWidgetApplication();

class WidgetTest : public ::testing::Test {
  protected:
    WidgetTest() { EnsureWidgetApplication(); }
};

}  // namespace platform
