// The document name window by its control ids: texts, the preset, OK on a good and a bad name, Cancel.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "LanguageTexts.h"
#include "NameDocDlgWindow.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"
#include "WidgetTestApplication.h"

namespace {

class NameDocDlgWindowTest : public platform::WidgetTest {
  protected:
    NameDocDlgWindowTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        dialogkit::SetMessageSink(&messages);
        window = std::make_unique<output::ui::CNameDocDlg>(nullptr, "DEFAULT");
    }
    ~NameDocDlgWindowTest() override { dialogkit::SetMessageSink(nullptr); }

    void Type(const QString& text) {
        QLineEdit* edit = dialogkit::Find<QLineEdit>(dialog(), CNameDocDlg::kNameEdit);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Press(int id) { QTest::mouseClick(dialogkit::Find<QPushButton>(dialog(), id), Qt::LeftButton); }

    platform::RecordingMessageSink messages;
    std::unique_ptr<output::ui::CNameDocDlg> window;  // made once the texts are in
    output::ui::CNameDocDlg& dialog() { return *window; }
};

TEST_F(NameDocDlgWindowTest, ShowsItsTextsAndThePreset) {
    EXPECT_EQ(dialog().windowTitle(), "Name document");
    EXPECT_EQ(dialogkit::Find<QLabel>(dialog(), CNameDocDlg::kHintStatic)->text(), "Name within(0-9)or(A-Z)");
    EXPECT_EQ(dialogkit::Find<QLabel>(dialog(), CNameDocDlg::kNameLabel)->text(), "Document name:");
    EXPECT_EQ(dialogkit::Find<QLineEdit>(dialog(), CNameDocDlg::kNameEdit)->text(), "DEFAULT");
    EXPECT_EQ(dialogkit::Find<QPushButton>(dialog(), dialogkit::kOkButton)->text(), "Ok");
}

TEST_F(NameDocDlgWindowTest, ARefusedNameKeepsTheDialogOpenWithTheTextAsTyped) {
    dialog().show();
    Type("my job");
    Press(dialogkit::kOkButton);

    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(dialogkit::Find<QLineEdit>(dialog(), CNameDocDlg::kNameEdit)->text(), "my job");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Document name must be (0-9) or (A-Z)!");
}

TEST_F(NameDocDlgWindowTest, AnAcceptedNameComesBackInTheCaseTyped) {
    dialog().show();
    Type("abc.1");
    Press(dialogkit::kOkButton);

    EXPECT_EQ(dialog().result(), QDialog::Accepted);
    EXPECT_EQ(dialog().Name(), "abc.1");
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(NameDocDlgWindowTest, CancelClosesWithoutChecking) {
    dialog().show();
    Type("");
    Press(dialogkit::kCancelButton);

    EXPECT_EQ(dialog().result(), QDialog::Rejected);
    EXPECT_TRUE(messages.Shown().empty());
}

}  // namespace
