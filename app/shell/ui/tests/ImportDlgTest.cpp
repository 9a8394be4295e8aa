#include "ImportDlg.h"

#include <QLabel>
#include <QTimer>

#include "ElementBuilders.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

class ImportDlgTest : public platform::WidgetTest {
  protected:
    ImportDlgTest() { LanguageIndex = kLanguageEnglish; }

    CImportStaging staging;
    FileParaSettings settings;
    platform::RecordingMessageSink messages;
};

TEST_F(ImportDlgTest, TheWorkerCleansTheStagingListBehindTheBoxWhichEndsOnceItIsDone) {
    // Two open lines of one colour whose ends lie 0.05 mm apart.
    staging.elements.AddTail(MakeCurve({{0, 0}, {10, 0}}).release());
    staging.elements.AddTail(MakeCurve({{10.05, 0}, {20, 0}}).release());
    settings.combineLines = 1;
    settings.combineErrorMm = 0.1;
    ImportWorkerJob job{&staging, &settings, 0x00FF00};
    CImportDlg dialog(job, messages);
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(ImportDone.load(), 1);
    EXPECT_EQ(staging.elements.GetCount(), 1);
    EXPECT_TRUE(messages.Shown().empty());
    const auto* text = dialog.findChild<QLabel*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(platform::ControlId(*text), CImportDlg::kTextId);
    EXPECT_TRUE(text->text().startsWith(QStringLiteral("Please wait")));
}

TEST_F(ImportDlgTest, EscapeDoesNotLeaveTheBoxWhileTheWorkerRuns) {
    settings.smoothCurves = 1;
    for (int line = 0; line < 2000; ++line) {
        staging.elements.AddTail(MakeCurve({{0, line * 1.0}, {5, line + 3.0}, {9, line + 0.5}}).release());
    }
    ImportWorkerJob job{&staging, &settings, 0};
    CImportDlg dialog(job, messages);
    QTimer::singleShot(0, &dialog, [&dialog] { dialog.reject(); });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(ImportDone.load(), 1);
}

TEST_F(ImportDlgTest, TheWaitTextFollowsTheLanguage) {
    LanguageIndex = kLanguageSimplifiedChinese;
    EXPECT_EQ(CImportDlg::WaitText(), QStringLiteral("正导入文件处理,请稍侯"));
    LanguageIndex = kLanguageEnglish;
    EXPECT_EQ(CImportDlg::WaitText(), QStringLiteral("Please wait"));
}

}  // namespace
