// The progress box window offscreen: the wait text with its dots, the truncated bar, the stop button,
// Escape and the close box waiting for the worker, and a real transfer run through the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <thread>

#include "ConnectSetting.h"
#include "DialogControls.h"
#include "DownFileDlg.h"
#include "AtomicFile.h"
#include "MessageSink.h"
#include "ProgramFolder.h"
#include "Progress.h"
#include "RecordingMessageSink.h"
#include "TestControllers.h"
#include "TestJobs.h"
#include "TextProgressCtrl.h"
#include "WidgetTestApplication.h"
#include "WorkerDlg.h"

namespace {

constexpr int kTextId = 1170;
constexpr int kBarId = 1093;
constexpr int kStopId = 1056;

// A worker that publishes the given progress and text, then waits to be released or stopped.
class HeldTask final : public WorkerTask {
  public:
    bool withStop = true;
    double progress = 0.0;
    std::atomic<bool> release{false};

    WorkerBoxLayout Layout() const override {
        WorkerBoxLayout layout;
        layout.progressId = kBarId;
        layout.stopButtonId = withStop ? kStopId : 0;
        layout.stopText = "Stop";
        return layout;
    }
    int& DotCounter() override { return dots; }
    static inline int dots = 0;

  private:
    void Work() override {
        WaitText.Set("Wait");
        ProgressRatio = progress;
        while (!release && !StopRequested()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        failed = StopRequested() ? 1 : 0;
        threadHandle = false;
    }
};

class WorkerDlgTest : public platform::WidgetTest {
  protected:
    // Runs the box; `during` acts on it once it has shown for a few ticks.
    int RunBox(HeldTask& task, const std::function<void(CWorkerDlg&)>& during) {
        CWorkerDlg box(task);
        QTimer::singleShot(3 * CWorkerDlg::kTickMs + 50, &box, [&box, during] { during(box); });
        return box.exec();
    }
};

TEST_F(WorkerDlgTest, TicksShowTheWaitTextWithDotsAndTheTruncatedBar) {
    HeldTask task;
    task.progress = 0.99999;
    HeldTask::dots = 0;
    QString text;
    std::int32_t position = -1;
    const int result = RunBox(task, [&](CWorkerDlg& box) {
        text = dialogkit::Find<QLabel>(box, kTextId)->text();
        position = dialogkit::Find<CTextProgressCtrl>(box, kBarId)->GetPos();
        task.release = true;
    });
    EXPECT_EQ(result, platform::kResultOk);
    EXPECT_TRUE(text.startsWith("Wait.")) << text.toStdString();
    EXPECT_EQ(position, 9999);
}

TEST_F(WorkerDlgTest, StopButtonStopsTheWorkerAndTheBoxEndsWithItsResult) {
    HeldTask task;
    const int result = RunBox(task, [](CWorkerDlg& box) { dialogkit::Find<QPushButton>(box, kStopId)->click(); });
    EXPECT_EQ(result, platform::kResultCancel);
    EXPECT_FALSE(task.threadHandle);
}

TEST_F(WorkerDlgTest, EscapeAndCloseWaitForTheWorker) {
    struct Case {
        const char* name;
        bool withStop;
        bool escape;  // else the close box
        int result;
    };
    const Case cases[] = {
        {"escape with a stop button", true, true, platform::kResultCancel},
        {"close with a stop button", true, false, platform::kResultCancel},
        {"escape without one", false, true, platform::kResultOk},
        {"close without one", false, false, platform::kResultOk},
    };
    for (const Case& c : cases) {
        HeldTask task;
        task.withStop = c.withStop;
        bool openAfterwards = false;
        const int result = RunBox(task, [&](CWorkerDlg& box) {
            if (c.escape) {
                QTest::keyClick(&box, Qt::Key_Escape);
            } else {
                box.close();
            }
            openAfterwards = box.isVisible();
            task.release = true;
        });
        EXPECT_TRUE(openAfterwards) << c.name;
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_FALSE(task.threadHandle) << c.name;
    }
}

TEST_F(WorkerDlgTest, BoxWithoutStopButtonHasNone) {
    HeldTask task;
    task.withStop = false;
    CWorkerDlg box(task);
    EXPECT_EQ(dialogkit::Find<QPushButton>(box, kStopId), nullptr);
    EXPECT_NE(dialogkit::Find<CTextProgressCtrl>(box, kBarId), nullptr);
}

// The download box through the program's runner: the window starts, watches and joins the worker.
TEST_F(WorkerDlgTest, DownloadRunsThroughTheWindow) {
    motionlink::testing::InProcessEmulator controller;
    ConnectSetting = CConnectSetting();
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    ConnectSetting.defaultAddress = {127, 0, 0, 1};
    const std::vector<std::uint8_t> job = motionlink::testing::PatternBytes(5000);
    const std::filesystem::path file = platform::ProgramFile("job.zint");
    ASSERT_TRUE(platform::WriteFileAtomically(file, job));
    WorkerDlgRunner runner;
    SetModalRunner(&runner);
    platform::RecordingMessageSink messages;
    CDownFileDlg download(messages);
    ASSERT_EQ(download.SetTarget(file.string(), "WINDOW"), 1);
    EXPECT_EQ(download.DoModal(), platform::kResultOk);
    SetModalRunner(nullptr);
    const auto state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_TRUE(state.documents[0].bytes == job);
}

}  // namespace
