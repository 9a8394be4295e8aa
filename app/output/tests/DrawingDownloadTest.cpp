// The drawing's job on its way into the controller: Start's job as the machine kept it is the job the
// same drawing writes to a file, and a document download works through a file of its own in temp/, so
// that a document name never names a program file.
#include "ControllerFixture.h"
#include "DrawingDownload.h"
#include "JobTestSupport.h"
#include "RecordingMessageSink.h"
#include "TransferFiles.h"

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;
namespace emulator = motionlink::emulator;

// The outline of a letter L, 20 mm high:
//
//   (0,20) +--+ (4,20)
//          |  |
//          |  +------+ (12,4)
//   (0,0)  +---------+ (12,0)
std::unique_ptr<CCadCurve> LetterL() {
    const SDPoint corners[] = {{0, 0}, {12, 0}, {12, 4}, {4, 4}, {4, 20}, {0, 20}};
    auto curve = std::make_unique<CCadCurve>();
    for (std::size_t at = 0; at < std::size(corners); ++at) {
        CFileLine segment;
        segment.start = corners[at];
        segment.end = corners[(at + 1) % std::size(corners)];
        curve->pathList.AddTail(segment);
    }
    curve->closed = 1;
    curve->CalRect();
    return curve;
}

class DrawingDownloadTest : public JobFixture {
  protected:
    void SetUp() override {
        JobFixture::SetUp();
        WriteDefaultTexts();
        ConnectToLoopback();
    }
    void TearDown() override {
        JobDestinationFlag = 0;
        JobFixture::TearDown();
    }

    static std::vector<std::filesystem::path> TempFiles() {
        std::vector<std::filesystem::path> files;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(platform::ProgramFolder() / "temp", error)) {
            files.push_back(entry.path());
        }
        return files;
    }

    platform::RecordingMessageSink messages_;
};

TEST_F(DrawingDownloadTest, StartedJobKeptByTheMachineIsTheJobOfTheSameDrawingInAFile) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.keepJobsFolder = platform::ProgramFile("kept");
    InProcessEmulator controller(options);
    Add(LetterL());
    JobDestinationFlag = 1;
    CDataProcessDlg start;
    ASSERT_EQ(start.DoModal(), platform::kResultOk);
    JobDestinationFlag = 0;
    const std::filesystem::path file = JobFile();
    ASSERT_EQ(WriteJob(file), 0u);
    const std::vector<Cmd> written = ReadJob(file);
    EXPECT_FALSE(written.empty());
    EXPECT_EQ(ReadJob(options.controller.keepJobsFolder / "job-1.zint"), written);
}

// A document named like a program file: the job once went to the program folder under the name typed.
TEST_F(DrawingDownloadTest, DocumentNamedConfigTouchesNoProgramFile) {
    InProcessEmulator controller;
    Add(LetterL());
    const std::vector<std::uint8_t> config = {'k', 'e', 'e', 'p'};
    const std::filesystem::path configFile = WriteTestFile("config", config);
    ASSERT_EQ(DownloadDrawingAsDocument("config", messages_), DrawingDownloadResult::kDone);
    EXPECT_EQ(FileBytes(configFile), config);
    EXPECT_TRUE(TempFiles().empty());
    const auto state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_EQ(state.documents[0].name, "config");
    const std::filesystem::path file = JobFile();
    ASSERT_EQ(WriteJob(file), 0u);
    EXPECT_TRUE(state.documents[0].bytes == FileBytes(file));
}

TEST_F(DrawingDownloadTest, FailuresLeaveNoJobFileInTemp) {
    struct Case {
        const char* name;
        bool drawing;
        DrawingDownloadResult result;
    };
    const Case cases[] = {
        {"empty drawing", false, DrawingDownloadResult::kJobFailed},
        {"no controller", true, DrawingDownloadResult::kDownloadFailed},
    };
    motionlink::testing::NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    ConnectSetting.defaultAddress = {127, 83, 91, 7};
    for (const Case& c : cases) {
        theCadMgr.DeleteAll();
        if (c.drawing) {
            Add(LetterL());
        }
        EXPECT_EQ(DownloadDrawingAsDocument("NAME", messages_), c.result) << c.name;
        EXPECT_TRUE(TempFiles().empty()) << c.name;
    }
}

}  // namespace
}  // namespace joboutput::testing
