#include "MatrixDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "EditWindowFixture.h"

namespace {

using namespace dialogs::edit;
using dialogs::edit::ui::CMatrixDlg;

class MatrixDlgTest : public EditWindowFixture {
  protected:
    void SetUp() override {
        EditWindowFixture::SetUp();
        LastArrayDirection() = ArrayDirection{};
        AddSquare(0, 0, 20);
        manager->SelectAll();
        StartHistory();
    }
    // Types into the edit and leaves it, as the user does.
    static void Type(CMatrixDlg& dialog, int id, const char* text) {
        QLineEdit& edit = Edit(dialog, id);
        edit.setFocus();
        edit.setText(text);
        emit edit.editingFinished();
    }
};

TEST_F(MatrixDlgTest, EditsAreTidiedWhenLeft) {
    CMatrixDlg dialog(nullptr, *manager);
    dialog.show();
    struct Case {
        int id;
        const char* typed;
        const char* shown;
    };
    const Case cases[] = {
        {CMatrixDlg::kColumnsEdit, "0", "1"},           {CMatrixDlg::kColumnsEdit, "abc", "1"},
        {CMatrixDlg::kRowsEdit, "70000", "65535"},      {CMatrixDlg::kColumnGapEdit, "-30", "-20.000"},
        {CMatrixDlg::kColumnGapEdit, "-1.2346", "-1.235"}, {CMatrixDlg::kRowGapEdit, "0.0005", "0.001"},
    };
    for (const Case& c : cases) {
        Type(dialog, c.id, c.typed);
        EXPECT_EQ(Edit(dialog, c.id).text(), c.shown) << c.typed;
    }
}

TEST_F(MatrixDlgTest, CopyMakesTheGridTowardTheChosenDirectionInOneUndoStep) {
    CMatrixDlg dialog(nullptr, *manager);
    dialog.show();
    Type(dialog, CMatrixDlg::kColumnsEdit, "3");
    Type(dialog, CMatrixDlg::kColumnGapEdit, "5");
    Click(dialog, CMatrixDlg::kDirectionButton);  // 1: columns grow to the left
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(LastArrayDirection().value, 1);
    CCadRect data;
    ASSERT_EQ(manager->GetDataRect(data), 1);
    EXPECT_NEAR(data.x1, -50.0, 1e-9);
    EXPECT_NEAR(data.x2, 20.0, 1e-9);
    EXPECT_EQ(UndoStepsTaken(), 1);
}

TEST_F(MatrixDlgTest, CancelCopiesNothingAndForgetsTheTurnedDirection) {
    CMatrixDlg dialog(nullptr, *manager);
    dialog.show();
    Click(dialog, CMatrixDlg::kDirectionButton);
    Click(dialog, dialogkit::kCancelButton);
    EXPECT_EQ(LastArrayDirection().value, 0);
    EXPECT_EQ(ElementLefts(), std::vector<double>{0.0});
    EXPECT_EQ(UndoStepsTaken(), 0);
}

TEST_F(MatrixDlgTest, FillProposesTheCountsThatFillTheArea) {
    manager->ClearSelection();
    CCadCurve* wide = AddCurve({{0, 0}, {20, 0}, {20, 10}, {0, 10}}, true);
    manager->AddToSelection(wide);
    CMatrixDlg dialog(nullptr, *manager);
    dialog.show();
    Type(dialog, CMatrixDlg::kColumnGapEdit, "5");
    dialog.FillArea({100, 100});
    EXPECT_EQ(Edit(dialog, CMatrixDlg::kColumnsEdit).text(), "4");
    EXPECT_EQ(Edit(dialog, CMatrixDlg::kRowsEdit).text(), "10");
}

}  // namespace
