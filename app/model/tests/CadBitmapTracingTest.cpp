// CCadBitmap outline tracing: a traced disc becomes a regular polygon, open pieces join by the case rule,
// and the grid search joins exactly as the plain walk over every pair does, on the pieces of a dithered
// picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "CadBitmap.h"
#include "CadBitmapJoin.h"
#include "CadBitmapPictures.h"
#include "CadCurve.h"
#include "ElementBuilders.h"
#include "Rasterkit.h"
#include "SettingsRecords.h"

namespace {

// A list that owns its curves.
struct OwnedCurves {
    CDbList<CCadElement*> list;
    ~OwnedCurves() {
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            delete node->value;
        }
    }
    std::vector<CCadCurve*> Curves() const {
        std::vector<CCadCurve*> curves;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            curves.push_back(static_cast<CCadCurve*>(node->value));
        }
        return curves;
    }
};

// The path as its points: the first start, then every end.
std::vector<SDPoint> PathPoints(const CCadCurve& curve) {
    std::vector<SDPoint> points{curve.pathList.head->next->value.start};
    for (auto* node = curve.pathList.head->next; node != curve.pathList.head; node = node->next) {
        points.push_back(node->value.end);
    }
    return points;
}

// A grey picture with its lower-left corner at the origin.
std::unique_ptr<CCadBitmap> MakePicture(int width, int height, int pelsPerMetre,
                                        const std::function<int(int, int)>& grey) {
    std::unique_ptr<CCadBitmap> bitmap = MakeGreyBitmap(width, height, pelsPerMetre, grey);
    bitmap->TransMove(-bitmap->rect.x1, -bitmap->rect.y1);
    return bitmap;
}

TEST(CadBitmapTracing, TracedDiscBecomesARegularPolygonWithinTheTolerance) {
    // 0.05 mm pixels, a disc of 60 pixels (3 mm) radius.
    const std::unique_ptr<CCadBitmap> bitmap = MakePicture(200, 160, 20000, [](int x, int y) {
        return (x - 100) * (x - 100) + (y - 80) * (y - 80) <= 60 * 60 ? 0 : 255;
    });
    OwnedCurves out;
    ASSERT_EQ(bitmap->TraceOutline(0, 1, &out.list, 0x0000FF), 1);
    ASSERT_EQ(out.list.GetCount(), 1);
    const CCadCurve& disc = *out.Curves().front();
    EXPECT_EQ(disc.closed, 1);
    EXPECT_EQ(disc.color, 0x0000FFu);
    ASSERT_EQ(disc.workFlag, 1);
    const double radius = disc.arcFit.radius;
    EXPECT_NEAR(radius, 3.0, 0.1);
    const int sides = static_cast<int>(2 * std::numbers::pi / std::acos(1 - 0.01 / radius));
    EXPECT_EQ(disc.pathList.GetCount(), sides);
    const std::vector<SDPoint> points = PathPoints(disc);
    EXPECT_EQ(points.front().x, points.back().x);
    EXPECT_EQ(points.front().y, points.back().y);
    EXPECT_NEAR(points.front().x, disc.arcFit.start.x, 1e-9);
    EXPECT_NEAR(points.front().y, disc.arcFit.start.y, 1e-9);
    for (const SDPoint& point : points) {
        EXPECT_NEAR(std::hypot(point.x - disc.arcFit.centre.x, point.y - disc.arcFit.centre.y), radius, 1e-9);
    }
    EXPECT_NEAR(disc.arcFit.centre.x, 100.5 * 0.05, 0.05);
}

TEST(CadBitmapTracing, ACircleBelowHalfTheToleranceBecomesTwoSides) {
    const std::unique_ptr<CCadCurve> circle =
        MakeCurve(cutrix::testing::CirclePoints({1, 1}, 0.004, 40), true);
    ASSERT_NE(CCadBitmap::FitArcs(circle.get(), 0.01), 0);
    EXPECT_EQ(circle->pathList.GetCount(), 2);

    // A tolerance of zero would need endless sides: the circle keeps its path.
    const std::unique_ptr<CCadCurve> exact = MakeCurve(cutrix::testing::CirclePoints({1, 1}, 2, 40), true);
    EXPECT_EQ(CCadBitmap::FitArcs(exact.get(), 0.0), 0);
    EXPECT_EQ(exact->pathList.GetCount(), 40);
    EXPECT_EQ(exact->workFlag, 0);

    const std::unique_ptr<CCadCurve> square = MakeSquare({0, 0}, 1);
    const std::vector<SDPoint> before = PathPoints(*square);
    EXPECT_EQ(CCadBitmap::FitArcs(square.get(), 0.01), 0);
    EXPECT_EQ(PathPoints(*square).size(), before.size());
}

TEST(CadBitmapTracing, NothingTracedLeavesAnEmptiedList) {
    const std::unique_ptr<CCadBitmap> blank = MakePicture(40, 40, 20000, [](int, int) { return 255; });
    OwnedCurves out;
    out.list.AddTail(MakeSquare({0, 0}, 1).release());
    EXPECT_EQ(blank->TraceOutline(0, 1, &out.list, 0), 0);
    EXPECT_EQ(out.list.IsEmpty(), 1);
    EXPECT_EQ(blank->TraceOutline(0, 1, nullptr, 0), 0);
}

TEST(CadBitmapTracing, ATraceReplacesTheCurvesOfAnEarlierRun) {
    const auto square = [](int x, int y) { return x >= 10 && x < 30 && y >= 10 && y < 30 ? 0 : 255; };
    OwnedCurves out;
    ASSERT_EQ(MakePicture(40, 40, 20000, square)->TraceOutline(0, 1, &out.list, 0), 1);
    const int first = out.list.GetCount();
    ASSERT_EQ(MakePicture(40, 40, 20000, square)->TraceOutline(0, 1, &out.list, 0), 1);
    EXPECT_EQ(out.list.GetCount(), first);
}

// Pieces A = (0, 0)-(1, 0)-(2, 0) and B joined with a pixel of 0.1 mm (join distance 0.3 mm).
TEST(CadBitmapTracing, OpenPiecesJoinByTheLastCaseWithinTheJoinDistance) {
    struct Case {
        const char* name;
        std::vector<SDPoint> b;
        int curves;
        std::vector<SDPoint> joined;  // the first curve's points afterwards
    };
    const Case cases[] = {
        {"end to start, 2 pixels apart: a bridging segment",
         {{2.2, 0}, {3, 0}},
         1,
         {{0, 0}, {1, 0}, {2, 0}, {2.2, 0}, {3, 0}}},
        {"end to start, 0.005 mm apart: the ends meet",
         {{2.005, 0}, {3, 0}},
         1,
         {{0, 0}, {1, 0}, {2, 0}, {3, 0}}},
        {"4 pixels apart: separate", {{2.4, 0}, {3, 0}}, 2, {{0, 0}, {1, 0}, {2, 0}}},
        {"both ends of B near A's end: end to end wins",
         {{2.1, 0}, {2.1, 0.2}, {2.2, 0.1}},
         1,
         {{0, 0}, {1, 0}, {2, 0}, {2.2, 0.1}, {2.1, 0.2}, {2.1, 0}}},
        {"start to end: B before A", {{-1, 0}, {-0.2, 0}}, 1, {{-1, 0}, {-0.2, 0}, {0, 0}, {1, 0}, {2, 0}}},
        {"start to start: B reversed before A",
         {{-0.2, 0}, {-1, 0}},
         1,
         {{-1, 0}, {-0.2, 0}, {0, 0}, {1, 0}, {2, 0}}},
    };
    for (const Case& c : cases) {
        OwnedCurves curves;
        curves.list.AddTail(MakeCurve({{0, 0}, {1, 0}, {2, 0}}).release());
        curves.list.AddTail(MakeCurve(c.b).release());
        JoinOpenContours(curves.list, 0.3, 0, 1, 0.9);
        ASSERT_EQ(curves.list.GetCount(), c.curves) << c.name;
        const std::vector<SDPoint> points = PathPoints(*curves.Curves().front());
        ASSERT_EQ(points.size(), c.joined.size()) << c.name;
        for (std::size_t index = 0; index < points.size(); ++index) {
            EXPECT_DOUBLE_EQ(points[index].x, c.joined[index].x) << c.name << " point " << index;
            EXPECT_DOUBLE_EQ(points[index].y, c.joined[index].y) << c.name << " point " << index;
        }
        // The rectangle is the union of both pieces' rectangles.
        double lowest = 0.0, highest = 0.0;
        for (const SDPoint& point : c.joined) {
            lowest = std::min(lowest, point.x);
            highest = std::max(highest, point.x);
        }
        EXPECT_DOUBLE_EQ(curves.Curves().front()->rect.x1, lowest) << c.name;
        EXPECT_DOUBLE_EQ(curves.Curves().front()->rect.x2, highest) << c.name;
    }
}

TEST(CadBitmapTracing, AClosedCurveIsNeverJoined) {
    OwnedCurves curves;
    curves.list.AddTail(MakeCurve({{0, 0}, {1, 0}, {2, 0}}).release());
    curves.list.AddTail(MakeCurve({{2.1, 0}, {3, 0}, {3, 1}}, true).release());
    JoinOpenContours(curves.list, 0.3, 0, 1, 0.9);
    EXPECT_EQ(curves.list.GetCount(), 2);
}

// The literal walk: for each open A in list order, the first B of the list that has a case is joined,
// and the search for B starts again from the first curve, until none is left.
void JoinByWalkingEveryPair(CDbList<CCadElement*>& list, double joinDistance) {
    for (auto* aNode = list.head->next; aNode != list.head; aNode = aNode->next) {
        auto& a = *static_cast<CCadCurve*>(aNode->value);
        if (a.closed != 0) {
            continue;
        }
        bool joined = true;
        while (joined) {
            joined = false;
            const CCadRect reach{a.rect.x1 - joinDistance, a.rect.y1 - joinDistance, a.rect.x2 + joinDistance,
                                 a.rect.y2 + joinDistance, 0};
            for (auto* bNode = list.head->next; bNode != list.head; bNode = bNode->next) {
                auto& b = *static_cast<CCadCurve*>(bNode->value);
                if (&b == &a || b.closed != 0 || !b.rect.Meets(reach)) {
                    continue;
                }
                double distance = 0.0;
                const ContourJoin join = ChooseContourJoin(ContourStart(a), ContourEnd(a), ContourStart(b),
                                                           ContourEnd(b), joinDistance, &distance);
                if (join == ContourJoin::None) {
                    continue;
                }
                JoinContours(a, b, join, distance);
                delete &b;
                list.cursor = bNode;
                list.RemoveCurrent();
                joined = true;
                break;
            }
        }
    }
}

// The open pieces Rasterkit traces from an error-diffused grey ramp, placed as tracing places them.
void TraceOpenPieces(CDbList<CCadElement*>& out, double* pixelSize) {
    const std::unique_ptr<CCadBitmap> bitmap =
        MakePicture(360, 240, 2835, [](int x, int y) { return (x * 255 / 359 + y / 4) % 256; });
    ASSERT_EQ(bitmap->ToDot(0, 0, 1), 1);
    *pixelSize = (bitmap->rect.x2 - bitmap->rect.x1) / bitmap->GetWidth();
    CDbList<CFileCurve*> contours;
    ASSERT_EQ(_dib_outline(&bitmap->dib, &contours, bitmap->rect.x2 - bitmap->rect.x1,
                           bitmap->rect.y2 - bitmap->rect.y1),
              0);
    for (auto* node = contours.head->next; node != contours.head; node = node->next) {
        const std::unique_ptr<CFileCurve> contour(node->value);
        auto curve = std::make_unique<CCadCurve>();
        curve->pathList = std::move(contour->segments);
        curve->AutoClose(gFileParaSettings.closeErrorMm, 0);
        curve->CalRect();
        if (curve->closed == 0) {
            out.AddTail(curve.release());
        }
    }
}

TEST(CadBitmapTracing, GridJoinEqualsTheWalkOverEveryPairOnADitheredPicture) {
    OwnedCurves byGrid, byWalk;
    double pixelSize = 0.0;
    TraceOpenPieces(byGrid.list, &pixelSize);
    TraceOpenPieces(byWalk.list, &pixelSize);
    const int pieces = byGrid.list.GetCount();
    ASSERT_GT(pieces, 500);

    JoinOpenContours(byGrid.list, 3 * pixelSize, 0, 1, 0.9);
    JoinByWalkingEveryPair(byWalk.list, 3 * pixelSize);

    const std::vector<CCadCurve*> grid = byGrid.Curves(), walk = byWalk.Curves();
    ASSERT_EQ(grid.size(), walk.size());
    EXPECT_LT(static_cast<int>(grid.size()), pieces);  // joins happened
    for (std::size_t index = 0; index < grid.size(); ++index) {
        const std::vector<SDPoint> gridPoints = PathPoints(*grid[index]), walkPoints = PathPoints(*walk[index]);
        ASSERT_EQ(gridPoints.size(), walkPoints.size()) << "curve " << index;
        for (std::size_t point = 0; point < gridPoints.size(); ++point) {
            ASSERT_EQ(gridPoints[point].x, walkPoints[point].x) << "curve " << index << " point " << point;
            ASSERT_EQ(gridPoints[point].y, walkPoints[point].y) << "curve " << index << " point " << point;
        }
    }
}

// The whole trace of a dithered picture placed away from the origin: every curve has a path within the
// picture's rectangle.
TEST(CadBitmapTracing, DitheredPictureTracesIntoCurvesInsideItsRectangle) {
    const std::unique_ptr<CCadBitmap> bitmap =
        MakePicture(240, 160, 2835, [](int x, int y) { return (x * 255 / 239 + y / 4) % 256; });
    bitmap->TransMove(-30, 12);
    ASSERT_EQ(bitmap->ToDot(0, 0, 1), 1);
    const CCadRect placed = bitmap->rect;
    const double pixel = (placed.x2 - placed.x1) / bitmap->GetWidth();
    OwnedCurves out;
    ASSERT_EQ(bitmap->TraceOutline(0, 1, &out.list, 0), 1);
    ASSERT_GT(out.list.GetCount(), 10);
    for (const CCadCurve* curve : out.Curves()) {
        ASSERT_EQ(curve->pathList.IsEmpty(), 0);
        for (const SDPoint& point : PathPoints(*curve)) {
            EXPECT_TRUE(point.x >= placed.x1 - pixel && point.x <= placed.x2 + pixel && point.y >= placed.y1 - pixel &&
                        point.y <= placed.y2 + pixel);
        }
    }
}

// FNV-1a over the closed flag and every path point of every traced curve, in list order: the trace's
// output, bit for bit.
std::uint64_t HashOfTrace(const OwnedCurves& out) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    auto add = [&hash](const auto& value) {
        unsigned char bytes[sizeof(value)];
        std::memcpy(bytes, &value, sizeof(value));
        for (const unsigned char byte : bytes) {
            hash = (hash ^ byte) * 0x100000001B3ull;
        }
    };
    for (const CCadCurve* curve : out.Curves()) {
        add(curve->closed);
        for (const SDPoint& point : PathPoints(*curve)) {
            add(point.x);
            add(point.y);
        }
    }
    return hash;
}

// Work on the join's speed must not move a single point of the trace of a dithered picture, whose
// thousands of open pieces join into long chains.
TEST(CadBitmapTracing, TraceOfADitheredPictureIsUnchangedBitForBit) {
    const std::unique_ptr<CCadBitmap> bitmap =
        MakePicture(320, 240, 2835, [](int x, int y) { return (x * 255 / 319 + y / 3 + (x * y) % 17) % 256; });
    ASSERT_EQ(bitmap->ToDot(0, 0, 1), 1);
    OwnedCurves out;
    ASSERT_EQ(bitmap->TraceOutline(0, 1, &out.list, 0), 1);
    EXPECT_EQ(HashOfTrace(out), 0x8A4B4F1E3492FC75ull) << std::hex << HashOfTrace(out) << std::dec << " over "
                                        << out.list.GetCount() << " curves";
}

}  // namespace
