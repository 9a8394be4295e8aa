// CCadMgr: the transforms of the selection as a whole, their selection-size limits and what they post.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CadMgrFixture.h"

namespace {

class Transforms : public CadMgrFixture {
  protected:
    // Selects new squares (x, y, size) in the given order.
    std::vector<CCadCurve*> SelectSquares(const std::vector<std::array<double, 3>>& squares) {
        std::vector<CCadCurve*> curves;
        for (const auto& [x, y, size] : squares) {
            curves.push_back(AddSquare(x, y, size));
            manager->AddToSelection(curves.back());
        }
        return curves;
    }
    // Lower-left corners of the curves.
    static std::vector<std::pair<double, double>> LowerLeft(const std::vector<CCadCurve*>& curves) {
        std::vector<std::pair<double, double>> corners;
        for (const CCadCurve* curve : curves) {
            corners.emplace_back(std::round(curve->rect.x1 * 1e6) / 1e6,
                                 std::round(curve->rect.y1 * 1e6) / 1e6);
        }
        return corners;
    }
};

using Corners = std::vector<std::pair<double, double>>;

TEST_F(Transforms, AlignmentsMoveToTheLastSelected) {
    struct Case {
        const char* name;
        void (CCadMgr::*command)();
        Corners expected;
    };
    const std::vector<Case> cases = {
        {"left", &CCadMgr::AlignLeft, {{30, 0}, {30, 40}}},
        {"right", &CCadMgr::AlignRight, {{30, 0}, {30, 40}}},
        {"top", &CCadMgr::AlignTop, {{0, 40}, {30, 40}}},
        {"bottom", &CCadMgr::AlignBottom, {{0, 40}, {30, 40}}},
        {"vertical centre", &CCadMgr::AlignVertCenter, {{30, 0}, {30, 40}}},
        {"horizontal centre", &CCadMgr::AlignHorzCenter, {{0, 40}, {30, 40}}},
        {"page centre", &CCadMgr::AlignPageCenter, {{595, 395}, {595, 395}}},
    };
    for (const Case& c : cases) {
        manager->DeleteAll();
        const std::vector<CCadCurve*> curves = SelectSquares({{0, 0, 10}, {30, 40, 10}});
        owner.Clear();
        (manager.get()->*c.command)();
        EXPECT_EQ(LowerLeft(curves), c.expected) << c.name;
        EXPECT_EQ(PostedMessages(),
                  (std::vector<std::uint32_t>{kDrawingModifiedMessage, kSelectionMovedMessage}))
            << c.name;
    }
}

TEST_F(Transforms, TooSmallSelectionsChangeNothing) {
    const std::vector<CCadCurve*> one = SelectSquares({{0, 0, 10}, {30, 0, 10}});
    manager->RemoveFromSelection(one[1]);
    for (auto command : {&CCadMgr::AlignLeft, &CCadMgr::AlignTop, &CCadMgr::SameWidth, &CCadMgr::SameSize,
                         &CCadMgr::SpaceHorizontally, &CCadMgr::SpaceVertically}) {
        (manager.get()->*command)();
    }
    manager->RotateSelection(0.0);
    manager->RotateSelection(std::nan(""));
    EXPECT_EQ(LowerLeft(one), (Corners{{0, 0}, {30, 0}}));
    EXPECT_TRUE(PostedMessages().empty());
}

TEST_F(Transforms, SpacingGivesEqualGapsWhateverTheSelectionOrder) {
    for (bool rightToLeft : {false, true}) {
        manager->DeleteAll();
        std::vector<std::array<double, 3>> squares = {{0, 0, 10}, {12, 0, 10}, {40, 0, 10}};
        if (rightToLeft) {
            std::reverse(squares.begin(), squares.end());
        }
        std::vector<CCadCurve*> curves = SelectSquares(squares);
        manager->SpaceHorizontally();
        if (rightToLeft) {
            std::reverse(curves.begin(), curves.end());
        }
        EXPECT_EQ(LowerLeft(curves), (Corners{{0, 0}, {20, 0}, {40, 0}})) << rightToLeft;
    }
}

TEST_F(Transforms, SizesFollowTheLastSelected) {
    // A horizontal line has no height: Same Size scales it in x alone.
    CCadCurve* line = Add(MakeCurve({{0, 0}, {5, 0}}));
    const std::vector<CCadCurve*> squares = SelectSquares({{20, 0, 10}});
    manager->ClearSelection();
    manager->AddToSelection(line);
    manager->AddToSelection(squares[0]);
    manager->SameSize();
    EXPECT_NEAR(line->rect.x2 - line->rect.x1, 10.0, 1e-9);
    EXPECT_NEAR(line->rect.y2 - line->rect.y1, 0.0, 1e-9);
    EXPECT_NEAR(line->rect.x1, -2.5, 1e-9);  // about its own centre
}

TEST_F(Transforms, CornerMovesBringTheSelectionToThePageCorners) {
    struct Case {
        void (CCadMgr::*command)();
        std::pair<double, double> corner;
    };
    for (const Case& c : std::vector<Case>{{&CCadMgr::MoveSelectionToTopLeft, {0, 790}},
                                           {&CCadMgr::MoveSelectionToTopRight, {1190, 790}},
                                           {&CCadMgr::MoveSelectionToBottomRight, {1190, 0}},
                                           {&CCadMgr::MoveSelectionToBottomLeft, {0, 0}}}) {
        manager->DeleteAll();
        const std::vector<CCadCurve*> curves = SelectSquares({{100, 100, 10}});
        owner.Clear();
        (manager.get()->*c.command)();
        EXPECT_EQ(LowerLeft(curves), Corners{c.corner});
        EXPECT_EQ(PostedMessages(),
                  (std::vector<std::uint32_t>{kDrawingModifiedMessage, kSelectionMovedMessage}));
    }
}

TEST_F(Transforms, MirrorAndRotateKeepTheSelectionsPlace) {
    const std::vector<CCadCurve*> curves = SelectSquares({{0, 0, 10}, {30, 0, 10}});
    owner.Clear();
    manager->MirrorSelectionHorz();
    EXPECT_EQ(LowerLeft(curves), (Corners{{30, 0}, {0, 0}}));
    // A mirror that did not report itself was no undo step: an undo after it took the step before too.
    EXPECT_EQ(PostedMessages(),
              (std::vector<std::uint32_t>{kDrawingModifiedMessage, kSelectionMovedMessage}));
    owner.Clear();
    manager->RotateSelection(std::numbers::pi);
    EXPECT_EQ(LowerLeft(curves), (Corners{{0, 0}, {30, 0}}));
    EXPECT_EQ(PostedMessages(), std::vector<std::uint32_t>{kDrawingModifiedMessage});
}

TEST_F(Transforms, ScaleToSizeMovesAllButScalesOnlyBitmaps) {
    CCadCurve* curve = AddSquare(0, 0, 10);
    CCadBitmap* bitmap = Add(MakeBitmap(10, 10, {15, 5}));
    manager->AddToSelection(curve);
    manager->AddToSelection(bitmap);
    const double bitmapWidth = bitmap->rect.x2 - bitmap->rect.x1;
    manager->ScaleSelectionToSize(100, 100, 0.0005, 0.0005);  // too small: factors 1, moved only
    EXPECT_NEAR(curve->rect.x2 - curve->rect.x1, 10.0, 1e-9);
    EXPECT_NEAR(bitmap->rect.x2 - bitmap->rect.x1, bitmapWidth, 1e-9);
    EXPECT_NEAR((curve->rect.y1 + curve->rect.y2) * 0.5, 100.0, 1e-6);
}

}  // namespace
