// The password prompts offscreen: what each language shows, which entries open the vendor tools, and the
// vendor right against a controller on loopback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "ControllerState.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "PasswordDlgs.h"
#include "RecordingMessageSink.h"
#include "StationkeepExports.h"
#include "TestControllers.h"
#include "WidgetTestApplication.h"

namespace stationkeep {
namespace {

using motionlink::testing::InProcessEmulator;

class PasswordDlgsTest : public platform::WidgetTest {
  protected:
    void SetUp() override { dialogkit::SetMessageSink(&messages_); }
    void TearDown() override { dialogkit::SetMessageSink(nullptr); }

    std::vector<std::string> Shown() const {
        std::vector<std::string> texts;
        for (const auto& box : messages_.Shown()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    // Types each entry into the prompt that is open and presses the button of the id after it; the last
    // entry's button ends the prompt when all goes right.
    static void TypeAndPress(int entryId, std::vector<std::pair<QString, int>> steps) {
        QTimer::singleShot(0, [entryId, steps] {
            QWidget* prompt = QApplication::activeModalWidget();
            ASSERT_NE(prompt, nullptr);
            for (const auto& [entry, buttonId] : steps) {
                dialogkit::Find<QLineEdit>(*prompt, entryId)->setText(entry);
                dialogkit::Find<QPushButton>(*prompt, buttonId)->click();
            }
        });
    }

    platform::RecordingMessageSink messages_;
};

// Enters the text and presses the first button: whether the prompt ended accepted.
bool Enter(QDialog& prompt, int entryId, const QString& entry) {
    dialogkit::Find<QLineEdit>(prompt, entryId)->setText(entry);
    dialogkit::Find<QPushButton>(prompt, dialogkit::kOkButton)->click();
    return prompt.result() == QDialog::Accepted;
}

TEST_F(PasswordDlgsTest, AccessCodePromptOpensOnlyForTheCodeInAnyCase) {
    struct Case {
        QString entry;
        bool accepted;
    };
    const Case cases[] = {{"qx4270", true}, {"QX4270", true}, {"qx4270 ", false}, {"", false}, {"qx427", false}};
    for (const Case& c : cases) {
        messages_.Clear();
        CParaPassDlg prompt(2);
        EXPECT_EQ(Enter(prompt, CParaPassDlg::kEntryId, c.entry), c.accepted) << c.entry.toStdString();
        EXPECT_EQ(Shown(), c.accepted ? std::vector<std::string>{} : std::vector<std::string>{"Password error!"});
    }
}

TEST_F(PasswordDlgsTest, EachPromptSpeaksTheLanguageOfItsIndex) {
    struct Case {
        std::uint16_t language;
        QString accessTitle;
        QString accessOk;
        QString rightLabel;
        QString rightExit;
        std::string rightMessage;
    };
    const Case cases[] = {
        {0, "厂家参数密码", "确定", "厂家权限:", "退出", "密码错误!"},
        {1, "Ventor Parameter Password", "Ok", "厂家权限:", "退出", "Error password!"},
        {2, "Ventor Parameter Password", "Ok", "Vendor right:", "Exit", "Error password!"},
        {3, "Ventor Parameter Password", "Ok", "Vendor right:", "Exit", "Error password!"},
    };
    for (const Case& c : cases) {
        CParaPassDlg access(c.language);
        EXPECT_EQ(access.windowTitle(), c.accessTitle) << c.language;
        EXPECT_EQ(dialogkit::Find<QPushButton>(access, dialogkit::kOkButton)->text(), c.accessOk);
        CVendorPassDlg right(c.language, "EMU123");
        EXPECT_EQ(dialogkit::Find<QLabel>(right, CVendorPassDlg::kLabelId)->text(), c.rightLabel) << c.language;
        EXPECT_EQ(dialogkit::Find<QPushButton>(right, CVendorPassDlg::kExitId)->text(), c.rightExit);
        messages_.Clear();
        EXPECT_FALSE(Enter(right, CVendorPassDlg::kEntryId, "wrong"));
        EXPECT_EQ(Shown(), std::vector<std::string>{c.rightMessage}) << c.language;
    }
}

TEST_F(PasswordDlgsTest, VendorRightEntryIsSixCharactersAtMost) {
    CVendorPassDlg right(2, "EMU123");
    EXPECT_EQ(dialogkit::Find<QLineEdit>(right, CVendorPassDlg::kEntryId)->maxLength(), CVendorPassDlg::kEntryLength);
}

TEST_F(PasswordDlgsTest, CheckParaPassGivesZeroForTheCodeAndOneForCancel) {
    TypeAndPress(CParaPassDlg::kEntryId, {{"bad", dialogkit::kOkButton}, {"qx4270", dialogkit::kOkButton}});
    EXPECT_EQ(Zint_CheckParaPass(2), 0);
    EXPECT_EQ(Shown(), std::vector<std::string>{"Password error!"});
    TypeAndPress(CParaPassDlg::kEntryId, {{"qx4270", dialogkit::kCancelButton}});
    EXPECT_EQ(Zint_CheckParaPass(2), 1);
}

TEST_F(PasswordDlgsTest, CheckVendorPassTakesTheControllersPasswordOrTheVendorRightInOtherCase) {
    InProcessEmulator controller;
    struct Case {
        QString entry;
        int buttonId;
        std::uint16_t result;
    };
    const Case cases[] = {
        {QString(motionlink::emulator::kDefaultVendorPassword).toLower(), dialogkit::kOkButton, 0},
        {"kOlVeN", dialogkit::kOkButton, 0},
        {"kolven", CVendorPassDlg::kExitId, 1},
    };
    for (const Case& c : cases) {
        TypeAndPress(CVendorPassDlg::kEntryId, {{c.entry, c.buttonId}});
        EXPECT_EQ(Zint_CheckVendorPass(2, 1, 0, "127.0.0.1"), c.result) << c.entry.toStdString();
    }
    EXPECT_TRUE(Shown().empty());
}

TEST_F(PasswordDlgsTest, UnreachableControllerShowsTheCommunicationMessageAndNoPrompt) {
    motionlink::testing::NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    EXPECT_EQ(Zint_CheckVendorPass(0, 1, 0, motionlink::testing::NoController::kAddress), 1);
    EXPECT_EQ(Shown(), std::vector<std::string>{"通讯错误!"});
}

}  // namespace
}  // namespace stationkeep
