// A page hosted in a dialog: Enter and Escape inside it leave the dialog open while the edit left by
// Enter still stores its entry; OK and Cancel carry the program's common texts.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogPage.h"
#include "TextLookup.h"
#include "WidgetTestApplication.h"

namespace dialogkit {
namespace {

constexpr int kPageEdit = 1201;

class DialogPageTest : public platform::WidgetTest {
  protected:
    DialogPageTest() {
        widgets::SetTextLookup(
            [](const std::string& section, const std::string& key) { return section + "/" + key; });
        auto* layout = new QVBoxLayout(&dialog);
        auto* page = new DialogPage(&dialog);
        auto* pageLayout = new QVBoxLayout(page);
        edit = MakeEdit(page, kPageEdit);
        pageLayout->addWidget(edit);
        layout->addWidget(page);
        QPushButton* ok = MakeOkButton(&dialog);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        layout->addWidget(ok);
        layout->addWidget(MakeCancelButton(&dialog));
        QObject::connect(edit, &QLineEdit::editingFinished, [this] { stored = edit->text(); });
        dialog.show();
        edit->setFocus();
    }
    ~DialogPageTest() override { widgets::SetTextLookup(nullptr); }

    QDialog dialog;
    QLineEdit* edit = nullptr;
    QString stored;
};

TEST_F(DialogPageTest, EnterAndEscapeInsideThePageLeaveTheDialogOpen) {
    edit->setText("12.5");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(edit, key);
        EXPECT_TRUE(dialog.isVisible()) << key;
    }
    EXPECT_EQ(stored, "12.5");
}

TEST_F(DialogPageTest, CommonButtonsCarryTheCommonTexts) {
    EXPECT_EQ(Find<QPushButton>(dialog, kOkButton)->text(), "ItemCommon/1");
    EXPECT_EQ(Find<QPushButton>(dialog, kCancelButton)->text(), "ItemCommon/2");
}

TEST_F(DialogPageTest, FocusedEditStoresItsEntryBeforeOk) {
    edit->setText("7");
    CommitFocusedEdit(dialog);
    EXPECT_EQ(stored, "7");
}

}  // namespace
}  // namespace dialogkit
