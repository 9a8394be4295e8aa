// CCadPoint: drawing, transforms, the hit test, the copy, the record and the PLT output.
#include "CadPoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <numbers>
#include <string>

#include "CadCurve.h"
#include "RecordBytes.h"
#include "TestView.h"

namespace {

using platform::GdiCallKind;

std::unique_ptr<CCadPoint> PointAt(double x, double y) {
    auto point = std::make_unique<CCadPoint>();
    point->x = x;
    point->y = y;
    point->CalRect();
    return point;
}

std::string PltOf(CCadPoint& point) {
    std::FILE* file = std::tmpfile();
    EXPECT_NE(file, nullptr);
    EXPECT_EQ(point.ExportPlt(file), 1);
    std::rewind(file);
    std::string text(64, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

TEST(CadPoint, PltOutputIsAPenUpAndAPenDownAtTheSamePlace) {
    struct Case {
        SDPoint position;
        std::string expected;
    };
    const double huge = std::numeric_limits<double>::max();
    for (const Case& c : {Case{{10, 5}, "PU400 200PD400 200"}, Case{{-0.0125, 0.0249}, "PU0 0PD0 0"},
                          // Saturated, not wrapped into a plausible position.
                          Case{{huge, -huge}, "PU2147483647 -2147483648PD2147483647 -2147483648"},
                          Case{{6e7, 0}, "PU2147483647 0PD2147483647 0"}}) {
        const std::unique_ptr<CCadPoint> pointOwner = PointAt(c.position.x, c.position.y);
    CCadPoint& point = *pointOwner;
        EXPECT_EQ(PltOf(point), c.expected);
    }
    CCadPoint point;
    EXPECT_EQ(point.ExportPlt(nullptr), 0);
}

TEST(CadPoint, TransformsMoveThePositionAndPutTheRectangleOnIt) {
    struct Case {
        const char* name;
        SDPoint from;
        void (*apply)(CCadPoint&);
        SDPoint to;
    };
    const double angle = 0.3;
    const Case cases[] = {
        {"move", {3, 4}, [](CCadPoint& p) { p.TransMove(1, -1); }, {4, 3}},
        {"scale x", {3, 4}, [](CCadPoint& p) { p.TransDrag(2.0, 1.0, 0, 0); }, {6, 4}},
        {"scale 1, 1", {3, 4}, [](CCadPoint& p) { p.TransDrag(1.0, 1.0, 9, 9); }, {3, 4}},
        {"rotate", {1, 0}, [](CCadPoint& p) { p.TransRotate(0, 0, std::numbers::pi / 2); }, {0, 1}},
        {"skew", {0, 2}, [](CCadPoint& p) { p.TransSkew(0, 0, 0.3, 0); }, {-2 * std::tan(angle), 2}},
        {"mirror x", {3, 4}, [](CCadPoint& p) { p.XMirror(5); }, {7, 4}},
        {"mirror y", {3, 4}, [](CCadPoint& p) { p.YMirror(1); }, {3, -2}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadPoint> pointOwner = PointAt(c.from.x, c.from.y);
    CCadPoint& point = *pointOwner;
        c.apply(point);
        EXPECT_NEAR(point.x, c.to.x, 1e-12) << c.name;
        EXPECT_NEAR(point.y, c.to.y, 1e-12) << c.name;
        EXPECT_NEAR(point.rect.x1, c.to.x, 1e-12) << c.name;
        EXPECT_NEAR(point.rect.y2, c.to.y, 1e-12) << c.name;
    }
}

TEST(CadPoint, DrawnAsATwoPixelCircleWiderWhenSelectedDottedInModeOne) {
    struct Case {
        int selected;
        std::uint16_t mode;
        platform::Pen pen;
    };
    const platform::ColorRef colour = platform::Rgb(0, 160, 0);
    for (const Case& c : {Case{0, 0, platform::Pen::Solid(1, colour)}, Case{1, 0, platform::Pen::Solid(2, colour)},
                          Case{0, 1, platform::Pen::Styled(platform::PenStyle::Dot, 1, colour)}}) {
        TestView view = TestView::Recording();
        const std::unique_ptr<CCadPoint> pointOwner = PointAt(10, 5);
    CCadPoint& point = *pointOwner;
        point.color = colour;
        point.SetSelect(c.selected);
        point.Draw(&view.mapDC, &view.drawDC, CCadRect(0, 0, 40, 40, 0), 0, 0, c.mode);
        const auto& calls = view.Calls();
        // A move to the rightmost point, so that the arc's lead-in line has no length, then the circle.
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[0].points[0], (platform::Point{102, 350}));
        EXPECT_EQ(calls[1].points[0], calls[1].points[1]);
        ASSERT_EQ(calls[2].kind, GdiCallKind::Arc);
        EXPECT_EQ(calls[2].arc.bounds, (platform::Rect{98, 348, 103, 353}));
        EXPECT_EQ(calls[2].state.pen, c.pen);
        EXPECT_EQ(view.drawDC.CurrentPen(), platform::Pen{});
    }
}

TEST(CadPoint, PaintedCircleLiesAroundThePointAndNothingOutsideTheView) {
    TestView view = TestView::Painting();
    const std::unique_ptr<CCadPoint> pointOwner = PointAt(10, 5);
    CCadPoint& point = *pointOwner;
    point.Draw(&view.mapDC, &view.drawDC, CCadRect(0, 0, 40, 40, 0), 0, 0, 0);
    EXPECT_EQ(view.ColourAtPixel({102, 350}), 0u);
    EXPECT_EQ(view.ColourAtPixel({100, 350}), platform::Rgb(255, 255, 255));

    TestView outside = TestView::Recording();
    point.Draw(&outside.mapDC, &outside.drawDC, CCadRect(11, 0, 40, 40, 0), 0, 0, 0);
    point.Draw(&outside.mapDC, &outside.drawDC, CCadRect(0, 0, 40, 40, 0), 50, 0, 0);
    EXPECT_TRUE(outside.Calls().empty());
}

TEST(CadPoint, HitsWithinThreePixels) {
    TestView view = TestView::Recording();  // 3 pixels are 300 logical units
    const std::unique_ptr<CCadPoint> pointOwner = PointAt(10, 5);
    CCadPoint& point = *pointOwner;
    EXPECT_EQ(point.HitTest(10300, 5000, &view.mapDC), 1);
    EXPECT_EQ(point.HitTest(10301, 5000, &view.mapDC), 0);
}

TEST(CadPoint, CopyTakesPositionColourAndLayerFromAPointOnly) {
    const std::unique_ptr<CCadPoint> sourceOwner = PointAt(1, 2);
    CCadPoint& source = *sourceOwner;
    source.color = 0x123456;
    CCadPoint copy;
    CCadCurve curve;
    EXPECT_EQ(copy.CopyFrom(&curve, 0, 0), 0);
    EXPECT_EQ(copy.CopyFrom(nullptr, 0, 0), 0);
    ASSERT_EQ(copy.CopyFrom(&source, 0.5, -1), 1);
    EXPECT_DOUBLE_EQ(copy.x, 1.5);
    EXPECT_DOUBLE_EQ(copy.y, 1);
    EXPECT_EQ(copy.color, 0x123456u);
    EXPECT_DOUBLE_EQ(copy.rect.x1, 1.5);
}

TEST(CadPointRecord, BaseRecordThenXAndYAndTheRectangleFollowsThePoint) {
    const std::unique_ptr<CCadPoint> pointOwner = PointAt(2.5, -4);
    CCadPoint& point = *pointOwner;
    point.name = "P";
    point.color = 0xFF;
    RecordBytes expected;
    expected.U16(3).ShortString("P").U32(1).U32(0xFF).F64(2.5).F64(2.5).F64(-4).F64(-4).F64(2.5).F64(-4);
    EXPECT_EQ(StoredBytes(point), expected.Bytes());

    RecordBytes stored;
    stored.U16(3).ShortString("").U32(1).U32(0xFF).F64(0).F64(100).F64(0).F64(100).F64(7).F64(8);
    CCadPoint loaded;
    platform::Archive archive = stored.ForLoading();
    loaded.Serialize(archive);
    EXPECT_DOUBLE_EQ(loaded.rect.x1, 7);
    EXPECT_DOUBLE_EQ(loaded.rect.x2, 7);
    EXPECT_DOUBLE_EQ(loaded.rect.y2, 8);
}

TEST(CadPointRecord, ShortOrNonFiniteRecordLeavesThePoint) {
    const std::unique_ptr<CCadPoint> pointOwner = PointAt(1, 1);
    CCadPoint& point = *pointOwner;
    std::vector<std::uint8_t> bytes = StoredBytes(point);
    const std::unique_ptr<CCadPoint> targetOwner = PointAt(9, 9);
    CCadPoint& target = *targetOwner;
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        platform::Archive archive = platform::Archive::ForLoading({bytes.begin(), bytes.begin() + cut});
        EXPECT_THROW(target.Serialize(archive), platform::ArchiveError);
    }
    RecordBytes nan;
    nan.U16(3).ShortString("").U32(1).U32(0).F64(0).F64(0).F64(0).F64(0).F64(std::nan("")).F64(0);
    platform::Archive archive = nan.ForLoading();
    EXPECT_THROW(target.Serialize(archive), platform::ArchiveError);
    EXPECT_DOUBLE_EQ(target.x, 9);
}

}  // namespace
