// The sample page form in its window, driven offscreen by control ids, with the shell's undo history
// listening to the drawing manager as the main window does: a bad entry keeps the window open at its
// control, Cancel changes nothing, and OK is exactly one undo step.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "DrawingChange.h"
#include "LanguageTexts.h"
#include "PageSizeForm.h"
#include "RecordDialog.h"
#include "RecordingOwnerWindow.h"
#include "ShellDocumentFixture.h"
#include "TextLookup.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

namespace dialogs::testing {
namespace {

class PageSizeDialog : public dialogkit::RecordDialog<PageSizeForm> {
  public:
    PageSizeDialog(CCadMgr& manager)
        : RecordDialog(nullptr, PageSizeForm{}, PageSizeForm::PageOf(manager),
                       DrawingApplier<PageSizeForm>(manager)) {
        auto* grid = new QGridLayout(this);
        grid->addWidget(dialogkit::MakeEdit(this, kWidthEdit), 0, 0);
        grid->addWidget(dialogkit::MakeEdit(this, kHeightEdit), 1, 0);
        grid->addWidget(dialogkit::MakeEdit(this, kGridEdit), 2, 0);
        grid->addWidget(dialogkit::MakeButton(this, dialogkit::kOkButton, "OK"), 3, 0);
        grid->addWidget(dialogkit::MakeButton(this, dialogkit::kCancelButton, "Cancel"), 3, 1);
        BindControls();
    }
};

class PageSizeDialogTest : public ShellDocumentFixture {
  protected:
    void SetUp() override {
        ShellDocumentFixture::SetUp();
        platform::EnsureWidgetApplication();
        widgets::SetTextLookup(GetLangText);
        dialogkit::SetMessageSink(&messages);
        manager->SetOwnerHwnd(&owner);
        AddSquare(0, 0, 10);
        history.Start(doc);
        owner.Clear();
    }
    void TearDown() override {
        dialogkit::SetMessageSink(nullptr);
        widgets::SetTextLookup(nullptr);
        manager->SetOwnerHwnd(nullptr);
    }

    // What the main window does with the drawing manager's notices: each change notice is an undo step.
    int UndoStepsTaken() {
        int steps = 0;
        for (const platform::PostedMessage& posted : owner.Posted()) {
            if (posted.message == kDrawingModifiedMessage) {
                history.OnDrawingModified(doc);
                ++steps;
            }
        }
        owner.Clear();
        return steps;
    }

    QLineEdit& Edit(QWidget& dialog, int id) { return *dialogkit::Find<QLineEdit>(dialog, id); }
    void ClickOk(QWidget& dialog) { dialogkit::Find<QPushButton>(dialog, dialogkit::kOkButton)->click(); }

    platform::RecordingOwnerWindow owner;
    UndoHistory history;
};

TEST_F(PageSizeDialogTest, TheWindowShowsThePageWithTheFieldsDecimals) {
    PageSizeDialog dialog(*manager);
    EXPECT_EQ(Edit(dialog, kWidthEdit).text(), "1200.000");
    EXPECT_EQ(Edit(dialog, kGridEdit).text(), "50.000");
}

TEST_F(PageSizeDialogTest, OkWithABadValueKeepsTheWindowOpenAndFocusesItsControl) {
    struct BadEntry {
        int id;
        const char* typed;
        const char* message;
    };
    const BadEntry cases[] = {
        {kWidthEdit, "nan", "Please enter a number."},
        {kHeightEdit, "1e999", "Please enter a number."},
        {kHeightEdit, "0.5", "Please enter a value within: 1.000 - 100000.000 mm"},
        {kGridEdit, "900", "Please enter a value within: 10.000 - 800.000 mm"},  // the form's own rule
    };
    for (const BadEntry& c : cases) {
        PageSizeDialog dialog(*manager);
        dialog.show();
        Edit(dialog, c.id).setText(c.typed);
        ClickOk(dialog);
        EXPECT_TRUE(dialog.isVisible()) << c.typed;
        EXPECT_EQ(dialog.focusWidget(), &Edit(dialog, c.id)) << c.typed;
        ASSERT_EQ(messages.Shown().size(), 1u) << c.typed;
        EXPECT_EQ(messages.Shown()[0].text, c.message);
        messages.Clear();
        EXPECT_EQ(manager->pageHeight, 800.0);
        EXPECT_EQ(UndoStepsTaken(), 0) << c.typed;
    }
}

TEST_F(PageSizeDialogTest, CancelLeavesThePageAndTheDrawing) {
    PageSizeDialog dialog(*manager);
    dialog.show();
    Edit(dialog, kWidthEdit).setText("300");
    QTest::keyClick(&Edit(dialog, kWidthEdit), Qt::Key_Tab);
    dialogkit::Find<QPushButton>(dialog, dialogkit::kCancelButton)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(manager->pageWidth, 1200.0);
    EXPECT_EQ(manager->workWidth, 1200.0);
    EXPECT_EQ(ElementLefts(), std::vector<double>{0.0});
    EXPECT_EQ(UndoStepsTaken(), 0);
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(PageSizeDialogTest, OkIsExactlyOneUndoStep) {
    PageSizeDialog dialog(*manager);
    dialog.show();
    Edit(dialog, kWidthEdit).setText("300");
    Edit(dialog, kHeightEdit).setText("200");
    Edit(dialog, kGridEdit).setText("20");
    ClickOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(manager->pageWidth, 300.0);
    EXPECT_EQ(manager->workHeight, 200.0);
    EXPECT_EQ(manager->gridStep, 20.0);
    EXPECT_EQ(UndoStepsTaken(), 1);
    EXPECT_EQ(history.Count(), 1);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace dialogs::testing
