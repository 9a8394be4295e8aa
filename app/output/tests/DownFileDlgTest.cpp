// The download box: a job file goes into the controller's document store in pieces of 1024 bytes with
// one start before them; refusals and failures end it with Cancel and store nothing.
#include "ControllerFixture.h"
#include "DownFileDlg.h"
#include "JobFileTransfer.h"
#include "MessageSink.h"
#include "Progress.h"
#include "RecordingMessageSink.h"
#include "TestJobs.h"
#include "TransferFiles.h"

#include <chrono>
#include <thread>

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::PatternBytes;

TEST(JobPieceLengthsTest, FullPiecesThenTheRest) {
    struct Case {
        std::uint64_t fileBytes;
        std::vector<std::uint32_t> pieces;
    };
    const Case cases[] = {
        {3000, {1024, 1024, 952}}, {500, {500}}, {1024, {1024}}, {2048, {1024, 1024}}, {0, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JobPieceLengths(c.fileBytes), c.pieces) << c.fileBytes;
    }
}

class DownFileDlgTest : public ControllerFixture {
  protected:
    platform::RecordingMessageSink messages_;
};

TEST_F(DownFileDlgTest, FileIsStoredWholeAsOneDocument) {
    InProcessEmulator controller;
    const std::vector<std::uint8_t> job = PatternBytes(3000);
    CDownFileDlg dialog(messages_);
    ASSERT_EQ(dialog.SetTarget(WriteTestFile("job.zint", job).string(), "PIECES"), 1);
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    const auto state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_EQ(state.documents[0].name, "PIECES");
    EXPECT_TRUE(state.documents[0].bytes == job);
    EXPECT_EQ(WaitText.Get(), "Downloading file,Please wait...");
}

// Progress counted in pieces overshot for a file whose last piece is short (3 pieces of "1/2" each).
TEST_F(DownFileDlgTest, ProgressIsTheShareOfBytesSentAndEndsAtOne) {
    InProcessEmulator controller;
    CDownFileDlg dialog(messages_);
    ASSERT_EQ(dialog.SetTarget(WriteTestFile("job.zint", PatternBytes(3000)).string(), "SHARE"), 1);
    ASSERT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_DOUBLE_EQ(ProgressRatio.load(), 1.0);
}

TEST_F(DownFileDlgTest, SetTargetTakesOnlyAnExistingFileAndAName) {
    const std::string existing = WriteTestFile("job.zint", PatternBytes(10)).string();
    const std::string missing = platform::ProgramFile("missing.zint").string();
    struct Case {
        std::string path;
        std::string name;
        int result;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {existing, "NAME", 1, {}},
        {"", "NAME", 0, {}},
        {existing, "", 0, {}},
        {missing, "NAME", 0, {"Target file is not exist!"}},
        {platform::ProgramFolder().string(), "NAME", 0, {"Target file is not exist!"}},
    };
    for (const Case& c : cases) {
        messages_.Clear();
        CDownFileDlg dialog(messages_);
        EXPECT_EQ(dialog.SetTarget(c.path, c.name), c.result) << c.path << " " << c.name;
        std::vector<std::string> shown;
        for (const auto& box : messages_.Shown()) {
            shown.push_back(box.text);
        }
        EXPECT_EQ(shown, c.messages) << c.path;
        EXPECT_EQ(dialog.filePath, c.result == 1 ? c.path : "");
    }
}

TEST_F(DownFileDlgTest, FailuresEndWithCancelAndStoreNothing) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool removeAfterTarget;  // the file goes away between SetTarget and the worker
        bool controllerUp;
    };
    const Case cases[] = {
        {"empty file", {}, false, true},
        {"file gone", PatternBytes(100), true, true},
        {"no controller", PatternBytes(100), false, false},
    };
    for (const Case& c : cases) {
        const std::filesystem::path path = WriteTestFile("job.zint", c.bytes);
        std::optional<InProcessEmulator> controller;
        if (c.controllerUp) {
            controller.emplace();
        } else {
            ConnectSetting.defaultAddress = {127, 83, 91, 7};
        }
        motionlink::testing::NoController nobody;
        if (!c.controllerUp) {
            motionlink::testing::UseControllerPort(nobody.Port());
        }
        CDownFileDlg dialog(messages_);
        ASSERT_EQ(dialog.SetTarget(path.string(), "FAIL"), 1) << c.name;
        if (c.removeAfterTarget) {
            std::filesystem::remove(path);
        }
        EXPECT_EQ(dialog.DoModal(), platform::kResultCancel) << c.name;
        if (controller) {
            EXPECT_TRUE(controller->Server().StateSnapshot().documents.empty()) << c.name;
        }
        ConnectToLoopback();
    }
}

// Switches the controller off once a share of the file is on its way, as a cable pulled mid-download.
class PullCableRunner final : public ModalRunner {
  public:
    explicit PullCableRunner(InProcessEmulator& controller) : controller_(controller) {}
    int Run(WorkerTask& task) override {
        task.Start();
        while (task.threadHandle && ProgressRatio.load() < 0.3) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        controller_.Server().Stop();
        task.Join();
        return task.Result();
    }

  private:
    InProcessEmulator& controller_;
};

TEST_F(DownFileDlgTest, ControllerGoneMidDownloadFailsAndStoresNothing) {
    InProcessEmulator controller;
    CDownFileDlg dialog(messages_);
    ASSERT_EQ(dialog.SetTarget(WriteTestFile("big.zint", PatternBytes(1024 * 1024)).string(), "CUT"), 1);
    PullCableRunner pullCable(controller);
    SetModalRunner(&pullCable);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    SetModalRunner(nullptr);
    EXPECT_TRUE(controller.Server().StateSnapshot().documents.empty());
}

}  // namespace
}  // namespace joboutput::testing
