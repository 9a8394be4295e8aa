// The parameter library dialog by control ids over the test's own Param.lib: a duplicate answered No
// leaves the file's bytes, a set of the other kind is refused with its message, deleting the last of
// three shows the first, a file that could not be read is reported and never written over, and a loaded
// set reaches the edited layer.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPlainTextEdit>

#include "AtomicFile.h"
#include "CadVectorLayer.h"
#include "DialogMessages.h"
#include "LayerDialogFixture.h"
#include "ParamLibDlg.h"
#include "RecordingMessageSink.h"

namespace {

using Lib = CParamLibDlg;

std::vector<std::uint8_t> Bytes(const std::filesystem::path& file) {
    return platform::ReadWholeFile(file).value_or(std::vector<std::uint8_t>{});
}

class ParamLibDlgTest : public LayerDialogFixture {
  protected:
    void SetUp() override {
        LayerDialogFixture::SetUp();
        dialogkit::SetMessageSink(&messages);
        std::filesystem::remove_all(GetParamLibPath());
        vectorLayer = AddSquare(0, 0, 5)->layer;
        bitmapLayer = Add(MakeBitmap(4, 4, {20, 20}))->layer;
        vectorLayer->BeginEdit();
        bitmapLayer->BeginEdit();
        CurrentEditLayer = vectorLayer;
    }
    void TearDown() override {
        dialogkit::SetMessageSink(nullptr);
        LayerDialogFixture::TearDown();
    }
    // Saves the edited layer under the name through the dialog's Save as.
    static void SaveAs(Lib& dialog, const std::string& name) {
        dialog.SetNameAsker([name](QWidget*, std::string& asked, std::string& note) {
            asked = name;
            note = "from a test";
            return true;
        });
        Click(dialog, Lib::kSaveAsButton);
    }
    static QStringList Listed(const Lib& dialog) {
        QStringList names;
        const auto& list = Get<QListWidget>(dialog, Lib::kSetList);
        for (int row = 0; row < list.count(); ++row) {
            names << list.item(row)->text();
        }
        return names;
    }

    platform::RecordingMessageSink messages;
    CCadLayer* vectorLayer = nullptr;
    CCadLayer* bitmapLayer = nullptr;
};

TEST_F(ParamLibDlgTest, DuplicateAnsweredNoLeavesTheFileAsItWas) {
    {
        Lib dialog(nullptr);
        SaveAs(dialog, "Wood");
    }
    const std::vector<std::uint8_t> before = Bytes(GetParamLibPath());
    ASSERT_FALSE(before.empty());
    vectorLayer->editCommonParams.COM_Speed = 77.0;
    Lib dialog(nullptr);
    messages.ScriptAnswers({platform::kResultNo});
    SaveAs(dialog, "WOOD");
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Parameters is duplicate,cover it?");
    EXPECT_EQ(Bytes(GetParamLibPath()), before);
    EXPECT_EQ(Listed(dialog), QStringList{"Wood"});
}

TEST_F(ParamLibDlgTest, SetOfTheOtherKindIsRefusedAndTheDialogStays) {
    {
        Lib dialog(nullptr);
        SaveAs(dialog, "Photo engraving");  // from the vector layer
    }
    CurrentEditLayer = bitmapLayer;
    Lib dialog(nullptr);
    dialog.show();
    Get<QListWidget>(dialog, Lib::kSetList).setCurrentRow(0);
    Click(dialog, Lib::kLoadButton);
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_EQ(messages.Shown()[0].text, "Layer type is not match,Target layer is Dib,Para layer is Vector.");
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ParamLibDlgTest, DeletingTheLastOfThreeShowsTheFirst) {
    Lib dialog(nullptr);
    for (const char* name : {"One", "Two", "Three"}) {
        SaveAs(dialog, name);
    }
    EXPECT_EQ(Get<QListWidget>(dialog, Lib::kSetList).currentRow(), 2);
    Click(dialog, Lib::kDeleteButton);
    EXPECT_EQ(Listed(dialog), (QStringList{"One", "Two"}));
    EXPECT_EQ(Get<QListWidget>(dialog, Lib::kSetList).currentRow(), 0);
    EXPECT_EQ(Get<QPlainTextEdit>(dialog, Lib::kNoteBox).toPlainText(), "from a test");
    Lib reopened(nullptr);
    EXPECT_EQ(Listed(reopened), (QStringList{"One", "Two"}));
}

TEST_F(ParamLibDlgTest, LibraryThatCouldNotBeReadIsReportedAndKeptAsItIs) {
    std::filesystem::create_directories(GetParamLibPath());
    Lib dialog(nullptr);
    dialog.ReportOpening();
    ASSERT_EQ(messages.Shown().size(), 1u);
    EXPECT_NE(messages.Shown()[0].text.find("The file is kept"), std::string::npos);
    EXPECT_FALSE(Get<QPushButton>(dialog, Lib::kSaveAsButton).isEnabled());
    EXPECT_FALSE(Get<QPushButton>(dialog, Lib::kDeleteButton).isEnabled());
    EXPECT_TRUE(std::filesystem::is_directory(GetParamLibPath()));
}

TEST_F(ParamLibDlgTest, LoadedSetReachesTheEditedLayerAndTheSummaryShowsIt) {
    vectorLayer->editCommonParams.COM_Speed = 42.0;
    vectorLayer->editCommonParams.COM_Pmin1 = 10.0;
    {
        Lib dialog(nullptr);
        SaveAs(dialog, "Fast");
    }
    CCadLayer* other = AddSquare(30, 0, 5, 0x00FF00)->layer;
    other->BeginEdit();
    CurrentEditLayer = other;
    Lib dialog(nullptr);
    Get<QListWidget>(dialog, Lib::kSetList).setCurrentRow(0);
    const QString summary = Get<QPlainTextEdit>(dialog, Lib::kSummaryBox).toPlainText();
    EXPECT_TRUE(summary.contains("Speed:42.0")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("Laser1:10.0%--30.0%")) << summary.toStdString();
    Click(dialog, Lib::kLoadButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(other->editCommonParams.COM_Speed, 42.0);
}

}  // namespace
