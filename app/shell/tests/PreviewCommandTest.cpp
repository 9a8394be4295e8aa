// The Preview command over the program's drawing: what is previewed for an empty drawing or selection, a
// job written and read back while the preview shows it, a failed job, and the origin corners.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "DataProcessDlg.h"
#include "GeometryTestHelpers.h"
#include "Jobscan.h"
#include "LanguageTexts.h"
#include "PreviewCommand.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

struct PreviewShown {
    std::string path;
    std::uint16_t corner;
    std::size_t commandsInFile;  // what the job reader found in the file while the preview was open
};

// Runs the real job writer in place of the processing dialog, or fails as a cancelled one does, and
// records what the preview was given.
class RecordingPreviewWindows final : public PreviewWindows {
  public:
    bool RunProcessing(const std::filesystem::path& jobFile) override {
        processedFiles.push_back(jobFile);
        if (failProcessing) {
            return false;
        }
        CDataProcessDlg dialog;
        dialog.filePath = jobFile.string();
        CDataProcessDlg::WriteJobThread(&dialog);
        return dialog.failed == 0;
    }
    void ShowJobPreview(const std::string& jobPath, std::uint16_t, std::uint16_t originCorner) override {
        std::size_t commands = 0;
        if (!jobPath.empty()) {
            CDbList<JobCommand> list;
            if (Zint_ReadZintFile(jobPath.c_str(), &list, 0) == 0) {
                commands = static_cast<std::size_t>(list.GetCount());
            }
        }
        shown.push_back({jobPath, originCorner, commands});
    }

    bool failProcessing = false;
    std::vector<std::filesystem::path> processedFiles;
    std::vector<PreviewShown> shown;
};

class PreviewCommandTest : public ::testing::Test {
  protected:
    PreviewCommandTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        theCadMgr.DeleteAll();
    }
    ~PreviewCommandTest() override {
        theCadMgr.DeleteAll();
        gProcessCtrlSettings = savedProcess;
    }

    CCadCurve* AddSquare(double x, double y, double size) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList,
                                     {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true);
        curve->closed = 1;
        curve->CalRect();
        CCadCurve* added = curve.get();
        EXPECT_EQ(theCadMgr.AddElement(curve.release()), 1);
        return added;
    }
    void Run() { RunPreviewCommand(theCadMgr, folder, windows); }

    ProcessCtrlSettings savedProcess = gProcessCtrlSettings;
    std::filesystem::path folder = platform::ProgramFolder();
    std::filesystem::path jobFile = folder / kPreviewJobFileName;
    RecordingPreviewWindows windows;
};

TEST_F(PreviewCommandTest, AnEmptyDrawingOpensAnEmptyPreviewWithoutProcessing) {
    Run();
    EXPECT_TRUE(windows.processedFiles.empty());
    ASSERT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(windows.shown[0].path, "");
}

TEST_F(PreviewCommandTest, OutputOfAnEmptySelectionOpensAnEmptyPreview) {
    AddSquare(0, 0, 20);
    gProcessCtrlSettings.outputSelectedOnly = 1;
    Run();
    EXPECT_TRUE(windows.processedFiles.empty());
    ASSERT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(windows.shown[0].path, "");
}

TEST_F(PreviewCommandTest, TheWrittenJobIsPreviewedThenRemoved) {
    AddSquare(0, 0, 20);
    Run();
    ASSERT_EQ(windows.processedFiles, std::vector<std::filesystem::path>{jobFile});
    ASSERT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(windows.shown[0].path, jobFile.string());
    EXPECT_GT(windows.shown[0].commandsInFile, 4u);  // moves and four cuts at least
    EXPECT_FALSE(std::filesystem::exists(jobFile));
}

TEST_F(PreviewCommandTest, AJobNotWrittenOpensAnEmptyPreviewAndLeavesNoFile) {
    AddSquare(0, 0, 20);
    {
        // A file an earlier, interrupted run left behind.
        std::ofstream stale(jobFile);
        stale << "stale";
    }
    windows.failProcessing = true;
    Run();
    ASSERT_EQ(windows.shown.size(), 1u);
    EXPECT_EQ(windows.shown[0].path, "");
    EXPECT_FALSE(std::filesystem::exists(jobFile));
}

TEST_F(PreviewCommandTest, WithoutAProgramFolderNothingOpens) {
    AddSquare(0, 0, 20);
    RunPreviewCommand(theCadMgr, {}, windows);
    EXPECT_TRUE(windows.processedFiles.empty());
    EXPECT_TRUE(windows.shown.empty());
}

TEST(PreviewOriginCorner, FollowsTheMirrorSwitches) {
    struct Case {
        std::uint32_t xMirror, yMirror;
        std::uint16_t corner;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{1, 0, 2}, Case{0, 1, 0}, Case{0, 0, 3}}) {
        GeneralSettings settings;
        settings.xMirror = c.xMirror;
        settings.yMirror = c.yMirror;
        EXPECT_EQ(PreviewOriginCorner(settings), c.corner) << c.xMirror << "/" << c.yMirror;
    }
}

}  // namespace
