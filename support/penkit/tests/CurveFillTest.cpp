#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "DrawExports.h"
#include "QImageBackend.h"
#include "RecordingBackend.h"

using platform::DeviceContext;

namespace {

constexpr platform::ColorRef kWhite = platform::Rgb(255, 255, 255);

// A closed curve of straight segments through the points, in millimetres.
void AddPolygon(CDbList<CFileLine>& curve, std::initializer_list<SDPoint> points) {
    const SDPoint* previous = nullptr;
    for (const SDPoint& point : points) {
        if (previous != nullptr) {
            CFileLine segment;
            segment.start = *previous;
            segment.end = point;
            curve.AddTail(segment);
        }
        previous = &point;
    }
}

// A mapping context of one device pixel per millimetre, and a white pen on a black picture.
class CurveFill : public ::testing::Test {
  protected:
    static constexpr int kSize = 24;

    CurveFill()
        : mapDC(std::make_unique<platform::RecordingBackend>(platform::Size{kSize, kSize})),
          drawDC(std::make_unique<platform::QImageBackend>(platform::Size{kSize, kSize})) {
        mapDC.SetMapMode(platform::MapMode::Isotropic);
        mapDC.SetWindowExt(1000, 1000);
        mapDC.SetViewportExt(1, 1);
        drawDC.SelectObject(platform::Pen::Solid(1, kWhite));
    }

    bool IsFilled(int x, int y) const { return drawDC.GetPixel({x, y}) == kWhite; }

    DeviceContext mapDC;
    DeviceContext drawDC;
};

}  // namespace

// A ring as one closed curve: the outer square, a bridge in, the hole the other way round and the
// bridge back out. The bridge's two edges cancel. Edges count on the rows from their larger y down to
// one above their smaller y; spans cover x1 up to, not including, x2.
//
//   (2,2) +---------------+ (18,2)
//         | \             |
//         |  +-------+    |         filled: x 2..17, y 3..18
//         |  | hole  |    |         hole:   x 6..13, y 7..14
//         |  +-------+    |
//  (2,18) +---------------+ (18,18)
TEST_F(CurveFill, RingFillsExactlyThePixelsBetweenItsSquares) {
    CDbList<CFileLine> ring;
    AddPolygon(
        ring,
        {{2, 2}, {18, 2}, {18, 18}, {2, 18}, {2, 2}, {6, 6}, {6, 14}, {14, 14}, {14, 6}, {6, 6}, {2, 2}});
    _draw_cfill(&mapDC, &drawDC, &ring);

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const bool inOuter = x >= 2 && x <= 17 && y >= 3 && y <= 18;
            const bool inHole = x >= 6 && x <= 13 && y >= 7 && y <= 14;
            EXPECT_EQ(IsFilled(x, y), inOuter && !inHole) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(CurveFill, TwoSegmentsMakeATriangleOneSegmentNothing) {
    CDbList<CFileLine> single;
    AddPolygon(single, {{2, 2}, {20, 20}});
    _draw_cfill(&mapDC, &drawDC, &single);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            ASSERT_FALSE(IsFilled(x, y));
        }
    }

    CDbList<CFileLine> triangle;
    AddPolygon(triangle, {{2, 20}, {20, 20}, {2, 2}});  // closed by the edge back to the first point
    _draw_cfill(&mapDC, &drawDC, &triangle);
    EXPECT_TRUE(IsFilled(4, 18));
    EXPECT_TRUE(IsFilled(16, 19));
    EXPECT_FALSE(IsFilled(16, 8));
}

TEST_F(CurveFill, BezierIsFlattenedInsideItsHull) {
    CFileLine drop;
    drop.type = CFileLine::kBezier;
    drop.start = {12, 2};
    drop.ctrl1 = {30, 22};
    drop.ctrl2 = {-6, 22};
    drop.end = {12, 2};
    CDbList<CFileLine> curve;
    curve.AddTail(drop);
    _draw_cfill(&mapDC, &drawDC, &curve);

    EXPECT_TRUE(IsFilled(12, 12));
    EXPECT_FALSE(IsFilled(12, 1));
    EXPECT_FALSE(IsFilled(2, 12));
    EXPECT_FALSE(IsFilled(12, 21));
}

// A curve reaching a million millimetres off the picture fills the picture without walking the
// billions of rows outside it.
TEST_F(CurveFill, CurveFarBeyondTheSurfaceFillsOnlyTheVisibleRows) {
    CDbList<CFileLine> huge;
    AddPolygon(huge, {{-1e6, -1e6}, {1e6, -1e6}, {1e6, 1e6}, {-1e6, 1e6}, {-1e6, -1e6}});
    _draw_cfill(&mapDC, &drawDC, &huge);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            ASSERT_TRUE(IsFilled(x, y)) << "pixel " << x << ", " << y;
        }
    }
}

TEST_F(CurveFill, SelfCrossingCurveFillsBothLobes) {
    CDbList<CFileLine> bowTie;
    AddPolygon(bowTie, {{2, 2}, {20, 20}, {20, 2}, {2, 20}, {2, 2}});
    _draw_cfill(&mapDC, &drawDC, &bowTie);
    EXPECT_TRUE(IsFilled(4, 11));
    EXPECT_TRUE(IsFilled(18, 11));
    EXPECT_FALSE(IsFilled(11, 4));
    EXPECT_FALSE(IsFilled(11, 18));
}
