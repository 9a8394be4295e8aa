#include "LgpJobSender.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "JobMemorySink.h"
#include "LgpJobWriter.h"

namespace dotplate {
namespace {

// The stored bytes of a real dot job: a 200 × 200 plate of ellipse dots scanned line by line, so
// that commands of many lengths follow one another.
std::vector<std::uint8_t> DotJobBytes() {
    CLgpPlate plate;
    plate.MakeRectOutline(200, 200);
    LgpDotPara dots;
    dots.dotMode = kEllipse;
    plate.Generate(dots, LgpShapePara{});
    LgpDotJob job;
    job.plate = &plate;
    job.outlines = &plate.plateOutlines;
    job.frame = LgpJobFrame::For(plate.extent, 3, 6);
    motionlink::JobMemorySink sink;
    std::atomic<double> progress{0.0};
    EXPECT_EQ(WriteDotJob(job, &sink, progress), 0);
    return sink.Bytes();
}

struct RecordedWrites {
    std::vector<std::vector<std::uint8_t>> writes;
    int failAt = -1;  // the write that fails, counted from 0

    LgpJobSender Sender() {
        return LgpJobSender([this](const std::uint8_t* data, std::uint32_t length) -> std::uint16_t {
            if (static_cast<int>(writes.size()) == failAt) {
                return 1;
            }
            writes.emplace_back(data, data + length);
            return 0;
        });
    }
};

TEST(LgpJobSenderTest, AJobFileInFileSizedChunksReachesThePortWholeAndNeverSplitsACommand) {
    const std::vector<std::uint8_t> job = DotJobBytes();
    ASSERT_GT(job.size(), 20000u);
    for (std::size_t chunk : {std::size_t{1024}, std::size_t{1000}, std::size_t{7}}) {
        SCOPED_TRACE(chunk);
        RecordedWrites port;
        LgpJobSender sender = port.Sender();
        for (std::size_t at = 0; at < job.size(); at += chunk) {
            ASSERT_EQ(sender.Send(job.data() + at, std::min(chunk, job.size() - at)), 0);
        }
        ASSERT_EQ(sender.Flush(), 0);
        std::vector<std::uint8_t> joined;
        for (const auto& write : port.writes) {
            ASSERT_FALSE(write.empty());
            EXPECT_LE(write.size(), LgpJobSender::kMaxWrite);
            EXPECT_TRUE(IsCommandStart(write.front()));
            joined.insert(joined.end(), write.begin(), write.end());
        }
        EXPECT_EQ(joined, job);
        EXPECT_GT(port.writes.size(), job.size() / LgpJobSender::kMaxWrite);
    }
}

TEST(LgpJobSenderTest, AFailedPortWriteStopsTheSending) {
    const std::vector<std::uint8_t> job = DotJobBytes();
    RecordedWrites port;
    port.failAt = 2;
    LgpJobSender sender = port.Sender();
    int result = 0;
    std::size_t at = 0;
    for (; at < job.size() && result == 0; at += 1024) {
        result = sender.Send(job.data() + at, std::min<std::size_t>(1024, job.size() - at));
    }
    EXPECT_EQ(result, 1);
    EXPECT_EQ(port.writes.size(), 2u);
    EXPECT_LT(at, job.size());
}

TEST(LgpJobSenderTest, ResetDropsWhatAnEarlierFileLeftStaged) {
    const std::vector<std::uint8_t> job = DotJobBytes();
    RecordedWrites port;
    LgpJobSender sender = port.Sender();
    ASSERT_EQ(sender.Send(job.data(), 100), 0);
    sender.Reset();
    ASSERT_EQ(sender.Send(job.data(), 50), 0);
    ASSERT_EQ(sender.Flush(), 0);
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0], std::vector<std::uint8_t>(job.begin(), job.begin() + 50));
    EXPECT_EQ(sender.Flush(), 0);
    EXPECT_EQ(port.writes.size(), 1u);
}

}  // namespace
}  // namespace dotplate
