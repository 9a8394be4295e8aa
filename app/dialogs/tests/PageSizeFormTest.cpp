// The sample page form without a window: each field against its range at and beyond the edges, texts
// that hold no number, the form's own rule across fields, and Apply.
#include <gtest/gtest.h>

#include <memory>

#include "PageSizeForm.h"
#include "RecordForm.h"

namespace dialogs::testing {
namespace {

struct PageCase {
    const char* width;
    const char* height;
    const char* grid;
    std::optional<dialogkit::FormProblem> problem;
};

TEST(PageSizeFormTest, CheckReportsTheFirstEntryItsFieldCannotTake) {
    using dialogkit::FormProblem;
    using dialogkit::kNoNumberMessage;
    using dialogkit::kOutOfRangeMessage;
    const FormProblem widthRange{kWidthEdit, kOutOfRangeMessage, "1.000 - 100000.000 mm"};
    const FormProblem heightRange{kHeightEdit, kOutOfRangeMessage, "1.000 - 100000.000 mm"};
    const PageCase cases[] = {
        {"1200", "800", "50", std::nullopt},
        {"100000", "100000", "100000", std::nullopt},  // every upper edge
        {"10", "10", "10", std::nullopt},              // a grid step as wide as the page
        {"0.999", "800", "50", widthRange},
        {"100000.001", "800", "50", widthRange},
        {"1200", "-5", "50", heightRange},
        {"nan", "800", "50", FormProblem{kWidthEdit, kNoNumberMessage, ""}},
        {"1e999", "800", "50", FormProblem{kWidthEdit, kNoNumberMessage, ""}},
        {"", "800", "50", FormProblem{kWidthEdit, kNoNumberMessage, ""}},
        {"1200", "800", "", FormProblem{kGridEdit, kNoNumberMessage, ""}},
        {"1200", "800", "9.99", FormProblem{kGridEdit, kOutOfRangeMessage, "10.000 - 100000.000 mm"}},
        {"100", "40", "50", FormProblem{kGridEdit, kOutOfRangeMessage, "10.000 - 40.000 mm"}},
        {"nan", "40", "50", FormProblem{kWidthEdit, kNoNumberMessage, ""}},  // the fields before the rule
    };
    for (const PageCase& c : cases) {
        PageSizeForm form;
        form.Load(PageSize{1200, 800, 50});
        dialogkit::FormEntries entries;
        entries.EnterText(kWidthEdit, c.width);
        entries.EnterText(kHeightEdit, c.height);
        entries.EnterText(kGridEdit, c.grid);
        EXPECT_EQ(dialogkit::SubmitEntries(form, entries), c.problem)
            << c.width << " " << c.height << " " << c.grid;
    }
}

TEST(PageSizeFormTest, ApplySetsBothPageSizesAndTheGrid) {
    auto manager = std::make_unique<CCadMgr>();
    PageSizeForm form;
    form.Load(PageSize{300, 200, 20});
    form.Apply(*manager);
    EXPECT_EQ(manager->workWidth, 300.0);
    EXPECT_EQ(manager->pageWidth, 300.0);
    EXPECT_EQ(manager->workHeight, 200.0);
    EXPECT_EQ(manager->pageHeight, 200.0);
    EXPECT_EQ(manager->gridStep, 20.0);
}

}  // namespace
}  // namespace dialogs::testing
