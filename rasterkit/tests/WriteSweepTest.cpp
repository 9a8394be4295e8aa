// Scan-engraving output written into a job file and read back by the job reader.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "GeometryTestHelpers.h"
#include "JobFileSink.h"
#include "Jobscan.h"
#include "MotionlinkJob.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"
#include "TempHome.h"

namespace {

using namespace rasterkit_test;
using namespace cutrix::testing;
using platform::DibBlock;

struct Sweep {
    double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
    JobFrame frame = {};
    std::uint32_t head = 6;
    double lineStep = 0.5;
    std::uint32_t runWriter = 1;
    std::uint8_t kind = 0;
    std::uint32_t greyPower = 0;
    double lineShift = 0.0;
};

class WriteSweepTest : public ::testing::Test {
  protected:
    // Writes the bitmap into a new job and reads the job back.
    std::vector<JobCommand> Written(const DibBlock& dib, const Sweep& s, std::int32_t expectStatus = 0) {
        const std::filesystem::path path = cutrix::testing::TempHome() / "sweep.zint";
        motionlink::JobFileSink sink(path);
        EXPECT_EQ(Zint_StrtWFile(&sink), 0);
        std::int32_t cellX = 0, cellY = 0;
        EXPECT_EQ(_dib_writesweep(&dib, s.x1, s.y1, s.x2, s.y2, s.frame, s.head, 1, s.lineStep, s.runWriter, s.kind,
                                  s.greyPower, 0, &cellX, &cellY, s.lineShift),
                  expectStatus);
        EXPECT_EQ(Zint_wSetFileEnd(), 0);
        CDbList<JobCommand> list;
        EXPECT_EQ(Zint_ReadZintFile(path.string().c_str(), &list, 0), 0);
        std::vector<JobCommand> commands;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            commands.push_back(node->value);
        }
        return commands;
    }
};

struct Cut {
    double fromX, fromY, toX, toY;
};

std::vector<Cut> CutsOf(const std::vector<JobCommand>& commands) {
    std::vector<Cut> cuts;
    double x = 0.0, y = 0.0;
    for (const JobCommand& command : commands) {
        if (command.kind == JobCommand::Cut) {
            cuts.push_back({x, y, command.a, command.b});
        }
        if (command.kind == JobCommand::Move || command.kind == JobCommand::Cut) {
            x = command.a;
            y = command.b;
        }
    }
    return cuts;
}

std::vector<double> PowersOf(const std::vector<JobCommand>& commands) {
    std::vector<double> powers;
    for (const JobCommand& command : commands) {
        if (command.kind == JobCommand::Power) {
            powers.push_back(command.a);
        }
    }
    return powers;
}

// A written segment: the travel move to its start, its start and end powers (the job keeps a power ramp
// as steps of cuts, each with its own power) and where its last cut ends.
struct Ramp {
    double fromX;
    double start = -1.0;
    double end = -1.0;
    double toX = 0.0;
};

std::vector<Ramp> RampsOf(const std::vector<JobCommand>& commands) {
    std::vector<Ramp> ramps;
    for (const JobCommand& command : commands) {
        if (command.kind == JobCommand::Move) {
            ramps.push_back({command.a});
        } else if (!ramps.empty() && command.kind == JobCommand::Power) {
            Ramp& ramp = ramps.back();
            if (ramp.start < 0.0) {
                ramp.start = command.a;
            } else if (ramp.end < 0.0) {
                ramp.end = command.a;
            }
        } else if (!ramps.empty() && command.kind == JobCommand::Cut) {
            ramps.back().toX = command.a;
        }
    }
    return ramps;
}

TEST_F(WriteSweepTest, AFilledLetterOIsCutExactlyOverItsDarkRunsWithTheCounterEmpty) {
    // The letter O as two circles filled into a white 1-bit picture of 0.1 mm pixels.
    DibBlock dib = Created(120, 160, 1);
    CDbList<CFileLine> outer, inner;
    AddPolyline(outer, CirclePoints({6.0, 8.0}, 5.5, 180), true);
    AddPolyline(inner, CirclePoints({6.0, 8.0}, 3.0, 180), true);
    ASSERT_EQ(_dib_fill(&dib, &outer, 0.1, 0, 0, 12, 16), 0);
    ASSERT_EQ(_dib_fill(&dib, &inner, 0.1, 0, 0, 12, 16), 0);
    std::set<std::pair<int, int>> dark;
    for (int r = 0; r < 160; ++r) {
        for (int c = 0; c < 120; ++c) {
            if (StoredValue(dib, c, r) == 0) {
                dark.insert({c, r});
            }
        }
    }
    ASSERT_FALSE(dark.contains({60, 80}));

    Sweep s{.x1 = 20.0, .y1 = 30.0, .x2 = 32.0, .y2 = 46.0, .lineStep = 0.1, .kind = 1};
    const std::vector<JobCommand> commands = Written(dib, s);
    std::set<std::pair<int, int>> covered;
    std::map<int, bool> leftToRight;  // per written line
    for (const Cut& cut : CutsOf(commands)) {
        ASSERT_NEAR(cut.fromY, cut.toY, 1e-9);
        const int line = static_cast<int>(std::lround((cut.toY - s.y1) / 0.1));
        const int from = static_cast<int>(std::lround((std::min(cut.fromX, cut.toX) - s.x1) / 0.1));
        const int to = static_cast<int>(std::lround((std::max(cut.fromX, cut.toX) - s.x1) / 0.1));
        for (int c = from; c < to; ++c) {
            EXPECT_TRUE(covered.insert({c, line - 1}).second) << "pixel cut twice";
        }
        const bool forward = cut.toX > cut.fromX;
        if (leftToRight.contains(line)) {
            EXPECT_EQ(leftToRight[line], forward) << "one line, one direction";
        }
        leftToRight[line] = forward;
    }
    EXPECT_EQ(covered, dark);
    // The first written line runs left to right and each later one flips, whatever empty lines lie between.
    bool expected = true;
    for (const auto& [line, forward] : leftToRight) {
        EXPECT_EQ(forward, expected) << line;
        expected = !expected;
    }
    for (double power : PowersOf(commands)) {
        EXPECT_NEAR(power, 1.0, 1e-4);
    }
}

TEST_F(WriteSweepTest, OneBlackPixelGivesOneSegmentOnItsLine) {
    DibBlock dib = Painted(10, 10, 1, [](int c, int r) { return c == 7 && r == 4 ? 0u : 1u; });
    const std::vector<JobCommand> commands = Written(dib, {.x2 = 5.0, .y2 = 5.0});
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].kind, JobCommand::Move);
    EXPECT_NEAR(commands[0].a, 3.5, 1e-9);
    EXPECT_NEAR(commands[0].b, 2.5, 1e-9);
    EXPECT_EQ(PowersOf(commands), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(commands[3].kind, JobCommand::Cut);
    EXPECT_NEAR(commands[3].a, 4.0, 1e-9);
}

TEST_F(WriteSweepTest, HeadPositionsAboveEightCountAsEight) {
    DibBlock dib = Painted(10, 10, 1, [](int c, int r) { return (c + r) % 3 == 0 ? 0u : 1u; });
    const std::vector<JobCommand> eight = Written(dib, {.x2 = 5.0, .y2 = 5.0, .head = 8});
    const std::vector<JobCommand> nine = Written(dib, {.x2 = 5.0, .y2 = 5.0, .head = 0x70009});
    ASSERT_EQ(eight.size(), nine.size());
    for (std::size_t i = 0; i < eight.size(); ++i) {
        EXPECT_EQ(eight[i].a, nine[i].a);
        EXPECT_EQ(eight[i].b, nine[i].b);
    }
    const Cut first = CutsOf(eight).front();
    EXPECT_LT(first.toX, first.fromX);  // right to left
    EXPECT_LT(first.toY, 1.0);          // starting from y1
}

TEST_F(WriteSweepTest, EveryRowIsReadOnceWhateverTheRoundingOfTheLinePositions) {
    // Row r is dark only in column r mod 7; 0.1 mm rows scanned every 0.1 mm.
    DibBlock dib = Painted(7, 100, 1, [](int c, int r) { return c == r % 7 ? 0u : 1u; });
    const std::vector<Cut> cuts = CutsOf(Written(dib, {.x2 = 0.7, .y2 = 10.0, .lineStep = 0.1}));
    ASSERT_EQ(cuts.size(), 100u);
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        EXPECT_NEAR(cuts[i].fromX, 0.1 * static_cast<double>(i % 7), 1e-9) << i;
    }
}

TEST_F(WriteSweepTest, DarknessGivesPowerAndWhiteNothing) {
    DibBlock dib = Painted(3, 2, 8, [](int c, int r) { return r == 1 ? (c == 0 ? 0u : c == 1 ? 255u : 127u) : 255u; });
    const std::vector<JobCommand> commands = Written(dib, {.x2 = 3.0, .y2 = 2.0, .lineStep = 1.0});
    EXPECT_EQ(CutsOf(commands).size(), 2u);
    const std::vector<double> powers = PowersOf(commands);
    ASSERT_EQ(powers.size(), 4u);
    EXPECT_NEAR(powers[0], 1.0, 1e-4);
    EXPECT_NEAR(powers[2], 128.0 / 255.0, 1e-4);
}

TEST_F(WriteSweepTest, PlacementSizesCountToTheMicrometre) {
    DibBlock dib = Painted(1, 1, 1, [](int, int) { return 0u; });
    for (const auto& [width, expected] : {std::pair{10.0004, 10.000}, std::pair{10.0006, 10.001}}) {
        const std::vector<Cut> cuts = CutsOf(Written(dib, {.x2 = width, .y2 = 1.0, .lineStep = 1.0}));
        ASSERT_EQ(cuts.size(), 1u);
        EXPECT_NEAR(cuts[0].toX, expected, 1e-9) << width;
    }
}

TEST_F(WriteSweepTest, MergingWriterCentresLinesHalfAPixelBackOnTheirOwnAxis) {
    // 0.2 mm wide and 0.5 mm high pixels: horizontal lines move back 0.25 mm, vertical ones 0.1 mm.
    DibBlock dib = Painted(4, 4, 1, [](int c, int r) { return c == 1 && r == 1 ? 0u : 1u; });
    const std::vector<Cut> horizontal =
        CutsOf(Written(dib, {.x2 = 0.8, .y2 = 2.0, .runWriter = 0, .kind = 1}));
    ASSERT_EQ(horizontal.size(), 1u);
    EXPECT_NEAR(horizontal[0].fromY, 1.0 - 0.25, 1e-9);
    const std::vector<Cut> vertical =
        CutsOf(Written(dib, {.x2 = 0.8, .y2 = 2.0, .lineStep = 0.2, .runWriter = 0, .kind = 3}));
    ASSERT_EQ(vertical.size(), 1u);
    EXPECT_NEAR(vertical[0].fromX, 0.4 - 0.1, 1e-9);
    EXPECT_NEAR(vertical[0].fromY, 0.5, 1e-9);
    EXPECT_NEAR(vertical[0].toY, 1.0, 1e-9);
}

TEST_F(WriteSweepTest, GreyPowerJoinsShortStepsIntoRamps) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> greys;  // one per pixel of the single row
        std::vector<std::pair<double, double>> ramps;  // start and end darkness of each written segment
    };
    const Case cases[] = {
        {"rising ten steps", {230, 205, 180, 155, 130, 105, 80, 55, 30, 5}, {{25, 250}}},
        {"falling ten steps", {5, 30, 55, 80, 105, 130, 155, 180, 205, 230}, {{250, 25}}},
        {"a long run stands alone", {200, 200, 100, 100, 100, 180}, {{55, 55}, {155, 155}, {75, 75}}},
        {"white ends a ramp", {200, 150, 255, 100}, {{55, 105}, {155, 155}}},
        {"a turn starts a new ramp", {200, 150, 200}, {{55, 105}, {55, 55}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto width = static_cast<int>(c.greys.size());
        DibBlock dib = Painted(width, 1, 8, [&](int col, int) { return c.greys[col]; });
        const std::vector<JobCommand> commands =
            Written(dib, {.x2 = double(width), .y2 = 1.0, .lineStep = 1.0, .runWriter = 0, .greyPower = 1});
        EXPECT_NEAR(RampsOf(commands).back().toX, double(width) - (c.greys.back() == 255 ? 1 : 0), 1e-9);
        const std::vector<Ramp> ramps = RampsOf(commands);
        ASSERT_EQ(ramps.size(), c.ramps.size());
        for (std::size_t i = 0; i < c.ramps.size(); ++i) {
            EXPECT_NEAR(ramps[i].start, c.ramps[i].first / 255.0, 1e-4);
            EXPECT_NEAR(ramps[i].end, c.ramps[i].second / 255.0, 1e-4);
        }
    }
}

TEST_F(WriteSweepTest, FinishesOrRefusesInsteadOfLoopingForEver) {
    DibBlock dib = Painted(4, 4, 1, [](int, int) { return 0u; });
    struct Case {
        double lineStep;
        double width;
        std::int32_t status;
    };
    for (const Case& c : {Case{0.0, 2.0, 1}, Case{-1.0, 2.0, 1}, Case{0.0009, 2.0, 1}, Case{std::nan(""), 2.0, 1},
                          Case{0.5, 0.0, 1}, Case{0.5, std::nan(""), 1}}) {
        EXPECT_TRUE(CutsOf(Written(dib, {.x2 = c.width, .y2 = 2.0, .lineStep = c.lineStep}, c.status)).empty());
    }
    EXPECT_TRUE(CutsOf(Written(dib, {.x2 = 2.0, .y2 = 2.0, .kind = 4})).empty());
}

TEST(WriteSweepOutsideAJobTest, AFailingJobCallEndsTheScanWithFailure) {
    DibBlock dib = Painted(4, 4, 1, [](int, int) { return 0u; });
    std::int32_t cellX = 0, cellY = 0;
    ASSERT_NE(Zint_wMoveTo(&cellX, &cellY, 0, 0), 0);  // no job open
    EXPECT_EQ(_dib_writesweep(&dib, 0, 0, 2, 2, JobFrame{}, 6, 1, 0.5, 1, 0, 0, 0, &cellX, &cellY, 0.0), 1);
    const DibBlock white = Created(4, 4, 1);
    EXPECT_EQ(_dib_writesweep(&white, 0, 0, 2, 2, JobFrame{}, 6, 1, 0.5, 1, 0, 0, 0, &cellX, &cellY, 0.0), 0);
    const DibBlock null;
    EXPECT_EQ(_dib_writesweep(&null, 0, 0, 2, 2, JobFrame{}, 6, 1, 0.5, 1, 0, 0, 0, &cellX, &cellY, 0.0), 1);
}

// 1-bit rows are read a byte at a time where eight pixels are alike: every way of scanning gives the same
// job as the same picture stored with 8 bits, on a width that leaves a partial last byte and with runs
// long and short, in both walk directions.
TEST_F(WriteSweepTest, OneBitRowsGiveTheJobOfTheSameEightBitPicture) {
    auto dark = [](int c, int r) { return (c / (1 + r % 13)) % 3 == 0 || (c * 7 + r * 3) % 11 == 0; };
    const DibBlock oneBit = Painted(77, 23, 1, [&](int c, int r) { return dark(c, r) ? 0u : 1u; });
    const DibBlock eightBit = Painted(77, 23, 8, [&](int c, int r) { return dark(c, r) ? 0u : 255u; });
    for (const std::uint8_t kind : {0, 1, 2, 3}) {
        for (const std::uint32_t head : {0u, 2u, 6u, 8u}) {
            for (const std::uint32_t runWriter : {0u, 1u}) {
                const Sweep sweep{.x2 = 7.7, .y2 = 2.3, .head = head, .lineStep = 0.1, .runWriter = runWriter,
                                  .kind = kind};
                const std::vector<JobCommand> fromBits = Written(oneBit, sweep);
                const std::vector<JobCommand> fromBytes = Written(eightBit, sweep);
                ASSERT_EQ(fromBits.size(), fromBytes.size()) << "kind " << int{kind} << " head " << head;
                for (std::size_t i = 0; i < fromBits.size(); ++i) {
                    EXPECT_EQ(fromBits[i].kind, fromBytes[i].kind) << i;
                    EXPECT_EQ(fromBits[i].a, fromBytes[i].a) << i;
                    EXPECT_EQ(fromBits[i].b, fromBytes[i].b) << i;
                }
            }
        }
    }
}

}  // namespace
