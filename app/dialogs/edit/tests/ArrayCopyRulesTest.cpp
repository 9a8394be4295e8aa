#include "ArrayCopyRules.h"

#include <gtest/gtest.h>

#include "CadMgrFixture.h"

namespace {

using namespace dialogs::edit;

TEST(ArrayCopyRulesTest, CountsAreBroughtIntoWhatTheCopyTakes) {
    struct Case {
        const char* typed;
        std::uint16_t count;
    };
    // 70000 held in 16 bits would be 4464 copies.
    for (const Case c : {Case{"0", 1}, Case{"-3", 1}, Case{"abc", 1}, Case{"", 1}, Case{"7", 7}, Case{"12x", 12},
                         Case{"65535", 65535}, Case{"70000", 65535}}) {
        EXPECT_EQ(ReadArrayCount(c.typed), c.count) << c.typed;
    }
}

TEST(ArrayCopyRulesTest, SpacingNeverLetsCopiesPassEachOtherAndRoundsToThousandths) {
    struct Case {
        double typedMm;
        double extentMm;
        double spacingMm;
    };
    for (const Case c : {Case{-30, 20, -20.0}, Case{1.23456, 20, 1.235}, Case{-1.2346, 20, -1.235},
                         Case{0.0005, 20, 0.001}, Case{-0.0005, 20, -0.001}, Case{-20, 20, -20.0}, Case{5, 0, 5.0}}) {
        EXPECT_NEAR(ArraySpacing(c.typedMm, c.extentMm), c.spacingMm, 1e-12) << c.typedMm;
    }
}

TEST(ArrayCopyRulesTest, DirectionSetsTheSignsOfTheStepsAndCyclesThroughFour) {
    const CCadRect selection(0, 0, 20, 10, 1);
    struct Case {
        std::uint16_t stored;
        double dx, dy;
        std::uint16_t next;
    };
    for (const Case c : {Case{0, 25, -10, 1}, Case{1, -25, -10, 2}, Case{2, -25, 10, 3}, Case{3, 25, 10, 0},
                         Case{9, 25, 10, 0}}) {
        const ArrayDirection direction = ArrayDirection::FromStored(c.stored);
        const ArraySteps steps = StepsOf(selection, 5, 0, direction);
        EXPECT_DOUBLE_EQ(steps.dx, c.dx) << c.stored;
        EXPECT_DOUBLE_EQ(steps.dy, c.dy) << c.stored;
        EXPECT_EQ(direction.Next().value, c.next);
    }
}

TEST(ArrayCopyRulesTest, FillCountsDivideTheAreaByTheSteps) {
    struct Case {
        double areaX, areaY;
        CCadRect selection;
        double xSpacing, ySpacing;
        std::uint16_t columns, rows;
    };
    const Case cases[] = {
        {100, 100, CCadRect(0, 0, 20, 10, 1), 5, 0, 4, 10},
        {100, 100, CCadRect(0, 0, 0, 10, 1), 0, 0, 10, 10},   // zero column step leaves 10
        {10, 5, CCadRect(0, 0, 20, 10, 1), 0, 0, 1, 1},       // area smaller than the selection
        {1e9, 100, CCadRect(0, 0, 1, 10, 1), 0, 0, 65535, 10},  // more than the copy takes
    };
    for (const Case& c : cases) {
        const ArrayCounts counts = FillCounts(c.areaX, c.areaY, c.selection, c.xSpacing, c.ySpacing);
        EXPECT_EQ(counts.columns, c.columns) << c.areaX;
        EXPECT_EQ(counts.rows, c.rows) << c.areaX;
    }
}

class ArraySelectionTest : public CadMgrFixture {};

TEST_F(ArraySelectionTest, ArraysLeaveASelectionOfSeveralElements) {
    AddSquare(0, 0, 10);
    manager->SelectAll();
    manager->ArrayCopySelection(2, 1, 15, 0, 0, 0);
    AddSquare(50, 0, 10);
    manager->SelectAll();
    ASSERT_TRUE(PrepareArraySelection(*manager));
    for (CCadElement* element : Selected()) {
        EXPECT_NE(element->typeCode, kArrayElement);
    }
    manager->ClearSelection();
    EXPECT_FALSE(PrepareArraySelection(*manager));
}

}  // namespace
