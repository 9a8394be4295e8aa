// CCadArray: the frame, drawing of virtual cells with the Show Array switch on and off, the hit test,
// the transforms, the copy, the array record and the expansion into cell groups.
#include "CadArray.h"

#include <gtest/gtest.h>

#include <numbers>
#include <tuple>

#include "CadMgr.h"
#include "ElementBuilders.h"
#include "RecordBytes.h"
#include "TestView.h"

namespace {

using platform::GdiCallKind;

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(rect.x1, x1, 1e-9);
    EXPECT_NEAR(rect.y1, y1, 1e-9);
    EXPECT_NEAR(rect.x2, x2, 1e-9);
    EXPECT_NEAR(rect.y2, y2, 1e-9);
}

// An array whose cell is one 10 x 4 mm rectangle curve at (0, 0).
std::unique_ptr<CCadArray> MakeArray(std::int32_t columns, std::int32_t rows, std::uint16_t direction,
                                     double columnSpacing = 2, double rowSpacing = 1) {
    auto array = std::make_unique<CCadArray>();
    array->children.AddTail(MakeCurve({{0, 0}, {10, 0}, {10, 4}, {0, 4}}, true).release());
    array->columnCount = columns;
    array->rowCount = rows;
    array->direction = direction;
    array->columnSpacing = columnSpacing;
    array->rowSpacing = rowSpacing;
    array->CalRect();
    return array;
}

TEST(CadArrayFrame, IsTheExactUnionOfTheCells) {
    struct Case {
        const char* name;
        std::int32_t columns, rows;
        std::uint16_t direction;
        double rowDislocation, columnDislocation;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {"1 x 1", 1, 1, 3, 5, 0, 0, 0, 10, 4},
        {"3 x 2 growing up right", 3, 2, 3, 0, 0, 0, 0, 34, 9},
        {"3 x 2 growing down left", 3, 2, 1, 0, 0, -24, -5, 10, 4},
        {"3 x 2 growing down right", 3, 2, 0, 0, 0, 0, -5, 34, 4},
        {"odd rows shifted right", 3, 2, 3, 5, 0, 0, 0, 39, 9},
        {"odd columns shifted down", 3, 2, 3, 0, -3, 0, -3, 34, 9},
        // With one row there is no odd row to shift, with one column no odd column.
        {"one row", 3, 1, 3, 5, 0, 0, 0, 34, 4},
        {"one column", 1, 3, 3, 0, 7, 0, 0, 10, 14},
        {"counts below one", 0, -4, 3, 5, 5, 0, 0, 10, 4},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadArray> array = MakeArray(c.columns, c.rows, c.direction);
        array->oddRowDislocation = c.rowDislocation;
        array->oddColumnDislocation = c.columnDislocation;
        array->CalRect();
        SCOPED_TRACE(c.name);
        ExpectRect(array->frameRect, c.x1, c.y1, c.x2, c.y2);
        ExpectRect(array->rect, 0, 0, 10, 4);
        EXPECT_GE(array->columnCount, 1);
        EXPECT_GE(array->rowCount, 1);
    }
}

TEST(CadArray, HitsAnywhereInTheFrameButIsInRectTestsTheFirstCell) {
    const std::unique_ptr<CCadArray> array = MakeArray(3, 2, 3);
    EXPECT_EQ(array->HitTest(11000, 2000, nullptr), 1);  // in the gap between two cells
    EXPECT_EQ(array->HitTest(34000, 9000, nullptr), 1);  // on the frame's corner
    EXPECT_EQ(array->HitTest(34001, 9000, nullptr), 0);
    EXPECT_EQ(array->HitTestPath(5000, 8000, nullptr, 1), 1);
    EXPECT_EQ(array->IsInRect(CCadRect(-1, -1, 11, 5, 0)), 1);
}

TEST(CadArray, RotationTurnsTheCellAboutItsOwnCentreAndKeepsTheGrid) {
    const std::unique_ptr<CCadArray> array = MakeArray(2, 1, 3);
    array->TransRotate(1000, 1000, std::numbers::pi / 2);
    ExpectRect(array->rect, 3, -3, 7, 7);
    ExpectRect(array->frameRect, 3, -3, 13, 7);  // pitch: the turned cell's width 4 plus the gap 2
}

TEST(CadArrayCopy, CopiesChildrenMovedAndTheArrayFieldsFromAnArrayOnly) {
    const std::unique_ptr<CCadArray> source = MakeArray(2, 3, 2);
    source->oddRowDislocation = 1.5;
    source->oddColumnDislocation = -0.5;
    source->CalRect();
    CCadArray copy;
    CCadGroup group;
    EXPECT_EQ(copy.CopyFrom(&group, 0, 0), 0);
    ASSERT_EQ(copy.CopyFrom(source.get(), 5, -2), 1);
    EXPECT_EQ(copy.columnCount, 2);
    EXPECT_EQ(copy.rowCount, 3);
    EXPECT_EQ(copy.direction, 2);
    EXPECT_DOUBLE_EQ(copy.columnSpacing, 2);
    EXPECT_DOUBLE_EQ(copy.rowSpacing, 1);
    EXPECT_DOUBLE_EQ(copy.oddRowDislocation, 1.5);
    EXPECT_DOUBLE_EQ(copy.oddColumnDislocation, -0.5);
    ExpectRect(copy.frameRect, source->frameRect.x1 + 5, source->frameRect.y1 - 2, source->frameRect.x2 + 5,
               source->frameRect.y2 - 2);
}

TEST(CadArrayRecord, IsTheGroupRecordFollowedByFortyTwoBytesOfArrayFields) {
    const std::unique_ptr<CCadArray> array = MakeArray(3, 2, 1);
    array->oddRowDislocation = 0.25;
    array->oddColumnDislocation = -0.75;
    array->CalRect();
    const std::vector<std::uint8_t> stored = StoredBytes(*array);

    CCadGroup group;
    group.children.AddTail(MakeCurve({{0, 0}, {10, 0}, {10, 4}, {0, 4}}, true).release());
    RecordBytes expected;
    for (std::uint8_t byte : StoredBytes(group)) {
        expected.U8(byte);
    }
    expected.I32(3).I32(2).F64(2).F64(1).U16(1).F64(0.25).F64(-0.75);
    EXPECT_EQ(stored, expected.Bytes());

    CCadArray loaded;
    platform::Archive archive = platform::Archive::ForLoading(stored);
    loaded.Serialize(archive);
    EXPECT_EQ(StoredBytes(loaded), stored);
    ExpectRect(loaded.frameRect, array->frameRect.x1, array->frameRect.y1, array->frameRect.x2, array->frameRect.y2);
}

TEST(CadArrayRecord, CountsBelowOneBecomeOneAndGridsBeyondAMillionCellsAreRefused) {
    const auto record = [](std::int32_t columns, std::int32_t rows, std::uint16_t childCode) {
        RecordBytes bytes;
        bytes.I32(1).U16(childCode).I32(0);  // one empty group as the cell
        return bytes.I32(columns).I32(rows).F64(0).F64(0).U16(3).F64(0).F64(0);
    };
    CCadArray array;
    platform::Archive zero = record(0, -3, kGroupElement).ForLoading();
    array.Serialize(zero);
    EXPECT_EQ(array.columnCount, 1);
    EXPECT_EQ(array.rowCount, 1);

    const std::unique_ptr<CCadArray> kept = MakeArray(4, 5, 3);
    const std::vector<std::uint8_t> before = StoredBytes(*kept);
    using Grid = std::tuple<std::int32_t, std::int32_t, std::uint16_t>;
    for (const auto& [columns, rows, code] : {Grid{1001, 1000, kGroupElement}, Grid{0x7FFFFFFF, 0x7FFFFFFF, kGroupElement},
                                              Grid{2, 2, kArrayElement}, Grid{2, 2, 0}}) {
        platform::Archive archive = record(columns, rows, code).ForLoading();
        EXPECT_THROW(kept->Serialize(archive), platform::ArchiveError) << columns << " x " << rows << " code " << code;
        EXPECT_EQ(StoredBytes(*kept), before);
    }
    platform::Archive million = record(1000, 1000, kGroupElement).ForLoading();
    EXPECT_NO_THROW(array.Serialize(million));
}

// Offsets of the cell groups, taken from the first corner of their rectangles.
std::vector<SDPoint> ExpandedOffsets(CCadArray& array, CDbList<CCadElement*>& groups) {
    array.Expand(groups);
    std::vector<SDPoint> offsets;
    for (CCadElement* group : Elements(groups)) {
        offsets.push_back({group->rect.x1, group->rect.y1});
    }
    return offsets;
}

void DeleteAll(CDbList<CCadElement*>& list) {
    for (CCadElement* element : Elements(list)) {
        delete element;
    }
    list.RemoveAll();
}

TEST(CadArrayExpand, CellsComeInSerpentineOrderAtTheirOffsets) {
    struct Case {
        const char* name;
        std::uint16_t direction;
        double rowDislocation, columnDislocation;
        std::vector<SDPoint> offsets;
    };
    const Case cases[] = {
        {"direction 3", 3, 0, 0, {{0, 0}, {12, 0}, {24, 0}, {24, 5}, {12, 5}, {0, 5}}},
        {"direction 1", 1, 0, 0, {{0, 0}, {-12, 0}, {-24, 0}, {-24, -5}, {-12, -5}, {0, -5}}},
        {"dislocations", 3, 3, 1.5, {{0, 0}, {12, 1.5}, {24, 0}, {27, 5}, {15, 6.5}, {3, 5}}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadArray> array = MakeArray(3, 2, c.direction);
        array->oddRowDislocation = c.rowDislocation;
        array->oddColumnDislocation = c.columnDislocation;
        array->CalRect();
        CCadElement* original = Children(*array)[0];
        CDbList<CCadElement*> groups;
        const std::vector<SDPoint> offsets = ExpandedOffsets(*array, groups);
        SCOPED_TRACE(c.name);
        ASSERT_EQ(offsets.size(), c.offsets.size());
        for (std::size_t index = 0; index < offsets.size(); ++index) {
            EXPECT_NEAR(offsets[index].x, c.offsets[index].x, 1e-9) << index;
            EXPECT_NEAR(offsets[index].y, c.offsets[index].y, 1e-9) << index;
        }
        // The first cell holds the originals; the array is left empty.
        EXPECT_EQ(Children(*static_cast<CCadGroup*>(Elements(groups)[0]))[0], original);
        EXPECT_TRUE(array->children.IsEmpty());
        DeleteAll(groups);
    }
}

TEST(CadArrayExpand, OneCellClearsTheSelectionAndNoChildrenGiveNoGroup) {
    const std::unique_ptr<CCadArray> single = MakeArray(1, 1, 3);
    single->SetSelect(1);
    CDbList<CCadElement*> groups;
    single->Expand(groups);
    ASSERT_EQ(Elements(groups).size(), 1u);
    EXPECT_EQ(Children(*static_cast<CCadGroup*>(Elements(groups)[0]))[0]->GetSelect(), 0);
    DeleteAll(groups);

    CCadArray empty;
    empty.columnCount = 3;
    empty.Expand(groups);
    EXPECT_TRUE(groups.IsEmpty());
}

// A child that cannot be copied would leave an empty element in every other cell.
TEST(CadArrayExpand, CopiesThatFailAreLeftOutAndCountsBelowOneCountAsOne) {
    auto array = std::make_unique<CCadArray>();
    array->children.AddTail(MakePoint(0, 0).release());
    array->children.AddTail(std::make_unique<CCadBitmap>().release());  // no image: cannot be copied
    array->columnCount = 2;
    array->CalRect();
    array->rowCount = 0;
    CDbList<CCadElement*> groups;
    array->Expand(groups);
    const std::vector<CCadElement*> cells = Elements(groups);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(Children(*static_cast<CCadGroup*>(cells[0])).size(), 2u);
    EXPECT_EQ(Children(*static_cast<CCadGroup*>(cells[1])).size(), 1u);
    DeleteAll(groups);
}

class ArrayDrawing : public ::testing::Test {
  protected:
    ~ArrayDrawing() override { ShowArray = 1; }
};

TEST_F(ArrayDrawing, TwoByTwoShowsCopiesDottedWithTheSwitchOnAndBoxesWithDiagonalsOff) {
    for (int show : {1, 0}) {
        ShowArray = show;
        const std::unique_ptr<CCadArray> array = MakeArray(2, 2, 3);
        TestView view = TestView::Recording();
        array->Draw(&view.mapDC, &view.drawDC, CCadRect(-1, -1, 40, 40, 0), 0, 0, 1);
        int solidLines = 0, dottedLines = 0, boxes = 0;
        for (const platform::GdiCall& call : view.Calls()) {
            if (call.kind == GdiCallKind::LineTo) {
                (call.state.pen.style == platform::PenStyle::Dot ? dottedLines : solidLines) += 1;
            }
            if (call.kind == GdiCallKind::Rectangle) {
                ++boxes;
                EXPECT_EQ(call.state.pen, platform::Pen::Styled(platform::PenStyle::Dot, 1, 0x800000));
                EXPECT_EQ(call.state.brush.style, platform::BrushStyle::Null);
            }
        }
        SCOPED_TRACE(show);
        EXPECT_EQ(solidLines, 4);  // the first cell, in mode 0 whatever the mode passed
        EXPECT_EQ(boxes, show != 0 ? 0 : 3);
        EXPECT_EQ(dottedLines, show != 0 ? 3 * 4 : 3 * 2);
    }
}

TEST_F(ArrayDrawing, OnlyCellsInViewAreDrawnAndNothingWhenTheFrameIsOutside) {
    ShowArray = 0;
    const std::unique_ptr<CCadArray> array = MakeArray(1000, 1000, 3);
    TestView view = TestView::Recording();
    // A view over cells (2, 3) and (3, 3) only: x 24..46, y 15..19.
    array->Draw(&view.mapDC, &view.drawDC, CCadRect(25, 15.5, 40, 18, 0), 0, 0, 0);
    int boxes = 0;
    for (const platform::GdiCall& call : view.Calls()) {
        boxes += call.kind == GdiCallKind::Rectangle ? 1 : 0;
    }
    EXPECT_EQ(boxes, 2);

    TestView outside = TestView::Recording();
    array->Draw(&outside.mapDC, &outside.drawDC, CCadRect(-50, -50, -1, -1, 0), 0, 0, 0);
    EXPECT_TRUE(outside.Calls().empty());
}

}  // namespace
