// The send box: only job files go, their bytes stream unchanged into the controller, which runs them;
// the stop button and a bad file end it with Cancel.
#include "ControllerFixture.h"
#include "MachineStatusDlg.h"
#include "MessageSink.h"
#include "Motionlink.h"
#include "Progress.h"
#include "RecordingMessageSink.h"
#include "SendFileDlg.h"
#include "TestJobs.h"
#include "TransferFiles.h"

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;

// Presses stop as soon as the worker has started, long before a large file is through.
class StopAtOnceRunner final : public ModalRunner {
  public:
    explicit StopAtOnceRunner(CSendFileDlg& dialog) : dialog_(dialog) {}
    int Run(WorkerTask& task) override {
        task.Start();
        dialog_.OnCancelSend();
        task.Join();
        return task.Result();
    }

  private:
    CSendFileDlg& dialog_;
};

class SendFileDlgTest : public ControllerFixture {
  protected:
    bool ControllerIsProcessing() {
        CMachineStatusDlg status;
        EXPECT_EQ(status.DoModal(), platform::kResultOk);
        return status.status[0] != 0;
    }
    platform::RecordingMessageSink messages_;
};

TEST_F(SendFileDlgTest, CheckFileExtAcceptsTheJobExtensionInAnyCase) {
    struct Case {
        const char* path;
        int result;
    };
    const Case cases[] = {
        {"/a/job.zint", 1}, {"/a/job.ZINT", 1}, {"job.Zint", 1},   {"/a/job", 0},
        {"/a/job.txt", 0},  {"", 0},            {"/a/zint", 0},     {"/a/job.zint.bak", 0},
        {"/a/job.zin", 0},  {"/a/job.zintx", 0},
    };
    for (const Case& c : cases) {
        CSendFileDlg dialog(messages_);
        dialog.filePath = c.path;
        EXPECT_EQ(dialog.CheckFileExt(), c.result) << c.path;
    }
}

TEST_F(SendFileDlgTest, FileThatIsNotAJobIsRefusedBeforeAnythingOpens) {
    InProcessEmulator controller;
    CSendFileDlg dialog(messages_);
    dialog.filePath = WriteTestFile("job.txt", motionlink::testing::SampleJobBytes(2, 10.0)).string();
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    EXPECT_EQ(messages_.Shown()[0].text, "Invalid file!");
    EXPECT_EQ(dialog.threadId, 0u);
    EXPECT_FALSE(ControllerIsProcessing());
}

TEST_F(SendFileDlgTest, SentJobRunsOnTheController) {
    InProcessEmulator controller;
    CSendFileDlg dialog(messages_);
    dialog.filePath = WriteTestFile("job.ZINT", motionlink::testing::SampleJobBytes(20, 1.0)).string();
    EXPECT_EQ(dialog.DoModal(), platform::kResultOk);
    EXPECT_DOUBLE_EQ(ProgressRatio.load(), 1.0);
    EXPECT_TRUE(ControllerIsProcessing());
    EXPECT_TRUE(controller.Server().StateSnapshot().documents.empty());
}

TEST_F(SendFileDlgTest, EmptyFileEndsWithCancel) {
    InProcessEmulator controller;
    CSendFileDlg dialog(messages_);
    dialog.filePath = WriteTestFile("empty.zint", {}).string();
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
}

TEST_F(SendFileDlgTest, StoppedSendEndsWithCancelAndNothingRuns) {
    InProcessEmulator controller;
    CSendFileDlg dialog(messages_);
    dialog.filePath = WriteTestFile("big.zint", motionlink::testing::SampleJobBytes(20000, 1.0)).string();
    StopAtOnceRunner stopAtOnce(dialog);
    SetModalRunner(&stopAtOnce);
    EXPECT_EQ(dialog.DoModal(), platform::kResultCancel);
    SetModalRunner(nullptr);
    EXPECT_FALSE(ControllerIsProcessing());
}

TEST_F(SendFileDlgTest, StopWithNoWorkerRunningChangesNothing) {
    InProcessEmulator controller;
    CSendFileDlg dialog(messages_);
    dialog.filePath = WriteTestFile("job.zint", motionlink::testing::SampleJobBytes(20, 1.0)).string();
    ASSERT_EQ(dialog.DoModal(), platform::kResultOk);
    dialog.OnCancelSend();
    EXPECT_EQ(dialog.Result(), platform::kResultOk);
}

}  // namespace
}  // namespace joboutput::testing
