// Parameter calls: every value travels to the controller and back unchanged, survives a restart of the
// controller, and indexes a parameter does not have are refused.
#include "MotionlinkLink.h"
#include "TestControllers.h"

#include <gtest/gtest.h>

#include <array>

namespace motionlink::testing {
namespace {

struct DoubleParam {
    const char* name;
    std::uint16_t (*get)(std::uint32_t, double*);
    std::uint16_t (*set)(std::uint32_t, double);
    std::uint32_t index;
};

// The plain getters and setters, given an index they ignore, so that one table holds them all.
template <std::uint16_t (*Get)(double*), std::uint16_t (*Set)(double)>
constexpr DoubleParam Plain(const char* name) {
    return {name, [](std::uint32_t, double* v) { return Get(v); },
            [](std::uint32_t, double v) { return Set(v); }, 0};
}

const DoubleParam kDoubleParams[] = {
    {"AxisPrecision", Zint_GetAxisPrecision, Zint_SetAxisPrecision, 1},
    {"AxisMaxVel", Zint_GetAxisMaxVel, Zint_SetAxisMaxVel, 2},
    {"AxisStrtVel", Zint_GetAxisStrtVel, Zint_SetAxisStrtVel, 3},
    {"AxisMaxAcc", Zint_GetAxisMaxAcc, Zint_SetAxisMaxAcc, 4},
    {"AxisRange", Zint_GetAxisRange, Zint_SetAxisRange, 1},
    {"BtnStrtVel", Zint_GetBtnStrtVel, Zint_SetAxisBtnStrtVel, 2},
    {"AxisBtnAcc", Zint_GetAxisBtnAcc, Zint_SetAxisBtnAcc, 3},
    {"AxisEstpAcc", Zint_GetAxisEstpAcc, Zint_SetAxisEstpAcc, 4},
    {"AxisHomeOffset", Zint_GetAxisHomeOffset, Zint_SetAxisHomeOffset, 1},
    {"AxisBackLash", Zint_GetAxisBackLash, Zint_SetAxisBackLash, 2},
    {"LaserMaxPower", Zint_GetLaserMaxPower, Zint_SetLaserMaxPower, 1},
    {"LaserMinPower", Zint_GetLaserMinPower, Zint_SetLaserMinPower, 2},
    {"LaserPWMFreq", Zint_GetLaserPWMFreq, Zint_SetLaserPWMFreq, 1},
    {"LaserStdbyFreq", Zint_GetLaserStdbyFreq, Zint_SetLaserStdbyFreq, 2},
    {"LaserStdbyPulse", Zint_GetLaserStdbyPulse, Zint_SetLaserStdbyPulse, 1},
    Plain<Zint_GetLaserAttenu, Zint_SetLaserAttenu>("LaserAttenu"),
    Plain<Zint_GetG0Vel, Zint_SetG0Vel>("G0Vel"),
    Plain<Zint_GetG0Acc, Zint_SetG0Acc>("G0Acc"),
    Plain<Zint_GetTurnVel, Zint_SetTurnVel>("TurnVel"),
    Plain<Zint_GetTurnAcc, Zint_SetTurnAcc>("TurnAcc"),
    Plain<Zint_GetSynAcc, Zint_SetSynAcc>("SynAcc"),
    Plain<Zint_GetG0Delay, Zint_SetG0Delay>("G0Delay"),
    Plain<Zint_GetXMinEngVel, Zint_SetXMinEngVel>("XMinEngVel"),
    Plain<Zint_GetYMinEngVel, Zint_SetYMinEngVel>("YMinEngVel"),
    Plain<Zint_GetXEngAcc, Zint_SetXEngAcc>("XEngAcc"),
    Plain<Zint_GetYEngAcc, Zint_SetYEngAcc>("YEngAcc"),
    Plain<Zint_GetEngVertVel, Zint_SetEngVertVel>("EngVertVel"),
    Plain<Zint_GetEngFacula, Zint_SetEngFacula>("EngFacula"),
    Plain<Zint_GetHomeVel, Zint_SetHomeVel>("HomeVel"),
    Plain<Zint_GetGoScaleBlank, Zint_SetGoScaleBlank>("GoScaleBlank"),
    Plain<Zint_GetFocusDepth, Zint_SetFocusDepth>("FocusDepth"),
};

struct IntParam {
    const char* name;
    std::uint16_t (*get)(std::int32_t*);
    std::uint16_t (*set)(std::int32_t);
};

const IntParam kIntParams[] = {
    {"AccRatio", Zint_GetAccRatio, Zint_SetAccRatio},
    {"AccG0Ratio", Zint_GetAccG0Ratio, Zint_SetAccG0Ratio},
    {"TurnRatio", Zint_GetTurnRatio, Zint_SetTurnRatio},
    {"FeedDelayPre", Zint_GetFeedDelayPre, Zint_SetFeedDelayPre},
    {"FeedDelayAft", Zint_GetFeedDelayAft, Zint_SetFeedDelayAft},
    {"ShutDownDelay", Zint_GetShutDownDelay, Zint_SetShutDownDelay},
};

struct CounterParam {
    const char* name;
    std::uint16_t (*get)(std::uint32_t*);
    std::uint16_t (*set)(std::uint32_t);
};

const CounterParam kCounters[] = {
    {"TotalWorkTime", Zint_GetTotalWorkTime, Zint_SetTotalWorkTime},
    {"TotalCutrixTime", Zint_GetTotalCutrixTime, Zint_SetTotalCutrixTime},
    {"TotalWorkNum", Zint_GetTotalWorkNum, Zint_SetTotalWorkNum},
    {"TotalWorkLengthX", Zint_GetTotalWorkLengthX, Zint_SetTotalWorkLengthX},
    {"TotalWorkLengthY", Zint_GetTotalWorkLengthY, Zint_SetTotalWorkLengthY},
    {"PreWorkTime", Zint_GetPreWorkTime, Zint_SetPreWorkTime},
};

class ZintParamsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0); }
    void Reopen() {
        Zint_Close();
        controller_.Restart();
        ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    }
    InProcessEmulator controller_;
};

TEST_F(ZintParamsTest, EveryValueComesBackAsSetAndSurvivesARestart) {
    for (std::size_t at = 0; at < std::size(kDoubleParams); ++at) {
        EXPECT_EQ(kDoubleParams[at].set(kDoubleParams[at].index, 1.25 + at), 0) << kDoubleParams[at].name;
    }
    for (std::size_t at = 0; at < std::size(kIntParams); ++at) {
        EXPECT_EQ(kIntParams[at].set(-3 - static_cast<std::int32_t>(at)), 0) << kIntParams[at].name;
    }
    for (std::size_t at = 0; at < std::size(kCounters); ++at) {
        EXPECT_EQ(kCounters[at].set(1000 + static_cast<std::uint32_t>(at)), 0) << kCounters[at].name;
    }
    const std::uint8_t control[8] = {1, 0, 1, 0, 1, 0, 1, 0};
    const std::uint8_t mode[8] = {2, 1, 1, 2, 1, 1, 1, 1};
    const std::uint8_t settings[6] = {2, 1, 3, 2, 1, 1};
    const std::uint8_t io[4] = {1, 0, 1, 1};
    EXPECT_EQ(Zint_SetAxisCtrlPara(4, control), 0);
    EXPECT_EQ(Zint_SetSystemCtrlMode(mode), 0);
    EXPECT_EQ(Zint_SetSystemSettings(settings), 0);
    EXPECT_EQ(Zint_SetIOEnable(io), 0);
    EXPECT_EQ(Zint_SetMachineType(2), 0);

    Reopen();

    for (std::size_t at = 0; at < std::size(kDoubleParams); ++at) {
        double value = 0;
        EXPECT_EQ(kDoubleParams[at].get(kDoubleParams[at].index, &value), 0) << kDoubleParams[at].name;
        EXPECT_EQ(value, 1.25 + at) << kDoubleParams[at].name;
    }
    for (std::size_t at = 0; at < std::size(kIntParams); ++at) {
        std::int32_t value = 0;
        EXPECT_EQ(kIntParams[at].get(&value), 0) << kIntParams[at].name;
        EXPECT_EQ(value, -3 - static_cast<std::int32_t>(at)) << kIntParams[at].name;
    }
    for (std::size_t at = 0; at < std::size(kCounters); ++at) {
        std::uint32_t value = 0;
        EXPECT_EQ(kCounters[at].get(&value), 0) << kCounters[at].name;
        EXPECT_EQ(value, 1000 + at) << kCounters[at].name;
    }
    std::uint8_t word[8] = {};
    EXPECT_EQ(Zint_GetAxisCtrlPara(4, word), 0);
    EXPECT_TRUE(std::equal(word, word + 8, control));
    EXPECT_EQ(Zint_GetSystemCtrlMode(word), 0);
    EXPECT_TRUE(std::equal(word, word + 8, mode));
    EXPECT_EQ(Zint_GetSystemSettings(word), 0);
    EXPECT_TRUE(std::equal(word, word + 6, settings));
    EXPECT_EQ(Zint_GetIOEnable(word), 0);
    EXPECT_TRUE(std::equal(word, word + 4, io));
    std::uint16_t machineType = 0;
    EXPECT_EQ(Zint_GetMachineType(&machineType), 0);
    EXPECT_EQ(machineType, 2);
}

TEST_F(ZintParamsTest, EachAxisKeepsItsOwnValue) {
    ASSERT_EQ(Zint_SetAxisRange(1, 600.0), 0);
    ASSERT_EQ(Zint_SetAxisRange(2, 400.0), 0);
    double x = 0;
    double y = 0;
    EXPECT_EQ(Zint_GetAxisRange(1, &x), 0);
    EXPECT_EQ(Zint_GetAxisRange(2, &y), 0);
    EXPECT_EQ(x, 600.0);
    EXPECT_EQ(y, 400.0);
}

TEST_F(ZintParamsTest, IndexesAParameterDoesNotHaveAreRefusedAndLeaveTheValueAlone) {
    double value = -1;
    EXPECT_EQ(Zint_GetAxisRange(0, &value), kLinkRefused);
    EXPECT_EQ(Zint_GetAxisRange(5, &value), kLinkRefused);
    EXPECT_EQ(Zint_SetAxisBackLash(3, 1.0), kLinkRefused);
    EXPECT_EQ(Zint_GetLaserMaxPower(3, &value), kLinkRefused);
    EXPECT_EQ(Zint_GetAxisRange(0x10000, &value), kLinkBadArgument);
    EXPECT_EQ(value, -1);
    EXPECT_EQ(Zint_GetAxisRange(1, nullptr), kLinkBadArgument);
    EXPECT_EQ(Zint_GetAxisCtrlPara(1, nullptr), kLinkBadArgument);
}

TEST_F(ZintParamsTest, VendorPasswordReadsFromTheRawParametersInSevenBitGroups) {
    std::uint8_t first[5] = {};
    std::uint8_t second[5] = {};
    ASSERT_EQ(Zint_ReadParam(1280, first), 0);
    ASSERT_EQ(Zint_ReadParam(1281, second), 0);
    auto number = [](const std::uint8_t* g) {
        return std::uint32_t{g[0]} << 28 | std::uint32_t{g[1]} << 21 | std::uint32_t{g[2]} << 14 |
               std::uint32_t{g[3]} << 7 | g[4];
    };
    const std::uint32_t low = number(first);
    const std::uint32_t high = number(second);
    const std::string password = {static_cast<char>(low),        static_cast<char>(low >> 8),
                                  static_cast<char>(low >> 16),  static_cast<char>(low >> 24),
                                  static_cast<char>(high >> 16), static_cast<char>(high >> 24)};
    EXPECT_EQ(password, emulator::kDefaultVendorPassword);
}

}  // namespace
}  // namespace motionlink::testing
