// The decoding walk on hand-made opcode streams: every command form, the power ramp, and the ways a
// stream can be odd (unknown bytes, truncation, bytes after the end, malformed operands).
#include "JobStreamWalker.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "JobCommandTestSupport.h"

namespace {

using jobscan::testing::AbsoluteGroups;
using jobscan::testing::Ramp;
using jobscan::testing::ToVector;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes stream;
    for (const Bytes& part : parts) {
        stream.insert(stream.end(), part.begin(), part.end());
    }
    return stream;
}

std::vector<JobCommand> Walk(const Bytes& stream) {
    CDbList<JobCommand> list;
    jobscan::WalkJobStream(stream, &list);
    return ToVector(list);
}

constexpr std::int32_t kMaxUnits = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinUnits = std::numeric_limits<std::int32_t>::min();

// Job units (micrometres) in millimetres, scaled as the reader scales them.
double Mm(std::int32_t units) {
    return units * 0.001;
}

JobCommand Rec(JobCommand::Kind kind, double a = 0.0, double b = 0.0) {
    return JobCommand{kind, a, b};
}

std::vector<JobCommand> Join(std::vector<JobCommand> head, const std::vector<JobCommand>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct WalkCase {
    std::string name;
    Bytes stream;
    std::vector<JobCommand> expected;
};

void PrintTo(const WalkCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class JobStreamWalkerTest : public ::testing::TestWithParam<WalkCase> {};

TEST_P(JobStreamWalkerTest, DecodesTheExpectedRecords) {
    EXPECT_EQ(Walk(GetParam().stream), GetParam().expected);
}

const Bytes kFullPowerBoth{0xC7, 0x7F, 0x7F};
const Bytes kZeroEndPower{0xC8, 0x00, 0x00};

INSTANTIATE_TEST_SUITE_P(
    Commands, JobStreamWalkerTest,
    ::testing::Values(
        WalkCase{"EmptyStream", {}, {}},
        WalkCase{"PowerBothThenEndOnly",
                 Concat({kFullPowerBoth, kZeroEndPower}),
                 {Rec(JobCommand::Power, 1.0), Rec(JobCommand::Power, 0.0)}},
        WalkCase{"LayerPowerZeroReadsAsFullButKeepsZero",
                 {0xC6, 0x02, 0x00, 0x00, 0xA9, 0x00, 0x05, 0x00, 0x00},
                 {Rec(JobCommand::Power, 1.0), Rec(JobCommand::Cut, Mm(5), 0.0)}},
        WalkCase{"EqualPowersCutOnce",
                 Concat({kFullPowerBoth, {0xA9, 0x00, 0x0A, 0x00, 0x14}}),
                 {Rec(JobCommand::Power, 1.0), Rec(JobCommand::Cut, Mm(10), Mm(20))}},
        WalkCase{
            "DifferentPowersRampRelativeCut",
            Concat({kFullPowerBoth, kZeroEndPower, {0xA9, 0x00, 0x0A, 0x00, 0x14}}),
            Join({Rec(JobCommand::Power, 1.0), Rec(JobCommand::Power, 0.0)}, Ramp(0, 0, 10, 20, 1.0, 0.0))},
        WalkCase{"DifferentPowersRampAbsoluteCut",
                 Concat({{0x89, 0x00, 0x64, 0x00, 0x00},
                         {0xC7, 0x00, 0x00},
                         {0xC8, 0x7F, 0x7F},
                         {0xA8},
                         AbsoluteGroups(-400),
                         AbsoluteGroups(1000)}),
                 Join({Rec(JobCommand::Move, Mm(100), 0.0), Rec(JobCommand::Power, 0.0),
                       Rec(JobCommand::Power, 1.0)},
                      Ramp(100, 0, -400, 1000, 0.0, 1.0))},
        WalkCase{"RampedCutToCurrentPositionCutsOnce",
                 Concat({kFullPowerBoth, kZeroEndPower, {0xA8}, AbsoluteGroups(0), AbsoluteGroups(0)}),
                 {Rec(JobCommand::Power, 1.0), Rec(JobCommand::Power, 0.0), Rec(JobCommand::Cut, 0.0, 0.0)}},
        WalkCase{"SingleAxisCutsNeverRamp",
                 Concat({kFullPowerBoth, kZeroEndPower, {0xAA, 0x00, 0x0A, 0xAB, 0x7F, 0x7F}}),
                 {Rec(JobCommand::Power, 1.0), Rec(JobCommand::Power, 0.0), Rec(JobCommand::Cut, Mm(10), 0.0),
                  Rec(JobCommand::Cut, Mm(10), Mm(-1))}},
        WalkCase{"RelativeMoveByMinusOnePlusOne",
                 {0x89, 0x7F, 0x7F, 0x00, 0x01},
                 {Rec(JobCommand::Move, Mm(-1), Mm(1))}},
        WalkCase{"RelativeXLimits",
                 {0x8A, 0x40, 0x00, 0x8A, 0x3F, 0x7F},
                 {Rec(JobCommand::Move, Mm(-8192), 0.0), Rec(JobCommand::Move, Mm(-1), 0.0)}},
        WalkCase{"RelativeYMove", {0x8B, 0x00, 0x7F}, {Rec(JobCommand::Move, 0.0, Mm(127))}},
        WalkCase{"AbsoluteSignBitInFirstGroup",
                 Concat({{0x88, 0x0F, 0x7F, 0x7F, 0x7F, 0x7F}, AbsoluteGroups(2500)}),
                 {Rec(JobCommand::Move, Mm(-1), Mm(2500))}},
        WalkCase{"AxisMoveOnlyForZButBothConsumeSevenBytes",
                 Concat({{0x80, 0x03},
                         AbsoluteGroups(-1500),
                         {0xA0, 0x01},
                         AbsoluteGroups(7),
                         kFullPowerBoth,
                         {0xA0, 0x1B},
                         AbsoluteGroups(250)}),
                 {Rec(JobCommand::AxisMove, 3.0, Mm(-1500)), Rec(JobCommand::Power, 1.0),
                  Rec(JobCommand::AxisMove, 3.0, Mm(250))}},
        WalkCase{"DelayInMicroseconds",
                 Concat({{0xC6, 0x10}, AbsoluteGroups(1500000)}),
                 {Rec(JobCommand::Delay, 1500000 * 0.000001)}},
        WalkCase{"SpeedAndIndexedSpeed",
                 Concat({{0xC9, 0x02}, AbsoluteGroups(25000), {0xC9, 0x04, 0x05}, AbsoluteGroups(12345)}),
                 {Rec(JobCommand::Speed, Mm(25000)), Rec(JobCommand::IndexedSpeed, 5.0, Mm(12345))}},
        WalkCase{"IndexedPowers",
                 {0xC6, 0x31, 0x02, 0x7F, 0x7F, 0xC6, 0x32, 0x02, 0x00, 0x00,
                  0xC6, 0x41, 0x7F, 0x40, 0x00, 0xC6, 0x42, 0x00, 0x00, 0x01},
                 {Rec(JobCommand::IndexedPower1, 0.0, 1.0), Rec(JobCommand::IndexedPower2, 0.0, 0.0),
                  Rec(JobCommand::IndexedPower3, 0.0, 8192 / 16383.0),
                  Rec(JobCommand::IndexedPower4, 0.0, 1 / 16383.0)}},
        WalkCase{"ValueCommands",
                 Concat({{0xCA, 0x22, 0x33, 0xCA, 0x01, 0x7F, 0xCA, 0x06, 0x04}, AbsoluteGroups(-5)}),
                 {Rec(JobCommand::ParamByte, 51.0), Rec(JobCommand::IndexedValue, 4.0, -5.0)}},
        WalkCase{"UnlistedSecondByteSkipsPrefixAlone",
                 Concat({{0xCA, 0x05, 0xC9, 0x03, 0xC6}, kFullPowerBoth}),
                 {Rec(JobCommand::Power, 1.0)}},
        WalkCase{"UnknownBytesSkippedOneByOne",
                 Concat({{0x00, 0x7F, 0xFF, 0x81, 0xE0, 0x12}, kFullPowerBoth}),
                 {Rec(JobCommand::Power, 1.0)}},
        WalkCase{"NothingAfterTheEndOpcode", Concat({{0xD7}, kFullPowerBoth}), {}},
        WalkCase{"TruncatedCommandEndsTheWalk",
                 Concat({kFullPowerBoth, {0x88, 0x00, 0x00, 0x00}}),
                 {Rec(JobCommand::Power, 1.0)}},
        WalkCase{"TruncatedTwoByteCommand", {0xC9, 0x04, 0x01, 0x00}, {}},
        WalkCase{"PrefixAsLastByte", Concat({kFullPowerBoth, {0xC6}}), {Rec(JobCommand::Power, 1.0)}},
        WalkCase{"MalformedOperandOverlapsTheHigherGroup",
                 Concat({{0x88, 0x00, 0x00, 0x00, 0x01, 0x80}, AbsoluteGroups(0), {0xC7, 0xFF, 0x7F}}),
                 {Rec(JobCommand::Move, Mm(128), 0.0), Rec(JobCommand::Power, 32767 / 16383.0)}},
        WalkCase{"PositionOverflowWrapsInsteadOfUndefined",
                 Concat({{0x88}, AbsoluteGroups(kMaxUnits), AbsoluteGroups(0), {0x8A, 0x00, 0x01}}),
                 {Rec(JobCommand::Move, Mm(kMaxUnits), 0.0), Rec(JobCommand::Move, Mm(kMinUnits), 0.0)}}),
    [](const ::testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

// The ramp's steps are computed in double precision, so extreme positions cannot overflow.
TEST(JobStreamWalker, RampAcrossTheWholeRangeDoesNotOverflow) {
    const Bytes stream = Concat({{0x88},
                                 AbsoluteGroups(kMinUnits),
                                 AbsoluteGroups(0),
                                 kFullPowerBoth,
                                 kZeroEndPower,
                                 {0xA8},
                                 AbsoluteGroups(kMaxUnits),
                                 AbsoluteGroups(0)});
    const std::vector<JobCommand> commands = Walk(stream);
    ASSERT_EQ(commands.size(), 23u);
    EXPECT_EQ(commands.back(), Rec(JobCommand::Cut, Mm(kMaxUnits), 0.0));
}

TEST(JobStreamWalker, ListWithoutSentinelReceivesNothing) {
    CDbList<JobCommand> released;
    released.Release();
    jobscan::WalkJobStream(kFullPowerBoth, &released);
    EXPECT_EQ(released.head, nullptr);
    EXPECT_EQ(released.count, 0);
}

TEST(JobStreamWalker, AppendsAfterRecordsAlreadyInTheList) {
    CDbList<JobCommand> list;
    list.AddTail(Rec(JobCommand::Delay, 9.0));
    jobscan::WalkJobStream(kFullPowerBoth, &list);
    EXPECT_EQ(ToVector(list),
              (std::vector<JobCommand>{Rec(JobCommand::Delay, 9.0), Rec(JobCommand::Power, 1.0)}));
}

}  // namespace
