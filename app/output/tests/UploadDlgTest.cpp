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

#include "ByteTransform.h"
#include "Motionlink.h"
#include "Payload.h"

#include <map>
#include <mutex>
#include <set>

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
        EXPECT_EQ(CUploadDlg::MessageOf(CUploadDlg::kCopied), "Upload file success!");
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
        EXPECT_EQ(CUploadDlg::MessageOf(c.code),
                  c.code == CUploadDlg::kStopped ? "Upload stop!" : "Communication failure!");
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
    EXPECT_EQ(CUploadDlg::MessageOf(CUploadDlg::kFileNotCreated), "Create file failure!");
}

// A controller whose document has `pages` pages of 100 bytes, page p filled with 'a' + p. Page 0 starts
// with a header that ends with the byte Zint_UBCmd turns into 0 at `headerEnd`. Page `lastAt` comes with
// the last-page status; page 0 is answered busy `busyTimes` times first.
struct PagedDocument {
    std::uint32_t pages = 3;
    std::uint32_t lastAt = 2;
    std::uint32_t headerEnd = 3;
    int busyTimes = 0;
};

class PagedUploadController {
  public:
    static constexpr std::uint32_t kPageLength = 100;

    explicit PagedUploadController(PagedDocument document)
        : document_(document), controller_([this](const motionlink::link::Frame& request) {
              return std::optional(Answer(request));
          }) {
        motionlink::testing::UseControllerPort(controller_.Port());
    }

  private:
    using Frame = motionlink::link::Frame;
    using Command = motionlink::link::Command;
    using ScriptedController = motionlink::testing::ScriptedController;

    Frame Answer(const Frame& request) {
        if (request.command == static_cast<std::uint16_t>(Command::kGetDocumentPageCount)) {
            return ScriptedController::AnswerTo(request, 0, motionlink::link::Pack(document_.pages));
        }
        if (request.command != static_cast<std::uint16_t>(Command::kGetDocumentPage)) {
            return ScriptedController::AnswerTo(request, 0, motionlink::link::Pack(std::string("PAGES")));
        }
        platform::Archive archive = platform::Archive::ForLoading(request.payload);
        archive.ReadU32();
        const std::uint32_t page = archive.ReadU32();
        std::lock_guard guard(lock_);
        if (page == 0 && busySequences_.size() < static_cast<std::size_t>(document_.busyTimes)) {
            busySequences_.insert(request.sequence);
        }
        if (busySequences_.count(request.sequence) != 0) {
            return ScriptedController::AnswerTo(request, motionlink::kLinkBusy);
        }
        std::vector<std::uint8_t> bytes(kPageLength, static_cast<std::uint8_t>('a' + page));
        if (page == 0) {
            std::fill_n(bytes.begin(), document_.headerEnd, motionlink::StoredByteFromOpcode(0x90));
            bytes[document_.headerEnd] = motionlink::StoredByteFromOpcode(0);
        }
        std::vector<std::uint8_t> payload = motionlink::link::Pack(kPageLength);
        payload.insert(payload.end(), bytes.begin(), bytes.end());
        const std::uint16_t status = page == document_.lastAt ? motionlink::kLinkLastPage : 0;
        return ScriptedController::AnswerTo(request, status, std::move(payload));
    }

    PagedDocument document_;
    std::mutex lock_;
    std::set<std::uint16_t> busySequences_;
    ScriptedController controller_;
};

std::vector<std::uint8_t> Filled(char value, std::size_t count) {
    return std::vector<std::uint8_t>(count, static_cast<std::uint8_t>(value));
}

std::vector<std::uint8_t> Joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> joined;
    for (const auto& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

TEST_F(UploadDlgTest, PagesAreCopiedUpToTheLastPageStatusWithoutTheHeader) {
    constexpr std::size_t kLength = PagedUploadController::kPageLength;
    struct Case {
        const char* name;
        PagedDocument document;
        std::uint16_t code;
        std::vector<std::uint8_t> file;  // empty: no file at all
    };
    const Case cases[] = {
        {"last page status on the second of three", {3, 1, 3, 0}, CUploadDlg::kCopied,
         Joined({Filled('a', kLength - 4), Filled('b', kLength)})},
        {"busy twice, then the page", {2, 1, 0, 2}, CUploadDlg::kCopied,
         Joined({Filled('a', kLength - 1), Filled('b', kLength)})},
        {"busy three times", {2, 1, 0, 3}, CUploadDlg::kCommunicationFailed, {}},
        {"header fills the first page", {2, 1, kLength - 1, 0}, CUploadDlg::kCopied, Filled('b', kLength)},
        {"no pages", {0, 0, 0, 0}, CUploadDlg::kNoPages, {}},
    };
    for (const Case& c : cases) {
        PagedUploadController controller(c.document);
        const std::filesystem::path path = platform::ProgramFile("paged.zint");
        std::filesystem::remove(path);
        EXPECT_EQ(Upload(path), c.code) << c.name;
        EXPECT_EQ(std::filesystem::exists(path), !c.file.empty()) << c.name;
        EXPECT_TRUE(FileBytes(path) == c.file) << c.name;
    }
}

}  // namespace
}  // namespace joboutput::testing
