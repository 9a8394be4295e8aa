// The main function of every test executable.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace cutrix::testing {
void InstallTempHomeListener();
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleMock(&argc, argv);
    cutrix::testing::InstallTempHomeListener();
    return RUN_ALL_TESTS();
}
