// The worker pattern: a box's result comes from its worker, the worker is joined before DoModal
// returns, a refusal starts nothing, and a stop reaches only a running worker.
#include "DownFileDlg.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "SettingsGlobals.h"
#include "WorkerTask.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <thread>

namespace {

class ScriptedTask final : public WorkerTask {
  public:
    std::uint32_t outcome = 0;
    bool refuse = false;
    bool waitForStop = false;
    std::atomic<bool> workDone{false};
    std::atomic<bool> sawStop{false};

    int& DotCounter() override { return dots_; }

  private:
    bool CheckBeforeStart() override { return !refuse; }
    void Work() override {
        while (waitForStop && !StopRequested()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        sawStop = StopRequested();
        // Late enough that a runner which did not join would return before this write.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        workDone = true;
        failed = outcome;
        threadHandle = false;
    }
    int dots_ = 0;
};

// A runner that returns as soon as the worker is started, as a box closed too early would.
class ImpatientRunner final : public ModalRunner {
  public:
    int Run(WorkerTask& task) override {
        task.Start();
        return platform::kResultOk;
    }
};

// A runner that presses stop while the worker runs, then waits.
class StoppingRunner final : public ModalRunner {
  public:
    int Run(WorkerTask& task) override {
        task.Start();
        task.RequestStop();
        task.Join();
        return task.Result();
    }
};

class RunnerScope {
  public:
    explicit RunnerScope(ModalRunner& runner) { SetModalRunner(&runner); }
    ~RunnerScope() { SetModalRunner(nullptr); }
};

TEST(WorkerTaskTest, ResultFollowsTheWorkersOutcome) {
    struct Case {
        std::uint32_t outcome;
        int result;
    };
    for (const Case c : {Case{0, platform::kResultOk}, Case{1, platform::kResultCancel}}) {
        ScriptedTask task;
        task.outcome = c.outcome;
        EXPECT_EQ(task.DoModal(), c.result);
        EXPECT_TRUE(task.workDone);
        EXPECT_FALSE(task.threadHandle);
        EXPECT_NE(task.threadId, 0u);
    }
}

TEST(WorkerTaskTest, RefusedBoxEndsWithCancelAndStartsNoWorker) {
    ScriptedTask task;
    task.refuse = true;
    EXPECT_EQ(task.DoModal(), platform::kResultCancel);
    EXPECT_FALSE(task.workDone);
    EXPECT_EQ(task.threadId, 0u);
}

TEST(WorkerTaskTest, WorkerIsJoinedEvenWhenTheRunnerReturnsEarly) {
    ImpatientRunner impatient;
    RunnerScope scope(impatient);
    ScriptedTask task;
    task.DoModal();
    EXPECT_TRUE(task.workDone);
}

TEST(WorkerTaskTest, StopReachesARunningWorkerOnly) {
    ScriptedTask idle;
    idle.RequestStop();
    EXPECT_FALSE(idle.StopRequested());

    StoppingRunner stopping;
    RunnerScope scope(stopping);
    ScriptedTask running;
    running.waitForStop = true;
    running.outcome = 1;
    EXPECT_EQ(running.DoModal(), platform::kResultCancel);
    EXPECT_TRUE(running.sawStop);
}

TEST(WorkerTaskTest, WaitTextComesFromTheLanguageFile) {
    const std::uint16_t language = LanguageIndex;
    for (const auto& [index, text] : {std::pair{kLanguageEnglish, "Downloading file,Please wait..."},
                                      std::pair{kLanguageSimplifiedChinese, "正在下载文件,请稍候"}}) {
        LanguageIndex = index;
        WriteDefaultTexts();
        EXPECT_EQ(DownloadWaitText(), text);
    }
    SetLangText("WaitText", "Download", "Herunterladen...");
    EXPECT_EQ(DownloadWaitText(), "Herunterladen...");
    LanguageIndex = language;
    WriteDefaultTexts();
}

}  // namespace
