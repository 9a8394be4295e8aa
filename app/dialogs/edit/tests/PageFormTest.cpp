#include "PageForm.h"

#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "RecordForm.h"

namespace {

using namespace dialogs::edit;

TEST(PageGridTest, GridSpacingIsAtLeastTenAndAtMostAFifthOfTheSmallerSide) {
    struct Case {
        double width, height, typed, spacing;
    };
    for (const Case c : {Case{100, 40, 50, 8}, Case{100, 40, 5, 8}, Case{100, 33, 50, 6}, Case{1200, 800, 50, 50},
                         Case{4, 100, 50, 0}, Case{1200, 800, 3, 10}}) {
        EXPECT_DOUBLE_EQ(PageGridSpacing(c.width, c.height, c.typed), c.spacing) << c.width << "x" << c.height;
    }
}

class PageFormTest : public CadMgrFixture {};

TEST_F(PageFormTest, PageSizeIsBroughtIntoRangeAndStoredAsTheWorkSizeToo) {
    PageForm form;
    form.Load(PageForm::RecordOf(*manager));
    dialogkit::FormEntries entries;
    entries.EnterText(kPageWidthEdit, "0.5");
    entries.EnterText(kPageHeightEdit, "200000");
    entries.EnterText(kNudgeEdit, "-3");  // the keyboard steps are stored as typed
    ASSERT_FALSE(dialogkit::SubmitEntries(form, entries));
    form.Apply(*manager);
    EXPECT_DOUBLE_EQ(manager->pageWidth, 1.0);
    EXPECT_DOUBLE_EQ(manager->workWidth, 1.0);
    EXPECT_DOUBLE_EQ(manager->pageHeight, 100000.0);
    EXPECT_DOUBLE_EQ(manager->workHeight, 100000.0);
    EXPECT_DOUBLE_EQ(manager->gridStep, 0.0);
    EXPECT_DOUBLE_EQ(manager->nudgeDistanceMm, -3.0);
}

TEST_F(PageFormTest, NonFiniteEntryIsRefused) {
    PageForm form;
    form.Load(PageForm::RecordOf(*manager));
    dialogkit::FormEntries entries;
    entries.EnterText(kLargeStepEdit, "1e999");
    const auto problem = dialogkit::SubmitEntries(form, entries);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->controlId, kLargeStepEdit);
}

TEST_F(PageFormTest, ColoursReachTheManagerOnlyThroughApply) {
    PageForm form;
    form.Load(PageForm::RecordOf(*manager));
    form.Edited().gridColor = 0x123456;
    EXPECT_EQ(manager->gridColor, 0x0099A8ACu);
    form.Apply(*manager);
    EXPECT_EQ(manager->gridColor, 0x123456u);
}

}  // namespace
