// The manual cutting order without its window: filling and names, the buttons that move elements between
// and within the lists, the band, and what OK and Cancel leave in the drawing.
#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "DlgSetOrder.h"

namespace {

using List = CDlgSetOrder::OrderList;
using Row = CDlgSetOrder::Row;

class DlgSetOrderTest : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        savedShowPath = ShowPathOn;
        // Five squares in a row, 10 mm apart: a b c d e.
        for (int index = 0; index < 5; ++index) {
            squares.push_back(AddSquare(index * 10.0, 0, 5));
        }
        owner.Clear();
    }
    void TearDown() override { ShowPathOn = savedShowPath; }

    // The elements of the drawing or a list as letters a..e.
    std::string Letters(const std::vector<CCadElement*>& elements) const {
        std::string letters;
        for (const CCadElement* element : elements) {
            const auto found = std::ranges::find(squares, element);
            letters += found == squares.end() ? '?' : static_cast<char>('a' + (found - squares.begin()));
        }
        return letters;
    }
    int ModifiedNotices() const {
        return static_cast<int>(std::ranges::count(PostedMessages(), kDrawingModifiedMessage));
    }

    std::vector<CCadElement*> squares;
    int savedShowPath = 0;
    CDlgSetOrder dialog{*manager};
};

TEST_F(DlgSetOrderTest, OpeningNamesEveryElementAfterItsRowAndClearsTheSelection) {
    manager->SelectAll();
    dialog.OnInitDialog();
    const std::vector<Row> expected = {{1, "Element1", false},
                                       {2, "Element2", false},
                                       {3, "Element3", false},
                                       {4, "Element4", false},
                                       {5, "Element5", false}};
    EXPECT_EQ(dialog.Rows(List::kRemaining), expected);
    EXPECT_TRUE(dialog.Rows(List::kOrdered).empty());
    EXPECT_TRUE(Selected().empty());
    EXPECT_EQ(dialog.UnionRect().x2, 45.0);
}

TEST_F(DlgSetOrderTest, ChineseNamesInTheChineseInterface) {
    LanguageIndex = kLanguageSimplifiedChinese;
    dialog.OnInitDialog();
    LanguageIndex = kLanguageEnglish;
    EXPECT_EQ(dialog.Rows(List::kRemaining)[1].name, "图元2");
}

TEST_F(DlgSetOrderTest, OkWithoutMovingKeepsTheOrderAndRenumbers) {
    for (CCadElement* element : squares) {
        element->orderNumber = 77;
    }
    dialog.OnInitDialog();
    dialog.OnOK();
    EXPECT_EQ(Letters(Elements()), "abcde");
    for (std::uint32_t place = 0; place < squares.size(); ++place) {
        EXPECT_EQ(squares[place]->orderNumber, place + 1);
    }
    EXPECT_EQ(ModifiedNotices(), 1);
}

TEST_F(DlgSetOrderTest, TheThirdOfFiveMovedOverBecomesTheFirstElement) {
    dialog.OnInitDialog();
    dialog.SelectRows(List::kRemaining, {2});
    dialog.OnMoveSelected();

    EXPECT_EQ(dialog.Rows(List::kOrdered), (std::vector<Row>{{1, "Element3", true}}));
    // The remaining rows are numbered on after the order.
    const std::vector<Row> remaining = dialog.Rows(List::kRemaining);
    ASSERT_EQ(remaining.size(), 4u);
    EXPECT_EQ(remaining.front(), (Row{2, "Element1", false}));
    EXPECT_EQ(remaining.back(), (Row{5, "Element5", false}));
    EXPECT_TRUE(dialog.Selection(List::kRemaining).empty());

    dialog.OnOK();
    EXPECT_EQ(Letters(Elements()), "cabde");
    EXPECT_EQ(squares[2]->orderNumber, 1u);
    EXPECT_EQ(squares[2]->selected, 0);
}

TEST_F(DlgSetOrderTest, MovesWithinTheOrderStopAtItsEnds) {
    struct Case {
        const char* name;
        std::vector<int> selectedRows;
        bool up;
        const char* order;
    };
    const Case cases[] = {
        {"the first up", {0}, true, "abcde"},
        {"the first blocks, the third stays", {0, 2}, true, "abcde"},
        {"the third up", {2}, true, "acbde"},
        {"two up", {1, 3}, true, "badce"},
        {"the last down", {4}, false, "abcde"},
        {"the last blocks, the second stays", {1, 4}, false, "abcde"},
        {"two down, the later one first", {0, 2}, false, "badce"},
    };
    for (const Case& c : cases) {
        CDlgSetOrder moving(*manager);
        moving.OnInitDialog();
        moving.OnMoveAll();
        moving.SelectRows(List::kOrdered, c.selectedRows);
        if (c.up) {
            moving.OnMoveUp();
        } else {
            moving.OnMoveDown();
        }
        EXPECT_EQ(Letters(moving.Elements(List::kOrdered)), c.order) << c.name;
        moving.OnCancel();
    }
}

TEST_F(DlgSetOrderTest, MoveAllKeepsTheSelectedOnesSelected) {
    dialog.OnInitDialog();
    dialog.SelectRows(List::kRemaining, {1, 3});
    dialog.OnMoveAll();
    EXPECT_TRUE(dialog.Elements(List::kRemaining).empty());
    EXPECT_EQ(Letters(dialog.Elements(List::kOrdered)), "abcde");
    EXPECT_EQ(Letters(dialog.Selection(List::kOrdered)), "bd");
}

TEST_F(DlgSetOrderTest, ReOrderReversesTheListAndKeepsTheNumbers) {
    dialog.OnInitDialog();
    dialog.SelectRows(List::kRemaining, {0});
    dialog.OnMoveSelected();
    dialog.SelectRows(List::kRemaining, {0});
    dialog.OnReOrder(List::kRemaining);

    const std::vector<Row> rows = dialog.Rows(List::kRemaining);
    EXPECT_EQ(rows.front(), (Row{2, "Element5", false}));
    EXPECT_EQ(rows.back(), (Row{5, "Element2", true}));  // the selection goes with its element
}

TEST_F(DlgSetOrderTest, RestartFillsBothListsAgainFromTheDrawing) {
    dialog.OnInitDialog();
    dialog.OnMoveAll();
    dialog.SelectRows(List::kOrdered, {1});
    dialog.OnRestart();
    EXPECT_TRUE(dialog.Elements(List::kOrdered).empty());
    EXPECT_EQ(Letters(dialog.Elements(List::kRemaining)), "abcde");
    EXPECT_FALSE(dialog.HasSelection());
    EXPECT_EQ(squares[1]->selected, 0);
}

TEST_F(DlgSetOrderTest, CancelKeepsTheNamesAndTheReversalsButNotTheOrder) {
    CCadCurve* open = Add(MakeCurve({{0, 20}, {30, 20}, {30, 40}}));
    owner.Clear();
    dialog.OnInitDialog();
    dialog.SelectRows(List::kRemaining, {0, 5});
    dialog.OnMoveSelected();
    dialog.SelectRows(List::kOrdered, {1});  // the open curve
    dialog.OnReverse();
    dialog.OnCancel();

    EXPECT_EQ(Names(), (std::vector<std::string>{"Element1", "Element2", "Element3", "Element4", "Element5",
                                                 "Element6"}));
    const SDPoint start = open->pathList.head->next->value.start;
    EXPECT_EQ(std::make_pair(start.x, start.y), std::make_pair(30.0, 40.0));
    EXPECT_EQ(Elements().back(), open);
    EXPECT_EQ(open->selected, 0);
    EXPECT_EQ(ModifiedNotices(), 1);  // the reversal, as one change
}

TEST_F(DlgSetOrderTest, CancelWithoutChangesTellsTheDrawingNothing) {
    dialog.OnInitDialog();
    dialog.OnMoveAll();
    dialog.OnCancel();
    EXPECT_EQ(ModifiedNotices(), 0);
    EXPECT_EQ(Letters(Elements()), "abcde");
}

TEST_F(DlgSetOrderTest, TheBandSelectsWhatLiesInsideInBothLists) {
    struct Case {
        const char* name;
        CCadRect band;
        bool selects;
        const char* remainingSelection;
        const char* orderedSelection;
    };
    // a and b are in the order; c d e remain. b is selected before each band.
    const Case cases[] = {
        {"around b and c", CCadRect(9, -1, 26, 6, 0), true, "c", "b"},
        {"drawn from the far corner", CCadRect(26, 6, 9, -1, 0), true, "c", "b"},
        {"touching c within 0.001 mm", CCadRect(-1, -1, 24.9995, 5.0005, 0), true, "c", "ab"},
        {"around nothing", CCadRect(100, 100, 120, 120, 0), true, "", ""},
        {"a vertical line", CCadRect(12, -10, 12, 10, 0), false, "", "b"},
        {"lower than 0.001 mm", CCadRect(-1, 2, 60, 2.0009, 0), false, "", "b"},
    };
    for (const Case& c : cases) {
        CDlgSetOrder banding(*manager);
        banding.OnInitDialog();
        banding.SelectRows(List::kRemaining, {0, 1});
        banding.OnMoveSelected();
        banding.SelectRows(List::kOrdered, {1});

        EXPECT_EQ(banding.SelectInBand(c.band), c.selects) << c.name;

        EXPECT_EQ(Letters(banding.Selection(List::kRemaining)), c.remainingSelection) << c.name;
        EXPECT_EQ(Letters(banding.Selection(List::kOrdered)), c.orderedSelection) << c.name;
        EXPECT_EQ(squares[1]->selected, std::string(c.orderedSelection).find('b') != std::string::npos)
            << c.name;
        banding.OnCancel();
    }
}

TEST_F(DlgSetOrderTest, ShowPathIsPutBackOnClose) {
    ShowPathOn = 0;
    dialog.OnInitDialog();
    dialog.OnShowPath();
    EXPECT_TRUE(dialog.ShowPathOn());
    dialog.OnOK();
    EXPECT_EQ(ShowPathOn, 0);
}

}  // namespace
