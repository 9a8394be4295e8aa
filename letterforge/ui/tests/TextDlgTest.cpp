// The text dialog driven by control id: what OK, Apply and Cancel leave in the caller's record, the
// variable-text panels, the serial extension and the messages that keep the dialog open.
#include "TextDlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

#include "DateText.h"
#include "DateTextDlg.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "Letterforge.h"
#include "RecordingMessageSink.h"
#include "ShxFontWriter.h"
#include "SnExtendDlg.h"
#include "SnTextDlg.h"
#include "TestFontConfig.h"
#include "TextEdit.h"
#include "WidgetTestApplication.h"

namespace letterforge {
namespace {

using dialogkit::Find;

LocalTime Day(int year, int month, int day) {
    LocalTime time;
    time.year = static_cast<std::int16_t>(year);
    time.month = static_cast<std::int16_t>(month);
    time.day = static_cast<std::int16_t>(day);
    time.hour = 14;
    time.minute = 7;
    time.second = 9;
    return time;
}

// Runs the drive on the modal window as soon as the dialog's loop starts.
void WhenModal(std::function<void(QWidget&)> drive) {
    QTimer::singleShot(0, [drive = std::move(drive)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        drive(*modal);
    });
}

void Type(QWidget& window, int id, const QString& text) {
    Find<QLineEdit>(window, id)->setText(text);
}

void Leave(QWidget& window, int id, const QString& text) {
    QLineEdit* edit = Find<QLineEdit>(window, id);
    edit->setText(text);
    emit edit->editingFinished();
}

void Click(QWidget& window, int id) {
    Find<QPushButton>(window, id)->click();
}

class TextDlgTest : public platform::WidgetTest {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }
    TextDlgTest() {
        dialogkit::SetMessageSink(&messages);
        DialogLanguage = 1;
        testing::InstallFont("BIG.SHX", testing::BigFont({{0x8140, {0x0}}}));
        testing::InstallFont("FS.SHX", testing::IndexLayoutFont({{65, {0x0}}}));
        testing::InstallFont("ROMANS.SHX", testing::IndexLayoutFont({{65, {0x0}}}));
        record.trueTypeFont = "DejaVu Sans";
    }
    ~TextDlgTest() override {
        dialogkit::SetMessageSink(nullptr);
        SetClock({});
    }

    short Edit(std::function<void(QWidget&)> drive, int language = 1) {
        WhenModal(std::move(drive));
        return _text_edit(&record, language);
    }

    static CTextParam DateRecord(std::uint16_t unit, std::int16_t offset) {
        CTextParam params;
        params.trueTypeFont = "DejaVu Sans";
        params.varTextOn = 1;
        params.varKind = 0;
        params.dateFormat = 0;
        params.dateOffsetUnit = unit;
        params.dateOffset = offset;
        return params;
    }

    platform::RecordingMessageSink messages;
    CTextParam record;
};

TEST_F(TextDlgTest, CancelAfterEditsAndApplyLeavesTheRecordEqual) {
    record.varTextOn = 1;
    const CTextParam original = record;
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  Leave(dialog, CTextDlg::kHeightEdit, "20");
                  Find<QListWidget>(dialog, CDateTextDlg::kFormatList)->setCurrentRow(5);
                  Click(dialog, CTextDlg::kApplyButton);
                  Click(dialog, dialogkit::kCancelButton);
              }),
              1);
    EXPECT_EQ(record, original);
}

TEST_F(TextDlgTest, OkCorrectsEveryEditWithoutLeavingIt) {
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  Type(dialog, CTextDlg::kHeightEdit, "12.34567");
                  Type(dialog, CTextDlg::kWidthEdit, "123.46");
                  Type(dialog, CTextDlg::kCharSpaceEdit, "nan");
                  Type(dialog, CTextDlg::kLineSpaceEdit, "-4");
                  Find<QPlainTextEdit>(dialog, CTextDlg::kTextEdit)->setPlainText("AB\nC");
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_DOUBLE_EQ(record.height, 12.346);
    EXPECT_DOUBLE_EQ(record.widthPercent, 123.5);
    EXPECT_EQ(record.charSpace, 0.0);
    EXPECT_EQ(record.lineSpace, 0.0);
    EXPECT_EQ(record.text, "AB\nC");
}

TEST_F(TextDlgTest, LeavingAnEditShowsItsCorrection) {
    CTextDlg dialog(nullptr);
    Leave(dialog, CTextDlg::kHeightEdit, "0.2");
    Leave(dialog, CTextDlg::kWidthEdit, "0.5");
    EXPECT_EQ(Find<QLineEdit>(dialog, CTextDlg::kHeightEdit)->text(), "0.500");
    EXPECT_EQ(Find<QLineEdit>(dialog, CTextDlg::kWidthEdit)->text(), "1.000");
}

TEST_F(TextDlgTest, KindComboShowsOnePanelOnTheFrame) {
    EditTextParam = CTextParam();
    EditTextParam.varTextOn = 1;
    CTextDlg dialog(nullptr);
    auto* frame = Find<QFrame>(dialog, CTextDlg::kPanelFrame);
    auto* date = dialog.findChild<CDateTextDlg*>();
    auto* serial = dialog.findChild<CSnTextDlg*>();
    EXPECT_EQ(date->parentWidget(), frame);
    EXPECT_EQ(serial->parentWidget(), frame);
    EXPECT_FALSE(date->isHidden());
    EXPECT_TRUE(serial->isHidden());
    Find<QComboBox>(dialog, CTextDlg::kKindCombo)->setCurrentIndex(1);
    EXPECT_TRUE(date->isHidden());
    EXPECT_FALSE(serial->isHidden());
    Find<QCheckBox>(dialog, CTextDlg::kVariableCheck)->click();
    EXPECT_TRUE(date->isHidden());
    EXPECT_TRUE(serial->isHidden());
    EXPECT_TRUE(Find<QPushButton>(dialog, CTextDlg::kApplyButton)->isHidden());
}

TEST_F(TextDlgTest, KindBeyondSerialShowsTheDateAndIsStoredAsDate) {
    record.varTextOn = 1;
    record.varKind = 5;
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  EXPECT_EQ(Find<QComboBox>(dialog, CTextDlg::kKindCombo)->currentIndex(), 0);
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_EQ(record.varKind, 0);
}

TEST_F(TextDlgTest, DatePanelShowsTheStoredUnitAndOffsetSoOkKeepsThem) {
    SetClock([] { return Day(2026, 3, 5); });
    record = DateRecord(kOffsetMonths, -2);
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  EXPECT_EQ(Find<QComboBox>(dialog, CDateTextDlg::kUnitCombo)->currentText(), "Month");
                  EXPECT_EQ(Find<QLineEdit>(dialog, CDateTextDlg::kOffsetEdit)->text(), "-2");
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_EQ(record.dateOffsetUnit, kOffsetMonths);
    EXPECT_EQ(record.dateOffset, -2);
    EXPECT_EQ(record.text, "20260105");
}

struct OffsetCase {
    LocalTime today;
    int unit;
    const char* typed;
    const char* text;
    std::int16_t storedOffset;
};

TEST_F(TextDlgTest, OffsetsTypedIntoThePanelShiftByTheCalendar) {
    const OffsetCase cases[] = {
        {Day(2024, 3, 31), kOffsetMonths, "-1", "20240229", -1},
        {Day(2026, 1, 1), kOffsetDays, "-1", "20251231", -1},
        {Day(2026, 1, 1), kOffsetDays, "150", "20260531", 150},
        {Day(2024, 2, 29), kOffsetYears, "1", "20250228", 1},
        {Day(2026, 1, 1), kOffsetDays, "99999", "", 32767},
    };
    for (const OffsetCase& c : cases) {
        SetClock([today = c.today] { return today; });
        record = DateRecord(kOffsetDays, 0);
        std::string applied;
        EXPECT_EQ(Edit([&](QWidget& dialog) {
                      Find<QComboBox>(dialog, CDateTextDlg::kUnitCombo)->setCurrentIndex(c.unit);
                      Type(dialog, CDateTextDlg::kOffsetEdit, c.typed);
                      Click(dialog, CTextDlg::kApplyButton);
                      applied =
                          Find<QPlainTextEdit>(dialog, CTextDlg::kTextEdit)->toPlainText().toStdString();
                      Click(dialog, CTextDlg::kOkButton);
                  }),
                  0)
            << c.typed;
        if (*c.text != '\0') {
            EXPECT_EQ(applied, c.text) << c.typed;
            EXPECT_EQ(record.text, c.text) << c.typed;
        }
        EXPECT_EQ(record.dateOffset, c.storedOffset) << c.typed;
        EXPECT_EQ(record.dateOffsetUnit, c.unit) << c.typed;
    }
}

TEST_F(TextDlgTest, DateListShowsFifteenSamplesAtTheClock) {
    SetClock([] { return Day(2026, 3, 5); });
    EditTextParam = DateRecord(kOffsetDays, 0);
    CTextDlg dialog(nullptr);
    auto* list = Find<QListWidget>(dialog, CDateTextDlg::kFormatList);
    ASSERT_EQ(list->count(), 15);
    EXPECT_EQ(list->item(9)->text(), "European Date Time[05/03/2026p]");
}

struct RefusalCase {
    std::uint16_t fontKind;
    const char* shxFont;
    const char* text;
    const char* message;  // empty when OK closes the dialog
};

TEST_F(TextDlgTest, OkRefusesWhatTheFontCannotDrawAndStaysOpen) {
    const RefusalCase cases[] = {
        {CTextParam::kShxFont, "ROMANS.SHX", "中文", "Exist not support character!"},
        {CTextParam::kShxFont, "ROMANS.SHX", "\x7f", "Exist not support character!"},
        {CTextParam::kShxFont, "FS.SHX", "中文", ""},
        {CTextParam::kTrueTypeFont, "ROMANS.SHX", "中文", ""},
        {CTextParam::kTrueTypeFont, "FS.SHX", "", "No text!"},
    };
    for (const RefusalCase& c : cases) {
        messages.Clear();
        EditTextParam = CTextParam();
        EditTextParam.fontKind = c.fontKind;
        EditTextParam.shxFont = c.shxFont;
        EditTextParam.text = c.text;
        CTextDlg dialog(nullptr);
        dialog.accept();
        const bool refused = *c.message != '\0';
        EXPECT_EQ(dialog.result(), refused ? QDialog::Rejected : QDialog::Accepted) << c.shxFont << c.text;
        ASSERT_EQ(messages.Shown().size(), refused ? 1u : 0u) << c.shxFont << c.text;
        if (refused) {
            EXPECT_EQ(messages.Shown()[0].text, c.message);
        }
    }
}

TEST_F(TextDlgTest, ChineseCaptionsForLanguageZero) {
    record.text = "";
    EXPECT_EQ(Edit(
                  [this](QWidget& dialog) {
                      EXPECT_EQ(dialog.windowTitle(), "文字");
                      EXPECT_EQ(Find<QPushButton>(dialog, CTextDlg::kOkButton)->text(), "确定");
                      Click(dialog, CTextDlg::kOkButton);
                      ASSERT_EQ(messages.Shown().size(), 1u);
                      EXPECT_EQ(messages.Shown()[0].text, "文字不能为空!");
                      Click(dialog, dialogkit::kCancelButton);
                  },
                  0),
              1);
}

TEST_F(TextDlgTest, FontsTheListsLackStayTheTextsFonts) {
    record.trueTypeFont = "No Such Face";
    record.shxFont = "GONE.SHX";
    EXPECT_EQ(Edit([](QWidget& dialog) { Click(dialog, CTextDlg::kOkButton); }), 0);
    EXPECT_EQ(record.trueTypeFont, "No Such Face");
    EXPECT_EQ(record.shxFont, "GONE.SHX");
}

TEST_F(TextDlgTest, PickedFontsAndKindAreStored) {
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  Find<QRadioButton>(dialog, CTextDlg::kShxRadio)->click();
                  auto* shx = Find<QComboBox>(dialog, CTextDlg::kShxCombo);
                  shx->setCurrentIndex(shx->findText("ROMANS.SHX"));
                  auto* trueType = Find<QComboBox>(dialog, CTextDlg::kTrueTypeCombo);
                  trueType->setCurrentIndex(trueType->findText("DejaVu Serif"));
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_EQ(record.fontKind, CTextParam::kShxFont);
    EXPECT_EQ(record.shxFont, "ROMANS.SHX");
    EXPECT_EQ(record.trueTypeFont, "DejaVu Serif");
}

TEST_F(TextDlgTest, SerialTextShowsItsCurrentNumberAfterApplyThriceAndOk) {
    record.varTextOn = 1;
    record.varKind = 1;
    record.snCurrent = "0007";
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  for (int apply = 0; apply < 3; ++apply) {
                      Click(dialog, CTextDlg::kApplyButton);
                  }
                  EXPECT_EQ(Find<QPlainTextEdit>(dialog, CTextDlg::kTextEdit)->toPlainText(), "0007");
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_EQ(record.snCurrent, "0007");
    EXPECT_EQ(record.text, "0007");
}

TEST_F(TextDlgTest, SerialEditsAreStoredAndATypedIncrementSaturates) {
    record.varTextOn = 1;
    record.varKind = 1;
    EXPECT_EQ(Edit([](QWidget& dialog) {
                  Type(dialog, CSnTextDlg::kPrefixEdit, "N");
                  Type(dialog, CSnTextDlg::kCurrentEdit, "0042");
                  Type(dialog, CSnTextDlg::kIncrementEdit, "99999999999");
                  Type(dialog, CSnTextDlg::kSuffixEdit, "-B");
                  Click(dialog, CTextDlg::kOkButton);
              }),
              0);
    EXPECT_EQ(record.snIncrement, 2147483647);
    EXPECT_EQ(record.text, "N0042-B");
}

// Opens the serial extension from the panel, drives it, and returns once both dialogs are closed.
short EditExtension(CTextParam& params, std::function<void(QWidget&)> driveExtension, int okOrCancel) {
    params.varTextOn = 1;
    params.varKind = 1;
    WhenModal([driveExtension, okOrCancel](QWidget& dialog) {
        WhenModal([driveExtension, okOrCancel](QWidget& extension) {
            driveExtension(extension);
            Click(extension, okOrCancel);
        });
        Click(dialog, CSnTextDlg::kExtendButton);
        Click(dialog, CTextDlg::kOkButton);
    });
    return _text_edit(&params, 1);
}

void ChangeEverySetting(QWidget& extension) {
    Find<QCheckBox>(extension, CSnExtendDlg::kResetCheck)->click();
    Find<QCheckBox>(extension, CSnExtendDlg::kLeadingZerosCheck)->click();
    Find<QCheckBox>(extension, CSnExtendDlg::kArrayCheck)->click();
    Type(extension, CSnExtendDlg::kCountXEdit, "0");
    Type(extension, CSnExtendDlg::kCountYEdit, "-3");
    Type(extension, CSnExtendDlg::kSpacingXEdit, "-20000");
    Type(extension, CSnExtendDlg::kSpacingYEdit, "2.0006");
    Click(extension, CSnExtendDlg::kDirectionXButton);
    Click(extension, CSnExtendDlg::kDirectionYButton);
}

TEST_F(TextDlgTest, ExtensionCancelKeepsResetZerosAndArray) {
    const CTextParam before = record;
    EXPECT_EQ(EditExtension(record, ChangeEverySetting, dialogkit::kCancelButton), 0);
    EXPECT_EQ(record.snResetOn, before.snResetOn);
    EXPECT_EQ(record.snKeepZeros, before.snKeepZeros);
    EXPECT_EQ(record.snArrayOn, before.snArrayOn);
    EXPECT_EQ(record.snArrayCount1, before.snArrayCount1);
    EXPECT_EQ(record.auxWord2, before.auxWord2);
}

TEST_F(TextDlgTest, ExtensionOkStoresCorrectedCountsSpacingsAndDirections) {
    const CTextParam before = record;
    EXPECT_EQ(EditExtension(record, ChangeEverySetting, dialogkit::kOkButton), 0);
    EXPECT_EQ(record.snResetOn, 1 - before.snResetOn);
    EXPECT_EQ(record.snKeepZeros, 1 - before.snKeepZeros);
    EXPECT_EQ(record.snArrayOn, 1 - before.snArrayOn);
    EXPECT_EQ(record.snArrayCount1, 1);
    EXPECT_EQ(record.snArrayCount2, 1000);
    EXPECT_EQ(record.snArraySpacing1, -10000.0);
    EXPECT_DOUBLE_EQ(record.snArraySpacing2, 2.001);
    EXPECT_EQ(record.auxWord2, 1);
    EXPECT_EQ(record.auxWord3, 1);
    EXPECT_EQ(record.skipRules, before.skipRules);
}

}  // namespace
}  // namespace letterforge
