// The exchange records: their defaults, and that the curve and bitmap records never share what they own.
#include "FileDraw.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "GeometryTestHelpers.h"

namespace {

using cutrix::testing::Line;

TEST(FileDraw, NewRecordsCarryTheirTypeAndDefaults) {
    const CFileCurve curve;
    EXPECT_EQ(curve.type, CFileDraw::kCurve);
    EXPECT_EQ(curve.segments.IsEmpty(), 1);
    EXPECT_EQ(curve.segments.head->next, curve.segments.head);
    EXPECT_EQ(curve.extra, 0);

    const CFileDib dib;
    EXPECT_EQ(dib.type, CFileDraw::kBitmap);
    EXPECT_TRUE(dib.dib.IsEmpty());
    EXPECT_DOUBLE_EQ(dib.m11, 25.4 / 72);
    EXPECT_DOUBLE_EQ(dib.m22, 25.4 / 72);
    EXPECT_DOUBLE_EQ(dib.m12, 0.0);
    EXPECT_DOUBLE_EQ(dib.m21, 0.0);
    EXPECT_DOUBLE_EQ(dib.dx, 0.0);
    EXPECT_DOUBLE_EQ(dib.dy, 0.0);

    const CFilePoint point;
    EXPECT_EQ(point.type, CFileDraw::kPoint);
    EXPECT_DOUBLE_EQ(point.x, 0.0);
    EXPECT_DOUBLE_EQ(point.y, 0.0);
    EXPECT_EQ(point.value, 0);
}

// A copied curve or bitmap record used to share the list head or the bitmap handle with its source, and
// both records freed it. The records are move-only now, so exactly one record ever owns each.
TEST(FileDraw, SharedSegmentsOrBitmapCannotBeFreedTwice) {
    static_assert(!std::is_copy_constructible_v<CFileCurve> && !std::is_copy_assignable_v<CFileCurve>);
    static_assert(!std::is_copy_constructible_v<CFileDib> && !std::is_copy_assignable_v<CFileDib>);
    static_assert(std::is_nothrow_move_constructible_v<CFileCurve> &&
                  std::is_nothrow_move_assignable_v<CFileDib>);

    CFileCurve source;
    source.segments.AddTail(Line({0, 0}, {1, 1}));
    source.extra = 5;
    CFileCurve target;
    target.segments.AddTail(Line({9, 9}, {8, 8}));
    target = std::move(source);
    ASSERT_EQ(target.segments.GetCount(), 1);
    EXPECT_DOUBLE_EQ(target.segments.head->next->value.end.x, 1.0);
    EXPECT_EQ(target.extra, 5);
    EXPECT_EQ(source.segments.IsEmpty(), 1);
    EXPECT_EQ(source.segments.AddTail(Line({0, 0}, {2, 2})), 0);  // the source holds nothing any more

    CFileDib bitmap;
    bitmap.dib = platform::DibBlock::CreateBlank(4, 4, 24).value();
    bitmap.dx = 3.0;
    CFileDib moved(std::move(bitmap));
    EXPECT_FALSE(moved.dib.IsEmpty());
    EXPECT_DOUBLE_EQ(moved.dx, 3.0);
    EXPECT_TRUE(bitmap.dib.IsEmpty());
}

TEST(FileDraw, DeletingThroughTheHeaderDestroysTheWholeRecord) {
    std::unique_ptr<CFileDraw> record = std::make_unique<CFileCurve>();
    static_cast<CFileCurve*>(record.get())->segments.AddTail(Line({0, 0}, {1, 1}));
    record.reset();  // the leak checker reports the segment node if the curve's list were not freed

    std::unique_ptr<CFileDraw> bitmap = std::make_unique<CFileDib>();
    static_cast<CFileDib*>(bitmap.get())->dib = platform::DibBlock::CreateBlank(2, 2, 8).value();
    bitmap.reset();
}

TEST(FileDraw, AssigningAPointCopiesEveryField) {
    CFilePoint source;
    source.x = 1.5;
    source.y = -2.0;
    source.value = 3;
    CFilePoint target;
    target = source;
    EXPECT_EQ(target.type, CFileDraw::kPoint);
    EXPECT_DOUBLE_EQ(target.x, 1.5);
    EXPECT_DOUBLE_EQ(target.y, -2.0);
    EXPECT_EQ(target.value, 3);
}

}  // namespace
