// The program's connection pointed at a controller on loopback, for the tests of the controller boxes.
#pragma once

#include "ConnectSetting.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"
#include "TestControllers.h"

#include <gtest/gtest.h>

namespace joboutput::testing {

// Network connection to 127.0.0.1; the port is whatever controller the test starts.
inline void ConnectToLoopback() {
    ConnectSetting = CConnectSetting();
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    ConnectSetting.defaultAddress = {127, 0, 0, 1};
}

class ControllerFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        ConnectToLoopback();
    }
};

}  // namespace joboutput::testing
