// The upload box: a stored document comes back as the job file that was downloaded, over a lossy link
// too; a busy controller, a stop or a missing folder fail with their codes, and a failed upload never
// leaves a partial file nor touches an earlier one.
#include "ControllerFixture.h"
#include "DownFileDlg.h"
#include "MessageSink.h"
#include "Progress.h"
#include "RecordingMessageSink.h"
#include "TestJobs.h"
#include "TransferFiles.h"
#include "UploadDlg.h"

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::PatternBytes;
namespace emulator = motionlink::emulator;

constexpr std::size_t kMegabyte = 1024 * 1024;

// Presses the upload's stop as soon as its worker has started.
class StopAtOnceRunner final : public ModalRunner {
  public:
    int Run(WorkerTask& task) override {
        task.Start();
        static_cast<CUploadDlg&>(task).OnCancelUpload();
        task.Join();
        return task.Result();
    }
};

class UploadDlgTest : public ControllerFixture {
  protected:
    // Downloads the bytes through the download box as document 1.
    void Download(const std::vector<std::uint8_t>& bytes) {
        platform::RecordingMessageSink messages;
        CDownFileDlg download(messages);
        ASSERT_EQ(download.SetTarget(WriteTestFile("down.zint", bytes).string(), "ROUND"), 1);
        ASSERT_EQ(download.DoModal(), platform::kResultOk);
    }

    // Uploads document 1 into the file and returns the error code.
    std::uint16_t Upload(const std::filesystem::path& path, std::uint16_t number = 1) {
        CUploadDlg upload;
        upload.docNumber = number;
        upload.filePath = path.string();
        const int result = upload.DoModal();
        EXPECT_EQ(result == platform::kResultOk, upload.errorCode == CUploadDlg::kCopied);
        return upload.errorCode;
    }
};

TEST_F(UploadDlgTest, UploadGivesBackTheDownloadedFile) {
    struct Case {
        const char* name;
        emulator::FaultOptions faults;
        std::size_t bytes;
    };
    const Case cases[] = {
        {"one page", {}, 500},
        {"pages", {}, 3 * 2112 + 17},
        {"lossy megabyte", {.dropShare = 0.2, .seed = 5}, kMegabyte},
    };
    for (const Case& c : cases) {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.controller.stateFolder /= c.name;
        options.faults = c.faults;
        InProcessEmulator controller(options);
        const std::vector<std::uint8_t> job = PatternBytes(c.bytes);
        Download(job);
        const std::filesystem::path copy = platform::ProgramFile("copy.zint");
        EXPECT_EQ(Upload(copy), CUploadDlg::kCopied) << c.name;
        EXPECT_TRUE(FileBytes(copy) == job) << c.name;
        EXPECT_DOUBLE_EQ(ProgressRatio.load(), 1.0);
    }
}

TEST_F(UploadDlgTest, FailedUploadLeavesAnEarlierFileAsItWas) {
    struct Case {
        const char* name;
        double busyShare;
        bool stop;
        std::uint16_t number;
        std::uint16_t code;
    };
    const Case cases[] = {
        {"busy controller", 1.0, false, 1, CUploadDlg::kCommunicationFailed},
        {"stopped", 0.0, true, 1, CUploadDlg::kStopped},
        {"no such document", 0.0, false, 7, CUploadDlg::kCommunicationFailed},
    };
    for (const Case& c : cases) {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.controller.stateFolder /= c.name;
        options.controller.busyShare = c.busyShare;  // page requests only: the download goes through
        InProcessEmulator controller(options);
        Download(PatternBytes(64 * 1024));
        StopAtOnceRunner stopAtOnce;
        if (c.stop) {
            SetModalRunner(&stopAtOnce);
        }
        const std::vector<std::uint8_t> earlier = PatternBytes(77);
        const std::filesystem::path target = WriteTestFile("earlier.zint", earlier);
        EXPECT_EQ(Upload(target, c.number), c.code) << c.name;
        SetModalRunner(nullptr);
        EXPECT_TRUE(FileBytes(target) == earlier) << c.name;

        const std::filesystem::path fresh = platform::ProgramFile("fresh.zint");
        if (c.stop) {
            SetModalRunner(&stopAtOnce);
        }
        EXPECT_EQ(Upload(fresh, c.number), c.code) << c.name;
        SetModalRunner(nullptr);
        EXPECT_FALSE(std::filesystem::exists(fresh)) << c.name;
    }
}

TEST_F(UploadDlgTest, FolderThatCannotHoldTheFileIsCreateFailure) {
    InProcessEmulator controller;
    Download(PatternBytes(100));
    EXPECT_EQ(Upload(platform::ProgramFile("no-folder") / "copy.zint"), CUploadDlg::kFileNotCreated);
}

}  // namespace
}  // namespace joboutput::testing
