#include "PageDlg.h"

#include "DrawingChange.h"
#include "EditWindowFixture.h"

namespace {

using namespace dialogs::edit;
using namespace dialogs::edit::ui;

class PageDlgTest : public EditWindowFixture {};

TEST_F(PageDlgTest, OkStoresPageGridAndChosenColour) {
    CPageDlg dialog(nullptr, PageForm::RecordOf(*manager), [this](PageForm& form) { form.Apply(*manager); });
    dialog.show();
    EXPECT_EQ(Edit(dialog, kPageWidthEdit).text(), "1200.000");
    Edit(dialog, kPageWidthEdit).setText("100");
    Edit(dialog, kPageHeightEdit).setText("33");
    dialog.ChooseColour(kGridSwatch, 0x00FF00);
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(manager->pageWidth, 100.0);
    EXPECT_DOUBLE_EQ(manager->workHeight, 33.0);
    EXPECT_DOUBLE_EQ(manager->gridStep, 6.0);
    EXPECT_EQ(manager->gridColor, 0x00FF00u);
}

TEST_F(PageDlgTest, CancelAfterChangingAColourLeavesTheCanvasColours) {
    const CadMgrSettings before = *manager;
    CPageDlg dialog(nullptr, PageForm::RecordOf(*manager), [this](PageForm& form) { form.Apply(*manager); });
    dialog.show();
    dialog.ChooseColour(kBackgroundSwatch, 0x000000);
    Edit(dialog, kPageWidthEdit).setText("10");
    Click(dialog, dialogkit::kCancelButton);
    EXPECT_EQ(static_cast<const CadMgrSettings&>(*manager), before);
}

}  // namespace
