#include "LgpJobWriter.h"

#include <gtest/gtest.h>

#include "AtomicFile.h"
#include "JobFileSink.h"
#include "Jobscan.h"
#include "ProgramFolder.h"

namespace dotplate {
namespace {

struct Stroke {
    SDPoint from;
    SDPoint to;
};

// A plate of the given size at the given corner, with rows of dots placed by hand.
struct PlateFixture {
    CLgpPlate plate;
    LgpLaserPara laser;

    PlateFixture(double left, double width, double height, std::uint16_t mode) {
        plate.MakeRectOutline(width, height);
        plate.plateOutlines.front()->Move(left, 0);
        plate.CalcPlateExtent();
        plate.dotPara.dotMode = mode;
    }
    void AddRow(double y, std::initializer_list<double> xs, double w = 2, double h = 2) {
        LgpDotRow row;
        for (double x : xs) {
            row.dots.push_back({plate.dotPara.dotMode, x, y, w, h});
        }
        row.CalcBounds();
        plate.dotRows.push_back(row);
    }
    // Corner 3 with the anchor at the bottom left: job coordinates are plate coordinates from its corner.
    LgpDotJob Job() const {
        LgpDotJob job;
        job.plate = &plate;
        job.outlines = &plate.plateOutlines;
        job.laser = laser;
        job.frame = LgpJobFrame::For(plate.extent, 3, 6);
        return job;
    }
};

std::vector<JobCommand> WriteAndRead(const LgpDotJob& job, int* result = nullptr) {
    const auto path = platform::ProgramFile("dots.zint");
    std::filesystem::remove(path);
    motionlink::JobFileSink sink(path);
    std::atomic<double> progress{0.0};
    const int status = WriteDotJob(job, &sink, progress);
    if (result != nullptr) {
        *result = status;
    } else {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(progress.load(), 1.0);
    }
    CDbList<JobCommand> commands;
    std::vector<JobCommand> read;
    if (Zint_ReadZintFile(path.c_str(), &commands, 0) != 0) {
        return read;
    }
    for (auto* node = commands.head->next; node != commands.head; node = node->next) {
        read.push_back(node->value);
    }
    return read;
}

std::vector<Stroke> StrokesOf(const std::vector<JobCommand>& commands) {
    std::vector<Stroke> strokes;
    SDPoint at{};
    for (const JobCommand& command : commands) {
        const SDPoint to{command.a, command.b};
        if (command.kind == JobCommand::Cut) {
            strokes.push_back({at, to});
        }
        if (command.kind == JobCommand::Move || command.kind == JobCommand::Cut) {
            at = to;
        }
    }
    return strokes;
}

void ExpectStrokes(const std::vector<Stroke>& actual, const std::vector<Stroke>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(actual[i].from.x, expected[i].from.x, 0.001);
        EXPECT_NEAR(actual[i].from.y, expected[i].from.y, 0.001);
        EXPECT_NEAR(actual[i].to.x, expected[i].to.x, 0.001);
        EXPECT_NEAR(actual[i].to.y, expected[i].to.y, 0.001);
    }
}

TEST(LgpJobFrameTest, TheCentreAnchorPutsTheOriginInTheMiddleOfThePlate) {
    const LgpJobFrame frame = LgpJobFrame::For({10, 20, 210, 120}, 3, 4);
    const LgpJobBox box = frame.JobBox();
    EXPECT_EQ(box.left, -100.0);
    EXPECT_EQ(box.right, 100.0);
    EXPECT_EQ(box.top, -50.0);
    EXPECT_EQ(box.bottom, 50.0);
    const SDPoint centre = frame.ToJobCoord(110, 70);
    EXPECT_EQ(centre.x, 0.0);
    EXPECT_EQ(centre.y, 0.0);
    // Corner 0 mirrors y: the plate's top edge is the job's top.
    const LgpJobFrame mirrored = LgpJobFrame::For({0, 0, 200, 100}, 0, 0);
    EXPECT_EQ(mirrored.ToJobCoord(0, 100).y, 0.0);
    EXPECT_EQ(mirrored.ToJobCoord(0, 0).y, 100.0);
}

TEST(LgpJobFrameTest, ReverseIntervalsInterpolateAndHoldBeyondTheTable) {
    const std::vector<ReverseIntervalRow> rows = SortedBySpeed({{200, 0.4, 0}, {100, 0.2, 0}});
    const std::pair<double, double> cases[] = {{50, 0.1}, {150, 0.3}, {200, 0.4}, {300, 0.4}, {0, 0.0}};
    for (const auto& [speed, interval] : cases) {
        EXPECT_NEAR(LookupReverseInterval(rows, speed), interval, 1e-12) << speed;
    }
    EXPECT_EQ(LookupReverseInterval({}, 100), 0.0);
}

TEST(LgpJobWriterTest, HorizontalLinesGoBackAndForthRowByRow) {
    PlateFixture fixture(0, 40, 20, kHorizontalLine);
    fixture.AddRow(5, {10, 20});
    fixture.AddRow(8, {});
    fixture.AddRow(10, {10, 20});
    ExpectStrokes(StrokesOf(WriteAndRead(fixture.Job())),
                  {{{9, 5}, {11, 5}}, {{19, 5}, {21, 5}}, {{21, 10}, {19, 10}}, {{11, 10}, {9, 10}}});
}

TEST(LgpJobWriterTest, VerticalLinesRunUpTheFirstColumnAndDownTheNext) {
    PlateFixture fixture(0, 40, 20, kVerticalLine);
    fixture.AddRow(5, {1.0, 2.0});
    fixture.AddRow(10, {1.0});
    ExpectStrokes(StrokesOf(WriteAndRead(fixture.Job())),
                  {{{1, 4}, {1, 6}}, {{1, 9}, {1, 11}}, {{2, 6}, {2, 4}}});
}

TEST(LgpJobWriterTest, TouchingBurnsOnOneRowMergeIntoOneStroke) {
    PlateFixture fixture(0, 40, 20, kEllipse);
    fixture.laser.ellipseToDot = 1;
    fixture.laser.dotTimeMs = 10.0;   // 1 mm at 100 mm/s
    fixture.AddRow(5, {10, 11, 20});  // the first two burns touch
    // A stroke covers its cells of 0.01 mm whole, the last one included, within the row's span.
    ExpectStrokes(StrokesOf(WriteAndRead(fixture.Job())), {{{9.5, 5}, {11.51, 5}}, {{19.5, 5}, {20.5, 5}}});
}

TEST(LgpJobWriterTest, BurningDotsNeedsADotTimeAboveOneMillisecond) {
    PlateFixture fixture(0, 40, 20, kEllipse);
    fixture.laser.ellipseToDot = 1;
    fixture.laser.scanPrecisionDpi = 254;  // 0.1 mm between scan lines
    fixture.AddRow(5, {10});
    fixture.laser.dotTimeMs = 1.0;
    EXPECT_EQ(StrokesOf(WriteAndRead(fixture.Job())).size(), 21u) << "scanned: a line every 0.1 mm across 2 mm";
    fixture.laser.dotTimeMs = 1.01;
    EXPECT_EQ(StrokesOf(WriteAndRead(fixture.Job())).size(), 1u) << "burnt as one dot";
}

TEST(LgpJobWriterTest, ScannedDotsAreCutWhereTheyLieOnAPlateAwayFromZero) {
    PlateFixture fixture(50, 20, 10, kRectangle);
    fixture.laser.scanPrecisionDpi = 254;
    fixture.AddRow(5, {60}, 1, 0.25);
    // The plate starts at x = 50, so the dot at 60 is 10 mm into the job; three scan lines 0.1 mm apart.
    ExpectStrokes(StrokesOf(WriteAndRead(fixture.Job())),
                  {{{9.5, 4.9}, {10.51, 4.9}}, {{10.51, 5.0}, {9.5, 5.0}}, {{9.5, 5.1}, {10.51, 5.1}}});
}

TEST(LgpJobWriterTest, SpeedsAreSentAtLeastAtTheFloorAndZeroUnderTheDefaultSwitch) {
    for (const auto& [speed, defaultSwitch, sent] : {std::tuple{0.005, 0, 0.01}, std::tuple{50.0, 1, 0.0}}) {
        PlateFixture fixture(0, 40, 20, kHorizontalLine);
        fixture.laser.dots.speed = speed;
        fixture.laser.dots.speedDefault = defaultSwitch;
        fixture.AddRow(5, {10});
        const std::vector<JobCommand> commands = WriteAndRead(fixture.Job());
        const auto found = std::find_if(commands.begin(), commands.end(),
                                        [](const JobCommand& command) { return command.kind == JobCommand::Speed; });
        ASSERT_NE(found, commands.end());
        EXPECT_NEAR(found->a, sent, 1e-6);
    }
}

TEST(LgpJobWriterTest, TheOutlineCutFollowsTheOutlinesAndLeavesThePlateAsItWas) {
    PlateFixture fixture(0, 40, 20, kHorizontalLine);
    fixture.laser.outlineCut = 1;
    fixture.AddRow(5, {10});
    const LgpBox before = fixture.plate.extent;
    const std::vector<Stroke> strokes = StrokesOf(WriteAndRead(fixture.Job()));
    ASSERT_EQ(strokes.size(), 1u + 4u);
    EXPECT_EQ(strokes[1].from.x, 0.0);
    EXPECT_EQ(strokes[2].from.x, 40.0);
    EXPECT_EQ(fixture.plate.extent.right, before.right);
}

TEST(LgpJobWriterTest, TheSameJobWrittenTwiceIsTheSameBytes) {
    PlateFixture fixture(0, 40, 20, kRectangle);
    fixture.AddRow(5, {10, 20});
    WriteAndRead(fixture.Job());
    const auto first = platform::ReadWholeFile(platform::ProgramFile("dots.zint"));
    WriteAndRead(fixture.Job());
    EXPECT_EQ(platform::ReadWholeFile(platform::ProgramFile("dots.zint")), first);
}

TEST(LgpJobWriterTest, AJobThatCannotBeFinishedFailsAndLeavesNoFile) {
    PlateFixture fixture(0, 40, 20, kHorizontalLine);
    fixture.AddRow(5, {10});
    const auto path = platform::ProgramFolder() / "missing" / "dots.zint";
    motionlink::JobFileSink sink(path);
    std::atomic<double> progress{0.0};
    EXPECT_EQ(WriteDotJob(fixture.Job(), &sink, progress), 1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(WriteDotJob(fixture.Job(), nullptr, progress), 1) << "no connection is open";
}

}  // namespace
}  // namespace dotplate
