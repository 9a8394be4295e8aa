// CCadMgr::OffsetSelection: the three modes, merging of overlapping results, and which sources go.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"

namespace {

class Offset : public CadMgrFixture {
  protected:
    CCadCurve* SelectSquare(double x, double y, double size) {
        CCadCurve* curve = AddSquare(x, y, size);
        manager->AddToSelection(curve);
        return curve;
    }
    static double Width(const CCadElement* element) { return element->rect.x2 - element->rect.x1; }
    std::vector<double> SelectedWidths() const {
        std::vector<double> widths;
        for (CCadElement* element : Selected()) {
            widths.push_back(std::round(Width(element) * 1000) / 1000);
        }
        std::sort(widths.begin(), widths.end());
        return widths;
    }
};

TEST_F(Offset, ModesChooseTheSide) {
    struct Case {
        std::uint16_t mode;
        std::uint16_t storedMode;
        std::vector<double> widths;  // of the new curves, ascending
    };
    // A ring: a 40 mm square holding a 10 mm one; offset by 1 mm.
    for (const Case& c : std::vector<Case>{{0, 0, {8, 38}}, {1, 1, {12, 42}}, {2, 2, {8, 42}}, {5, 2, {8, 42}}}) {
        manager->DeleteAll();
        manager->offsetDistance = 1.0;
        manager->offsetWord = c.mode;
        SelectSquare(0, 0, 40);
        SelectSquare(15, 15, 10);
        manager->OffsetSelection();
        EXPECT_EQ(manager->offsetWord, c.storedMode);
        EXPECT_EQ(SelectedWidths(), c.widths) << "mode " << c.mode;
        EXPECT_EQ(Elements().size(), 4u) << "mode " << c.mode;
    }
}

TEST_F(Offset, OverlappingResultsMergeAndOnlyCurvesTakePart) {
    manager->offsetDistance = 2.0;
    manager->offsetWord = 1;
    SelectSquare(0, 0, 10);
    SelectSquare(13, 3, 10);  // grown by 2 mm each, their outlines cross
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(MakeSquare({100, 100}, 5).release());
    manager->AddToSelection(Add(std::move(group)));
    manager->OffsetSelection();
    EXPECT_EQ(SelectedWidths(), std::vector<double>{27});
    EXPECT_EQ(Elements().size(), 4u);
    EXPECT_EQ(static_cast<CCadCurve*>(Selected()[0])->closed, 1);
}

// Deleting the sources took every selected element, also curves that gave no contour, which were lost.
TEST_F(Offset, DeleteSourceRemovesOnlyCurvesThatGaveAContour) {
    manager->offsetDistance = 3.0;
    manager->offsetWord = 0;
    manager->offsetOption = 1;
    SelectSquare(0, 0, 20);
    CCadCurve* tooSmall = SelectSquare(50, 0, 4);  // shrinks away
    manager->OffsetSelection();
    ASSERT_EQ(Elements().size(), 2u);
    EXPECT_EQ(Elements()[0], tooSmall);
    EXPECT_EQ(SelectedWidths(), std::vector<double>{14});
}

TEST_F(Offset, NothingSelectedOrNoCurveDoesNothing) {
    manager->OffsetSelection();
    manager->AddToSelection(Add(MakePoint(1, 1)));
    manager->OffsetSelection();
    EXPECT_EQ(owner.Repaints(), 0);
    EXPECT_EQ(Elements().size(), 1u);
}

}  // namespace
