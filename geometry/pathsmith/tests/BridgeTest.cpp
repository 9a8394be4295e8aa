// Zint_Addbridge: the four placements, bridge marks, Beziers and refused patterns.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ContourTestKit.h"
#include "Pathsmith.h"

namespace pathsmith {
namespace {

using testing::Points;

struct Piece {
    int type;
    double length;
};

std::vector<Piece> PiecesOf(const CDbList<CLineEx>& output) {
    std::vector<Piece> pieces;
    for (auto* node = output.head->next; node != output.head; node = node->next) {
        pieces.push_back({node->value.type, std::hypot(node->value.p1.x - node->value.p0.x,
                                                       node->value.p1.y - node->value.p0.y)});
    }
    return pieces;
}

void ExpectPieces(const std::vector<Piece>& actual, const std::vector<Piece>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(actual[index].type, expected[index].type) << "piece " << index;
        EXPECT_NEAR(actual[index].length, expected[index].length, 1e-9) << "piece " << index;
    }
}

short AddBridge(CDbList<CLineEx>& contour, CDbList<CLineEx>& output, int mark, double width, short mode,
                double cut0 = 0, short count = 0, double cut3 = 0, SDPoint point = {},
                double tolerance = 0.1) {
    return Zint_Addbridge(&contour, &output, mark, width, mode, cut0, count, cut3, point.x, point.y,
                          tolerance);
}

TEST(BridgeTest, AlongEverySideOfASquare) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    output.AddTail(CLineEx(100, 100, 200, 200));
    EXPECT_EQ(AddBridge(square, output, 1, 1.0, 0, 3.0), 0);
    std::vector<Piece> expected;
    for (int side = 0; side < 4; ++side) {
        expected.insert(expected.end(), {{0, 3}, {2, 1}, {0, 3}, {2, 1}, {0, 2}});
    }
    ExpectPieces(PiecesOf(output), expected);
}

TEST(BridgeTest, BridgeMarkChoosesThePieceType) {
    for (const auto& [mark, type] : {std::pair{1, 2}, std::pair{0, 1}, std::pair{7, 0}}) {
        CDbList<CLineEx> line, output;
        line.AddTail(CLineEx(0, 0, 5, 0));
        EXPECT_EQ(AddBridge(line, output, mark, 1.0, 0, 2.0), 0);
        ExpectPieces(PiecesOf(output), {{0, 2}, {type, 1}, {0, 2}});
    }
}

TEST(BridgeTest, CutLongerThanEverySegmentCopiesTheSegments) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(AddBridge(square, output, 1, 1.0, 0, 50.0), 0);
    ExpectPieces(PiecesOf(output), {{0, 10}, {0, 10}, {0, 10}, {0, 10}});
}

TEST(BridgeTest, PatternRunsOnOverTheJoints) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(AddBridge(square, output, 0, 2.0, 3, 0, 0, 7.0), 0);
    ExpectPieces(
        PiecesOf(output),
        {{0, 7}, {1, 2}, {0, 1}, {0, 6}, {1, 2}, {0, 2}, {0, 5}, {1, 2}, {0, 3}, {0, 4}, {1, 2}, {0, 4}});
}

TEST(BridgeTest, BridgeCentredOnTheStartPoint) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(AddBridge(square, output, 1, 2.0, 1, 0, 3), 0);
    const std::vector<Piece> pieces = PiecesOf(output);
    ASSERT_GE(pieces.size(), 3u);
    // The contour's last and first millimetre, written last, make one bridge across the start point.
    EXPECT_EQ(pieces[pieces.size() - 2].type, 2);
    EXPECT_NEAR(pieces[pieces.size() - 2].length, 1.0, 1e-9);
    EXPECT_EQ(pieces.back().type, 2);
    EXPECT_NEAR(pieces.back().length, 1.0, 1e-9);
    EXPECT_DOUBLE_EQ(output.head->prev->value.p0.x, 0.0);
    EXPECT_DOUBLE_EQ(output.head->prev->value.p1.x, 1.0);
    double total = 0.0;
    for (const Piece& piece : pieces) {
        total += piece.length;
    }
    EXPECT_NEAR(total, 40.0, 1e-9);
}

TEST(BridgeTest, BridgeAsLongAsTheContourLeavesTheOutputAlone) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    output.AddTail(CLineEx(1, 2, 3, 4));
    EXPECT_EQ(AddBridge(square, output, 1, 40.0, 1, 0, 3), 0);
    ExpectPieces(PiecesOf(output), {{0, std::hypot(2, 2)}});
}

TEST(BridgeTest, PickedPointsAddOneBridgeEach) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(AddBridge(square, output, 1, 2.0, 2, 0, 0, 0, {5, 0.05}), 0);
    ExpectPieces(PiecesOf(output), {{0, 4}, {2, 2}, {0, 4}, {0, 10}, {0, 10}, {0, 10}});
    EXPECT_EQ(AddBridge(square, output, 1, 2.0, 2, 0, 0, 0, {10, 5}), 0);
    ExpectPieces(PiecesOf(output), {{0, 4}, {2, 2}, {0, 4}, {0, 4}, {2, 2}, {0, 4}, {0, 10}, {0, 10}});
    EXPECT_EQ(AddBridge(square, output, 1, 2.0, 2, 0, 0, 0, {5, 5}), -1);
}

TEST(BridgeTest, PickedBridgeSpreadsOverShortSegments) {
    CDbList<CLineEx> polyline, output;
    testing::FillSegments(polyline, {{0, 0}, {10, 0}, {10.3, 0}, {10.6, 0}, {20, 0}}, false);
    EXPECT_EQ(AddBridge(polyline, output, 0, 4.0, 2, 0, 0, 0, {9.5, 0}), 0);
    ExpectPieces(PiecesOf(output), {{0, 7.5}, {1, 2.5}, {1, 0.3}, {1, 0.3}, {0, 9.4}});
}

TEST(BridgeTest, BeziersAreMeasuredAlongTheirArc) {
    // A quarter circle of radius 10 as one Bezier: about 15.7 long.
    const double k = 10 * 0.5522847498;
    CDbList<CLineEx> arc, output;
    arc.AddTail(CLineEx(SDPoint{10, 0}, SDPoint{0, 10}, SDPoint{10, k}, SDPoint{k, 10}));
    EXPECT_EQ(AddBridge(arc, output, 1, 1.0, 0, 20.0), 0);
    ASSERT_EQ(output.GetCount(), 1);
    EXPECT_EQ(output.head->next->value.type, CLineEx::kBezier);

    CDbList<CLineEx> pieces;
    EXPECT_EQ(AddBridge(arc, pieces, 1, 1.0, 0, 6.0), 0);
    const std::vector<Piece> chords = PiecesOf(pieces);
    ASSERT_EQ(chords.size(), 5u);
    const int expectedTypes[] = {3, 2, 3, 2, 3};
    for (std::size_t index = 0; index < chords.size(); ++index) {
        EXPECT_EQ(chords[index].type, expectedTypes[index]);
    }
    EXPECT_NEAR(pieces.head->prev->value.p1.x, 0.0, 1e-12);
    EXPECT_NEAR(pieces.head->prev->value.p1.y, 10.0, 1e-12);
}

TEST(BridgeTest, PatternThatCannotAdvanceIsRefused) {
    struct Case {
        const char* name;
        double width;
        short mode;
        double cut0;
        short count;
        double cut3;
    };
    const Case cases[] = {
        {"mode 0 without cut length", 1.0, 0, 0.0, 0, 0.0},
        {"mode 0 negative cut length", 1.0, 0, -2.0, 0, 0.0},
        {"mode 0 without bridge width", 0.0, 0, 3.0, 0, 0.0},
        {"mode 3 without cut length", 1.0, 3, 0.0, 0, 0.0},
        {"mode 3 negative bridge width", -1.0, 3, 0.0, 0, 3.0},
        {"mode 1 without bridges", 1.0, 1, 0.0, 0, 0.0},
    };
    for (const Case& c : cases) {
        CDbList<CLineEx> square, output;
        testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
        output.AddTail(CLineEx(1, 2, 3, 4));
        EXPECT_EQ(AddBridge(square, output, 1, c.width, c.mode, c.cut0, c.count, c.cut3), 1) << c.name;
        EXPECT_EQ(output.GetCount(), 1) << c.name;
    }
}

TEST(BridgeTest, UnknownModeChangesNothing) {
    CDbList<CLineEx> square, output;
    testing::FillSegments(square, testing::Rectangle(0, 0, 10, 10));
    EXPECT_EQ(AddBridge(square, output, 1, 1.0, 9, 3.0), 0);
    EXPECT_TRUE(output.IsEmpty());
}

}  // namespace
}  // namespace pathsmith
