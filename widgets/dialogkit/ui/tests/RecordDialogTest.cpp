// The record dialog over a small record: the binder's wiring, the enabling rules following a box as it
// is clicked, Enter taking the focused edit, and the invariants that stop a wrongly bound dialog.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "DialogControls.h"
#include "DialogMessages.h"
#include "RecordDialog.h"
#include "RecordingMessageSink.h"
#include "TextLookup.h"
#include "WidgetTestApplication.h"

namespace dialogkit {
namespace {

struct Blowing {
    std::uint32_t blowerOn = 0;
    double pressureKPa = 20.0;
};

constexpr int kBlowerBox = 1101;
constexpr int kPressureEdit = 1102;

template <typename Visit>
void VisitFields(Blowing& record, Visit&& visit) {
    visit(FieldInfo{"Blower", "", {0, 1, true}, 0, kBlowerBox}, record.blowerOn);
    visit(FieldInfo{"Pressure", "kPa", {5, 80, false}, 1, kPressureEdit}, record.pressureKPa);
}

// The pressure only matters with the blower on.
struct BlowingForm {
    using Record = Blowing;
    void Load(const Blowing& original) { copy = original; }
    Blowing& Edited() { return copy; }
    FormEnabling Enabled() const { return {{kPressureEdit, copy.blowerOn != 0}}; }
    std::optional<FormProblem> Check() const { return std::nullopt; }
    Blowing copy;
};

class BlowingDialog : public RecordDialog<BlowingForm> {
  public:
    BlowingDialog(const Blowing& original, Applier apply, bool withPressureEdit = true)
        : RecordDialog(nullptr, BlowingForm{}, original, std::move(apply)) {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(MakeCheck(this, kBlowerBox, "blower"));
        if (withPressureEdit) {
            layout->addWidget(MakeEdit(this, kPressureEdit));
        }
        layout->addWidget(MakeButton(this, kOkButton, "OK"));
        layout->addWidget(MakeButton(this, kCancelButton, "Cancel"));
        BindControls();
    }
};

class RecordDialogTest : public platform::WidgetTest {
  protected:
    RecordDialogTest() {
        SetMessageSink(&messages);
        widgets::SetTextLookup(
            [](const std::string& section, const std::string& key) { return section + "/" + key; });
    }
    ~RecordDialogTest() override {
        SetMessageSink(nullptr);
        widgets::SetTextLookup(nullptr);
    }

    platform::RecordingMessageSink messages;
};

TEST_F(RecordDialogTest, TheFieldsAreShownWithTheirDecimalsAndEnabling) {
    BlowingDialog dialog(Blowing{0, 20.0}, nullptr);
    EXPECT_EQ(Find<QLineEdit>(dialog, kPressureEdit)->text(), "20.0");
    EXPECT_FALSE(Find<QLineEdit>(dialog, kPressureEdit)->isEnabled());
}

TEST_F(RecordDialogTest, ClickingTheBoxEnablesTheEditAtOnce) {
    BlowingDialog dialog(Blowing{}, nullptr);
    Find<QCheckBox>(dialog, kBlowerBox)->click();
    EXPECT_TRUE(Find<QLineEdit>(dialog, kPressureEdit)->isEnabled());
}

TEST_F(RecordDialogTest, EnterInAnEditAppliesWhatWasTypedThere) {
    Blowing applied;
    BlowingDialog dialog(Blowing{1, 20.0}, [&](BlowingForm& form) { applied = form.copy; });
    dialog.show();
    QLineEdit* edit = Find<QLineEdit>(dialog, kPressureEdit);
    edit->setFocus();
    edit->setText("42.5");
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(applied.pressureKPa, 42.5);
    EXPECT_EQ(applied.blowerOn, 1u);
}

TEST_F(RecordDialogTest, TheMessageIsTheLanguageTextFollowedByTheRange) {
    BlowingDialog dialog(Blowing{1, 20.0}, nullptr);
    Find<QLineEdit>(dialog, kPressureEdit)->setText("90");
    Find<QPushButton>(dialog, kOkButton)->click();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "DialogKit/2 5.0 - 80.0 kPa");
}

using RecordDialogDeathTest = RecordDialogTest;

TEST_F(RecordDialogDeathTest, AFieldWhoseControlIsMissingStopsTheProgram) {
    EXPECT_DEATH(BlowingDialog(Blowing{}, nullptr, false), "invariant broken");
}

struct Twice {
    double firstMm = 0.0;
    double secondMm = 0.0;
};

template <typename Visit>
void VisitFields(Twice& record, Visit&& visit) {
    visit(FieldInfo{"First", "mm", {0, 1, false}, 1, kPressureEdit}, record.firstMm);
    visit(FieldInfo{"Second", "mm", {0, 1, false}, 1, kPressureEdit}, record.secondMm);
}

TEST_F(RecordDialogDeathTest, TwoFieldsOnOneControlStopTheProgram) {
    QWidget window;
    MakeEdit(&window, kPressureEdit);
    Twice record;
    EXPECT_DEATH(FieldBinder().Bind(window, record, nullptr), "invariant broken");
}

}  // namespace
}  // namespace dialogkit
