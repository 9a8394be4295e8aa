#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "DisplayList.h"
#include "Jobscan.h"
#include "JobLoading.h"
#include "MotionlinkJob.h"
#include "SegmentExpansion.h"
#include "SimscopeTestJobs.h"
#include "StaticRaster.h"
#include "TempHome.h"

namespace simscope {
namespace {

constexpr platform::Size kArea{640, 480};

// The same file as the reader's list form hands it over, one command per record.
PreviewJob ListFormJob(const std::filesystem::path& file, Corner corner) {
    CDbList<JobCommand> list;
    EXPECT_EQ(Zint_ReadZintFile(file.string().c_str(), &list, 0), 0);
    std::vector<JobCommand> commands;
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        commands.push_back(node->value);
    }
    PreviewJob job;
    job.Take(commands, corner, 100.0);
    return job;
}

bool SameBits(double left, double right) {
    return std::bit_cast<std::uint64_t>(left) == std::bit_cast<std::uint64_t>(right);
}

void ExpectSameCommands(const PreviewJob& bulk, const PreviewJob& list) {
    const std::vector<JobCommand> fromBulk = testing::ToVector(bulk);
    const std::vector<JobCommand> fromList = testing::ToVector(list);
    ASSERT_EQ(fromBulk.size(), fromList.size());
    EXPECT_EQ(bulk.CommandCount(), list.CommandCount());
    for (std::size_t index = 0; index < fromBulk.size(); ++index) {
        EXPECT_EQ(fromBulk[index].kind, fromList[index].kind) << index;
        EXPECT_TRUE(SameBits(fromBulk[index].a, fromList[index].a)) << index;
        EXPECT_TRUE(SameBits(fromBulk[index].b, fromList[index].b)) << index;
    }
}

void ExpectSameLabels(const PreviewJob& bulk, const PreviewJob& list) {
    EXPECT_TRUE(SameBits(bulk.Totals().totalSeconds, list.Totals().totalSeconds));
    EXPECT_TRUE(SameBits(bulk.Totals().laserOnSeconds, list.Totals().laserOnSeconds));
    EXPECT_TRUE(SameBits(bulk.Totals().travelMm, list.Totals().travelMm));
    EXPECT_TRUE(SameBits(bulk.Totals().workMm, list.Totals().workMm));
    EXPECT_TRUE(SameBits(bulk.Box().minX, list.Box().minX));
    EXPECT_TRUE(SameBits(bulk.Box().maxX, list.Box().maxX));
    EXPECT_TRUE(SameBits(bulk.Box().minY, list.Box().minY));
    EXPECT_TRUE(SameBits(bulk.Box().maxY, list.Box().maxY));
}

void ExpectSameDisplay(const PreviewJob& bulk, const PreviewJob& list) {
    const DisplayList fromBulk = DisplayList::Build(bulk);
    const DisplayList fromList = DisplayList::Build(list);
    ASSERT_EQ(fromBulk.Points().size(), fromList.Points().size());
    EXPECT_EQ(std::memcmp(fromBulk.Points().data(), fromList.Points().data(),
                          fromBulk.Points().size() * sizeof(DisplayPoint)),
              0);
    EXPECT_EQ(fromBulk.Powers(), fromList.Powers());
    ViewState bulkView;
    FitView(kArea, bulk.Box(), bulkView);
    ViewState listView = bulkView;
    ViewState referenceView = bulkView;
    const QImage reference = PaintJobReference(bulk, kArea, referenceView, PreviewColors{}, "");
    EXPECT_EQ(RenderStaticRaster(fromBulk, kArea, bulkView, PreviewColors{}, ""), reference);
    EXPECT_EQ(PaintJobReference(list, kArea, listView, PreviewColors{}, ""), reference);
}

std::vector<SegmentItem> PlaybackItems(const PreviewJob& job) {
    std::vector<SegmentItem> items;
    EXPECT_TRUE(ExpandJob(job, [] { return 100.0; }, [&items](const SegmentItem& item) {
        items.push_back(item);
        return true;
    }));
    return items;
}

void WriteRampsAndFeedJob() {
    testing::WriteMixedJob();
    Zint_wAxisMove(3, 12.5, 0, 0, 0);
    testing::WriteScanJob(6, 8, 0.5);
}

// Ramped cuts stay one record in the bulk form; every walk of the preview sees them as the list form's
// twenty commands, feed shifts and mirrors included.
TEST(JobLoading, BulkFormPreviewsAsTheListForm) {
    const auto path = testing::WriteJob("ramps.zint", WriteRampsAndFeedJob);
    std::vector<jobscan::JobRecord> records;
    ASSERT_TRUE(LoadJobRecords(path.string(), 0, records));
    ASSERT_TRUE(std::ranges::any_of(records, [](const jobscan::JobRecord& record) {
        return record.kind == jobscan::JobRecord::kPowerRamp;
    }));
    for (const Corner corner : {Corner::TopLeft, Corner::TopRight, Corner::BottomRight, Corner::BottomLeft}) {
        SCOPED_TRACE(static_cast<int>(corner));
        const PreviewJob bulk = testing::LoadedJob(path, corner);
        const PreviewJob list = ListFormJob(path, corner);
        EXPECT_LT(bulk.Records().size(), list.Records().size());
        ExpectSameCommands(bulk, list);
        ExpectSameLabels(bulk, list);
        ExpectSameDisplay(bulk, list);
        EXPECT_EQ(PlaybackItems(bulk), PlaybackItems(list));
    }
}

// A stop asked for in the middle of a ramp's steps ends the walk there.
TEST(JobLoading, PlaybackStopsInsideARamp) {
    const PreviewJob job = testing::LoadedJob(testing::WriteJob("ramp.zint", [] {
        Zint_ExwSetImdPower(10.0, 10.0, 1);
        Zint_ExwSetEndPower(90.0, 90.0, 1);
        Zint_wLineTo(nullptr, nullptr, 50.0, 0.0);
    }));
    std::vector<SegmentItem> items;
    EXPECT_FALSE(ExpandJob(job, [] { return 100.0; }, [&items](const SegmentItem& item) {
        items.push_back(item);
        return items.size() < 7;
    }));
    EXPECT_EQ(items.size(), 7u);
}

TEST(JobLoading, NothingFromAMissingEmptyOrCutFile) {
    std::vector<jobscan::JobRecord> records;
    EXPECT_FALSE(LoadJobRecords("", 0, records));
    EXPECT_FALSE(LoadJobRecords((cutrix::testing::TempHome() / "missing.zint").string(), 0, records));
    EXPECT_FALSE(LoadJobRecords(testing::WriteJob("empty.zint", [] {}).string(), 0, records));
}

}  // namespace
}  // namespace simscope
