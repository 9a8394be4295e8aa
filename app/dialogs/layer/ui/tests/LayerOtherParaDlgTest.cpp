// The layer's other parameters: the Z position read from an emulated controller on loopback, the read
// failure without one, the enabling of the Z controls, and OK holding speed and dot interval.
#include <gtest/gtest.h>

#include <array>

#include "ConnectSetting.h"
#include "DialogMessages.h"
#include "LayerDialogFixture.h"
#include "LayerEditState.h"
#include "LayerOtherParaDlg.h"
#include "Motionlink.h"
#include "RecordingMessageSink.h"
#include "TestControllers.h"

namespace {

using Other = CLayerOtherParaDlg;
using motionlink::testing::InProcessEmulator;
using motionlink::testing::NoController;

bool ConnectionIsOpen() {
    std::array<std::uint8_t, 5> status{};
    return Zint_GetMachineStauts(status.data()) == 0;
}

class LayerOtherParaDlgTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        dialogkit::SetMessageSink(&messages);
        CurrentEditLayer = AddSquare(0, 0, 5)->layer;
        ASSERT_TRUE(state.BeginEdit());
        state.Common().COM_EnZ = 1;
        state.Common().COM_EnZDown = 1;
        state.Common().COM_EnZUp = 1;
        connection.kind = CConnectSetting::kKindNetwork;
        connection.defaultAddress = {127, 0, 0, 1};
    }
    void TearDown() override {
        dialogkit::SetMessageSink(nullptr);
        LanguageIndex = kLanguageEnglish;
        LayerDialogFixture::TearDown();
    }

    platform::RecordingMessageSink messages;
    LayerEditState state{*manager};
    CConnectSetting connection;
};

TEST_F(LayerOtherParaDlgTest, ReadTakesTheZPositionFromTheController) {
    InProcessEmulator controller;
    ASSERT_EQ(connection.Open(), 0);
    ASSERT_EQ(Zint_AxisMove(3, 12.345, 0, 0, 0), 0);
    connection.Close();

    Other dialog(nullptr, state, connection);
    Click(dialog, Other::kReadDownButton);
    EXPECT_EQ(Text(dialog, Other::kDownPositionEdit), "12.345");
    EXPECT_TRUE(messages.Shown().empty());
    EXPECT_FALSE(ConnectionIsOpen());
    Click(dialog, dialogkit::kOkButton);
    EXPECT_DOUBLE_EQ(state.Common().COM_ZDownPos, 12.345);
}

TEST_F(LayerOtherParaDlgTest, ReadWithoutControllerSaysSoInTheLanguageAndClosesTheLink) {
    const NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    connection.defaultAddress = {127, 83, 91, 7};
    for (const auto& [language, text] :
         {std::pair{kLanguageTraditionalChinese, "Read current position of Z failure!"},
          std::pair{kLanguageSimplifiedChinese, "读取当前Z位置失败!"}}) {
        LanguageIndex = language;
        messages.Clear();
        Other dialog(nullptr, state, connection);
        Get<QLineEdit>(dialog, Other::kUpPositionEdit).setText("4");
        Click(dialog, Other::kReadUpButton);
        ASSERT_EQ(messages.Shown().size(), 1u);
        EXPECT_EQ(messages.Shown()[0].text, text);
        EXPECT_EQ(Text(dialog, Other::kUpPositionEdit), "4");
        EXPECT_FALSE(ConnectionIsOpen());
    }
}

TEST_F(LayerOtherParaDlgTest, ZControlsFollowTheirBoxes) {
    state.Common().COM_EnZDown = 0;
    Other dialog(nullptr, state, connection);
    EXPECT_FALSE(Get<QLineEdit>(dialog, Other::kDownPositionEdit).isEnabled());
    EXPECT_FALSE(Get<QPushButton>(dialog, Other::kReadDownButton).isEnabled());
    EXPECT_TRUE(Get<QLineEdit>(dialog, Other::kUpPositionEdit).isEnabled());
    Get<QCheckBox>(dialog, Other::kPenUpDownCheck).click();
    for (const int id : {Other::kUpPositionEdit, Other::kZSpeedEdit}) {
        EXPECT_FALSE(Get<QLineEdit>(dialog, id).isEnabled()) << id;
    }
    EXPECT_TRUE(Get<QCheckBox>(dialog, Other::kLaser1Check).isEnabled());
}

struct OkCase {
    const char* what;
    std::uint16_t speedUnit;
    const char* zSpeed;
    const char* dotInterval;
    double storedZSpeed;
    double storedDotInterval;
};

TEST_F(LayerOtherParaDlgTest, OkHoldsZSpeedAndDotInterval) {
    const std::vector<OkCase> cases = {
        {"negative speed", 1, "-50", "1500", 50.0, 1000.0},
        {"m/min", 0, "6", "-1", 100.0, 0.0},
        {"plain", 1, "20", "0.5", 20.0, 0.5},
    };
    for (const OkCase& c : cases) {
        gFileParaSettings.velocityUnit = c.speedUnit;
        Other dialog(nullptr, state, connection);
        Get<QLineEdit>(dialog, Other::kZSpeedEdit).setText(c.zSpeed);
        Get<QLineEdit>(dialog, Other::kDotIntervalEdit).setText(c.dotInterval);
        Click(dialog, dialogkit::kOkButton);
        EXPECT_DOUBLE_EQ(state.Common().COM_ZSpeed, c.storedZSpeed) << c.what;
        EXPECT_EQ(state.Common().COM_DotInterval, c.storedDotInterval) << c.what;
    }
}

TEST_F(LayerOtherParaDlgTest, TextWithoutANumberKeepsTheDialogOpenAndStoresNothing) {
    Other dialog(nullptr, state, connection);
    dialog.show();
    Get<QLineEdit>(dialog, Other::kDotIntervalEdit).setText("soon");
    Get<QLineEdit>(dialog, Other::kZSpeedEdit).setText("77");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(state.Common().COM_ZSpeed, 77.0);
}

}  // namespace
