// The encoder's choice of command forms, its power bookkeeping, and how it reports and survives a sink
// that fails.
#include "JobEncoder.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ByteTransform.h"
#include "JobMemorySink.h"
#include "JobOpcodes.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using motionlink::JobEncoder;
using motionlink::JobPosition;
namespace opcode = motionlink::opcode;

Bytes OpcodeStream(const motionlink::JobMemorySink& sink) {
    Bytes opcodes;
    for (const std::uint8_t stored : sink.Bytes()) {
        opcodes.push_back(motionlink::OpcodeByteFromStored(stored));
    }
    return opcodes;
}

class FailingSink final : public motionlink::JobSink {
  public:
    motionlink::JobStatus Write(std::span<const std::uint8_t>) override {
        return motionlink::kJobCommunicationError;
    }
    motionlink::JobStatus Finish() override { return motionlink::kJobOk; }
};

class JobEncoderTest : public ::testing::Test {
  protected:
    void SetUp() override { encoder_.Start(sink_); }

    // The opcode bytes appended since the last call.
    Bytes Appended() {
        const Bytes all = OpcodeStream(sink_);
        Bytes fresh(all.begin() + static_cast<std::ptrdiff_t>(seen_), all.end());
        seen_ = all.size();
        return fresh;
    }

    motionlink::JobMemorySink sink_;
    JobEncoder encoder_;
    std::size_t seen_ = 0;
};

struct FormCase {
    std::string name;
    JobPosition from;
    JobPosition to;
    Bytes expected;
};

void PrintTo(const FormCase& testCase, std::ostream* out) {
    *out << testCase.name;
}

class JobEncoderFormTest : public JobEncoderTest, public ::testing::WithParamInterface<FormCase> {};

//   relative forms while both deltas fit in -8192..8191 micrometres, one axis when the other is still
TEST_P(JobEncoderFormTest, TravelUsesTheShortestFormThatFits) {
    ASSERT_EQ(encoder_.MoveTo(GetParam().from), motionlink::kJobOk);
    Appended();
    ASSERT_EQ(encoder_.MoveTo(GetParam().to), motionlink::kJobOk);
    EXPECT_EQ(Appended(), GetParam().expected);
    EXPECT_EQ(encoder_.Position().xUm, GetParam().to.xUm);
    EXPECT_EQ(encoder_.Position().yUm, GetParam().to.yUm);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, JobEncoderFormTest,
    ::testing::Values(
        FormCase{"AlongX", {100, 100}, {105, 100}, {opcode::kMoveRelativeX, 0x00, 0x05}},
        FormCase{"AlongY", {100, 100}, {100, 97}, {opcode::kMoveRelativeY, 0x7F, 0x7D}},
        FormCase{"InPlace", {100, 100}, {100, 100}, {opcode::kMoveRelativeX, 0x00, 0x00}},
        FormCase{"BothAtTheLimits", {0, 0}, {8191, -8192}, {opcode::kMoveRelative, 0x3F, 0x7F, 0x40, 0x00}},
        FormCase{"JustTooFar",
                 {0, 0},
                 {8192, 1},
                 {opcode::kMoveAbsolute, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}},
        FormCase{"NegativeAbsolute",
                 {-20000, 0},
                 {-1, -20000},
                 {opcode::kMoveAbsolute, 0x0F, 0x7F, 0x7F, 0x7F, 0x7F, 0x0F, 0x7F, 0x7E, 0x63, 0x60}}),
    [](const ::testing::TestParamInfo<FormCase>& info) { return info.param.name; });

// A single-axis cut never ramps in the reader, so a cut that must ramp is written in the two-axis form.
TEST_F(JobEncoderTest, RampedCutAlongOneAxisKeepsTheRamp) {
    ASSERT_EQ(encoder_.SetLinePowers(100), motionlink::kJobOk);
    ASSERT_EQ(encoder_.SetLineEndPower(200), motionlink::kJobOk);
    Appended();
    ASSERT_EQ(encoder_.CutTo({50, 0}), motionlink::kJobOk);
    EXPECT_EQ(Appended(), (Bytes{opcode::kCutRelative, 0x00, 0x32, 0x00, 0x00}));
    ASSERT_EQ(encoder_.SetLayerPower(300), motionlink::kJobOk);
    Appended();
    ASSERT_EQ(encoder_.CutTo({50, 10}), motionlink::kJobOk);
    EXPECT_EQ(Appended(), (Bytes{opcode::kCutRelativeY, 0x00, 0x0A}));
}

TEST_F(JobEncoderTest, EndWritesTheEndCommandFinishesTheSinkAndClosesTheJob) {
    ASSERT_EQ(encoder_.End(), motionlink::kJobOk);
    EXPECT_EQ(Appended(), (Bytes{opcode::kEnd}));
    EXPECT_TRUE(sink_.IsFinished());
    EXPECT_FALSE(encoder_.IsOpen());
    EXPECT_EQ(encoder_.Append(motionlink::JobCommandBytes(opcode::kBlockEnd)), motionlink::kJobNoJobOpen);
    EXPECT_EQ(encoder_.MoveTo({1, 1}), motionlink::kJobNoJobOpen);
}

TEST_F(JobEncoderTest, StartingAgainResetsPositionAndPowers) {
    ASSERT_EQ(encoder_.MoveTo({20000, 20000}), motionlink::kJobOk);
    ASSERT_EQ(encoder_.SetLinePowers(5), motionlink::kJobOk);
    ASSERT_EQ(encoder_.SetLineEndPower(9), motionlink::kJobOk);
    encoder_.Start(sink_);
    Appended();
    ASSERT_EQ(encoder_.CutTo({3, 0}), motionlink::kJobOk);
    EXPECT_EQ(Appended(), (Bytes{opcode::kCutRelativeX, 0x00, 0x03}));
}

TEST(JobEncoderFailure, FailedWriteKeepsThePositionAndEndStillCloses) {
    FailingSink sink;
    JobEncoder encoder;
    encoder.Start(sink);
    EXPECT_EQ(encoder.MoveTo({10, 10}), motionlink::kJobCommunicationError);
    EXPECT_EQ(encoder.Position().xUm, 0);
    EXPECT_EQ(encoder.End(), motionlink::kJobCommunicationError);
    EXPECT_FALSE(encoder.IsOpen());
}

}  // namespace
