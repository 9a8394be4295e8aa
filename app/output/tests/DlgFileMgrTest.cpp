// The controller document page against a controller on loopback: the list as the store holds it,
// delete, delete all, start and work time of a document, a job file stored and copied back, and the
// ways each one is refused. The emulator stands for the store; a scripted controller where a read must
// fail or where a test must see that nothing was sent.
#include "ControllerFixture.h"
#include "DlgFileMgr.h"
#include "Motionlink.h"
#include "Payload.h"
#include "ProgramFolder.h"
#include "RecordingDlgFileMgrUi.h"
#include "TestJobs.h"
#include "TransferFiles.h"

#include <atomic>
#include <functional>

namespace joboutput::testing {
namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::NoController;
using motionlink::testing::ScriptedController;
namespace emulator = motionlink::emulator;
namespace link = motionlink::link;
using Box = RecordingDlgFileMgrUi::Box;
using Row = CDlgFileMgr::DocumentRow;
using Shown = RecordingDlgFileMgrUi::Shown;

// Square cuts at 1 mm/s: the machine stays busy for minutes once it has started this.
const std::vector<std::uint8_t>& LongJob() {
    static const std::vector<std::uint8_t> job = motionlink::testing::SampleJobBytes(20, 1.0);
    return job;
}

const std::vector<std::uint8_t>& ShortJob() {
    static const std::vector<std::uint8_t> job = motionlink::testing::SampleJobBytes(3, 40.0);
    return job;
}

std::vector<std::string> StoredNames(InProcessEmulator& controller) {
    std::vector<std::string> names;
    for (const emulator::StoredDocument& document : controller.Server().StateSnapshot().documents) {
        names.push_back(document.name);
    }
    return names;
}

void Store(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(motionlink::testing::DownloadDocument(name, bytes), 0) << name;
}

// A controller whose store holds `names`, every document worked for 3,723,004 ms. The name of document
// `nameFailsAt` and the time of document `timeFailsAt` cannot be read (0: all can). It refuses and
// counts every request that would carry a document into the store.
class ScriptedStore {
  public:
    static constexpr std::int32_t kWorkTimeMs = 3723004;

    explicit ScriptedStore(std::vector<std::string> names, std::uint32_t nameFailsAt = 0,
                           std::uint32_t timeFailsAt = 0)
        : names_(std::move(names)),
          nameFailsAt_(nameFailsAt),
          timeFailsAt_(timeFailsAt),
          controller_([this](const link::Frame& request) { return std::optional(Answer(request)); }) {
        motionlink::testing::UseControllerPort(controller_.Port());
    }

    int DownloadRequests() const { return downloadRequests_; }

  private:
    link::Frame Answer(const link::Frame& request) {
        const std::uint32_t number = link::UnpackSingle<std::uint32_t>(request.payload).value_or(0);
        switch (static_cast<link::Command>(request.command)) {
            case link::Command::kGetMachineStatus:
                return ScriptedController::AnswerTo(request, 0, {0, 0, 0, 0, 0});
            case link::Command::kGetDocumentCount:
                return ScriptedController::AnswerTo(request, 0, link::Pack(std::uint32_t(names_.size())));
            case link::Command::kGetDocumentName:
                if (number == 0 || number > names_.size() || number == nameFailsAt_) {
                    return ScriptedController::AnswerTo(request, motionlink::kLinkRefused);
                }
                return ScriptedController::AnswerTo(request, 0, link::Pack(names_[number - 1]));
            case link::Command::kGetDocumentTime:
                if (number == timeFailsAt_) {
                    return ScriptedController::AnswerTo(request, motionlink::kLinkRefused);
                }
                return ScriptedController::AnswerTo(request, 0, link::Pack(kWorkTimeMs));
            case link::Command::kBeginDownload:
            case link::Command::kDataChunk:
            case link::Command::kEndDownload:
                ++downloadRequests_;
                return ScriptedController::AnswerTo(request, motionlink::kLinkRefused);
            default:
                return ScriptedController::AnswerTo(request, 0, link::Pack(std::string("B")));
        }
    }

    std::vector<std::string> names_;
    std::uint32_t nameFailsAt_;
    std::uint32_t timeFailsAt_;
    std::atomic<int> downloadRequests_ = 0;
    ScriptedController controller_;
};

class DlgFileMgrTest : public ControllerFixture {
  protected:
    RecordingDlgFileMgrUi ui_;
    CDlgFileMgr page_{ui_};
};

TEST_F(DlgFileMgrTest, FormatDocTimeGivesHoursMinutesSecondsAndMilliseconds) {
    struct Case {
        std::int32_t milliseconds;
        const char* text;
    };
    // The last field has two digits at least and three where it needs them; 0 is also how a time that
    // could not be read shows.
    const Case cases[] = {
        {3723004, "1:02:03:04"}, {59999, "0:00:59:999"},      {5, "0:00:00:05"},
        {0, "0:00:00:00"},       {360000000, "100:00:00:00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CDlgFileMgr::FormatDocTime(c.milliseconds), c.text) << c.milliseconds;
    }
}

TEST_F(DlgFileMgrTest, ReadListsEveryStoredDocumentAndSelectsTheFirst) {
    InProcessEmulator controller;
    Store("ONE", ShortJob());
    Store("两个", ShortJob());
    Store("THREE", ShortJob());
    page_.ReadList();
    const std::vector<Row> expected = {
        {"1", "ONE", "0:00:00:00"}, {"2", "两个", "0:00:00:00"}, {"3", "THREE", "0:00:00:00"}};
    EXPECT_EQ(page_.rows, expected);
    EXPECT_EQ(page_.selectedRow, 0);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(DlgFileMgrTest, ReadOfAnEmptyStoreRemovesEveryRowSilently) {
    InProcessEmulator controller;
    page_.rows = {{"1", "GONE", "0:00:00:00"}};
    page_.selectedRow = 0;
    page_.ReadList();
    EXPECT_TRUE(page_.rows.empty());
    EXPECT_EQ(page_.selectedRow, -1);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(DlgFileMgrTest, ReadWithoutControllerKeepsTheListAndSaysSoOnce) {
    NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    ConnectSetting.defaultAddress = {127, 83, 91, 7};
    const std::vector<Row> stale = {{"1", "OLD", "0:00:00:00"}};
    page_.rows = stale;
    page_.ReadList();
    EXPECT_EQ(page_.rows, stale);
    EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kPage, "Communication Error!"}}));
}

TEST_F(DlgFileMgrTest, FailedReadsOfNamesAndTimes) {
    const std::vector<Row> stale = {{"1", "OLD", "0:00:00:00"}, {"2", "OLDER", "0:00:00:00"}};
    struct Case {
        const char* name;
        std::uint32_t nameFailsAt;
        std::uint32_t timeFailsAt;
        std::vector<Row> rows;
        int selectedRow;
        std::vector<Shown> shown;
    };
    const Case cases[] = {
        {"time of the second",
         0,
         2,
         {{"1", "A", "1:02:03:04"}, {"2", "B", "0:00:00:00"}, {"3", "C", "1:02:03:04"}},
         0,
         {}},
        {"name of the second: the rows read before it",
         2,
         0,
         {{"1", "A", "1:02:03:04"}},
         -1,
         {{Box::kApplication, "Read document name failure!"}}},
        {"name of the first: the old rows",
         1,
         0,
         stale,
         1,
         {{Box::kApplication, "Read document name failure!"}}},
    };
    for (const Case& c : cases) {
        ScriptedStore store({"A", "B", "C"}, c.nameFailsAt, c.timeFailsAt);
        RecordingDlgFileMgrUi ui;
        CDlgFileMgr page(ui);
        page.rows = stale;
        page.selectedRow = 1;
        page.ReadList();
        EXPECT_EQ(page.rows, c.rows) << c.name;
        EXPECT_EQ(page.selectedRow, c.selectedRow) << c.name;
        EXPECT_EQ(ui.shown, c.shown) << c.name;
    }
}

TEST_F(DlgFileMgrTest, DeleteRemovesTheSelectedDocumentAndItsRowOnly) {
    InProcessEmulator controller;
    Store("ONE", ShortJob());
    Store("TWO", ShortJob());
    Store("THREE", ShortJob());
    page_.ReadList();
    page_.selectedRow = 1;
    page_.DeleteDoc();
    EXPECT_EQ(StoredNames(controller), (std::vector<std::string>{"ONE", "THREE"}));
    // The numbers stay as they were read until the next Read.
    EXPECT_EQ(page_.rows, (std::vector<Row>{{"1", "ONE", "0:00:00:00"}, {"3", "THREE", "0:00:00:00"}}));
    EXPECT_EQ(page_.selectedRow, -1);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(DlgFileMgrTest, DeleteWithNothingSelectedSendsNothing) {
    struct Case {
        const char* name;
        std::vector<Row> rows;
        int selectedRow;
    };
    const Case cases[] = {
        {"empty list", {}, 0},
        {"no selection", {{"1", "A", "0:00:00:00"}}, -1},
        {"selection past the rows", {{"1", "A", "0:00:00:00"}}, 1},
    };
    for (const Case& c : cases) {
        std::atomic<int> requests = 0;
        ScriptedController controller([&requests](const link::Frame&) {
            ++requests;
            return std::optional<link::Frame>();
        });
        motionlink::testing::UseControllerPort(controller.Port());
        RecordingDlgFileMgrUi ui;
        CDlgFileMgr page(ui);
        page.rows = c.rows;
        page.selectedRow = c.selectedRow;
        page.DeleteDoc();
        EXPECT_EQ(requests, 0) << c.name;
        EXPECT_TRUE(ui.shown.empty()) << c.name;
        EXPECT_EQ(page.rows, c.rows) << c.name;
    }
}

TEST_F(DlgFileMgrTest, DeleteAllEmptiesTheStoreWithoutAQuestion) {
    InProcessEmulator controller;
    Store("ONE", ShortJob());
    Store("TWO", ShortJob());
    page_.ReadList();
    page_.DeleteAll();
    EXPECT_TRUE(StoredNames(controller).empty());
    EXPECT_TRUE(page_.rows.empty());
    EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kPage, "All File Delete Success!"}}));
}

TEST_F(DlgFileMgrTest, ProcessStartsTheSelectedDocument) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.keepJobsFolder = platform::ProgramFile("kept");
    InProcessEmulator controller(options);
    Store("SHORT", ShortJob());
    Store("LONG", LongJob());
    page_.ReadList();
    page_.selectedRow = 1;
    page_.ProcessDoc();
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_TRUE(FileBytes(options.controller.keepJobsFolder / "job-1.zint") == LongJob());
    EXPECT_EQ(page_.rows.size(), 2u);
}

// While the machine runs a document, nothing that changes or starts something reaches the controller.
TEST_F(DlgFileMgrTest, BusyMachineRefusesEveryChange) {
    InProcessEmulator controller;
    Store("LONG", LongJob());
    Store("OTHER", ShortJob());
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(Zint_StrtSelDocument(1), 0);
    Zint_Close();
    const std::vector<std::uint8_t> job = ShortJob();
    ui_.fileToDownload = WriteTestFile("new.zint", job).string();
    ui_.fileToUpload = platform::ProgramFile("copy.zint").string();

    struct Case {
        const char* name;
        void (CDlgFileMgr::*operation)();
    };
    const Case cases[] = {
        {"Delete", &CDlgFileMgr::DeleteDoc},      {"Delete All", &CDlgFileMgr::DeleteAll},
        {"Process", &CDlgFileMgr::ProcessDoc},    {"Cal time", &CDlgFileMgr::CalcDocTime},
        {"Download", &CDlgFileMgr::DownloadFile}, {"Upload", &CDlgFileMgr::UploadFile},
    };
    for (const Case& c : cases) {
        page_.ReadList();
        ui_.shown.clear();
        (page_.*c.operation)();
        EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kPage, "Is Processing Or Pause!"}})) << c.name;
        EXPECT_EQ(StoredNames(controller), (std::vector<std::string>{"LONG", "OTHER"})) << c.name;
        EXPECT_EQ(page_.rows.size(), 2u) << c.name;
    }
    EXPECT_FALSE(std::filesystem::exists(ui_.fileToUpload.value()));
}

TEST_F(DlgFileMgrTest, CalTimeComputesTheWorkTimeThatTheNextReadShows) {
    InProcessEmulator controller;
    Store("ONE", ShortJob());
    Store("TWO", LongJob());
    page_.ReadList();
    page_.selectedRow = 1;
    page_.CalcDocTime();
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(page_.rows[1].time, "0:00:00:00");

    page_.ReadList();
    const std::int32_t computedMs = controller.Server().StateSnapshot().documents[1].workTimeMs;
    EXPECT_GT(computedMs, 60000);
    EXPECT_EQ(page_.rows[0].time, "0:00:00:00");
    EXPECT_EQ(page_.rows[1].time, CDlgFileMgr::FormatDocTime(computedMs));
}

// Another program emptied the store after the last Read: the selected row names no document.
TEST_F(DlgFileMgrTest, RowOfADocumentGoneSinceTheReadFails) {
    struct Case {
        const char* name;
        void (CDlgFileMgr::*operation)();
        const char* message;
    };
    const Case cases[] = {
        {"Delete", &CDlgFileMgr::DeleteDoc, "Delete Selected File Failure!"},
        {"Process", &CDlgFileMgr::ProcessDoc, "Start Target File Failure!"},
        {"Cal time", &CDlgFileMgr::CalcDocTime, "Start Target File Failure!"},
    };
    InProcessEmulator controller;
    for (const Case& c : cases) {
        Store("ONE", ShortJob());
        page_.ReadList();
        ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
        ASSERT_EQ(Zint_DeleteDocument(0), 0);
        Zint_Close();
        ui_.shown.clear();
        (page_.*c.operation)();
        EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kPage, c.message}})) << c.name;
        EXPECT_EQ(page_.rows.size(), 1u) << c.name;
    }
}

TEST_F(DlgFileMgrTest, DownloadStoresTheFileUnderItsNameOrTheOneAskedFor) {
    struct Case {
        const char* file;
        std::optional<std::string> answer;  // nothing: Cancel
        std::vector<std::string> asked;
        std::vector<std::string> stored;
    };
    const Case cases[] = {
        {"part7.zint", std::nullopt, {}, {"PART7"}},
        {"two words.zint", "new1", {"DEFAULT"}, {"NEW1"}},
        {"longer than eight.zint", std::nullopt, {"DEFAULT"}, {}},
    };
    for (const Case& c : cases) {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.controller.stateFolder /= c.file;
        InProcessEmulator controller(options);
        RecordingDlgFileMgrUi ui;
        CDlgFileMgr page(ui);
        ui.fileToDownload = WriteTestFile(c.file, ShortJob()).string();
        ui.documentName = c.answer;
        page.DownloadFile();
        EXPECT_EQ(ui.proposedNames, c.asked) << c.file;
        EXPECT_EQ(StoredNames(controller), c.stored) << c.file;
        if (c.stored.empty()) {
            continue;
        }
        EXPECT_TRUE(controller.Server().StateSnapshot().documents[0].bytes == ShortJob()) << c.file;
        ASSERT_FALSE(ui.shown.empty());
        EXPECT_EQ(ui.shown.back(), (Shown{Box::kApplication, "Download file success!"})) << c.file;
        EXPECT_EQ(page.rows, (std::vector<Row>{{"1", c.stored[0], "0:00:00:00"}})) << c.file;
    }
}

TEST_F(DlgFileMgrTest, DuplicateNameIsRefusedBeforeAByteIsSent) {
    ScriptedStore store({"ONE", "Part7"});
    ui_.fileToDownload = WriteTestFile("part7.zint", ShortJob()).string();
    page_.DownloadFile();
    EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kApplication, "Duplicate file!"}}));
    EXPECT_EQ(store.DownloadRequests(), 0);
    EXPECT_TRUE(ui_.proposedNames.empty());
}

TEST_F(DlgFileMgrTest, DuplicateNameLeavesTheStoredDocumentAsItWas) {
    InProcessEmulator controller;
    Store("PART7", LongJob());
    ui_.fileToDownload = WriteTestFile("Part7.zint", ShortJob()).string();
    page_.DownloadFile();
    EXPECT_EQ(ui_.shown, (std::vector<Shown>{{Box::kApplication, "Duplicate file!"}}));
    const emulator::ControllerState state = controller.Server().StateSnapshot();
    ASSERT_EQ(state.documents.size(), 1u);
    EXPECT_TRUE(state.documents[0].bytes == LongJob());
}

TEST_F(DlgFileMgrTest, UploadCopiesTheSelectedDocumentIntoTheChosenFile) {
    struct Case {
        const char* name;
        double busyShare;
        const char* message;
        bool copied;
    };
    const Case cases[] = {
        {"idle", 0.0, "Upload file success!", true},
        {"busy", 1.0, "Communication failure!", false},
    };
    for (const Case& c : cases) {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.controller.stateFolder /= c.name;
        options.controller.busyShare = c.busyShare;  // page requests only
        InProcessEmulator controller(options);
        Store("FIRST", ShortJob());
        Store("SECOND", LongJob());
        RecordingDlgFileMgrUi ui;
        CDlgFileMgr page(ui);
        page.ReadList();
        page.selectedRow = 1;
        const std::filesystem::path copy = platform::ProgramFile(std::string(c.name) + ".zint");
        ui.fileToUpload = copy.string();
        page.UploadFile();
        EXPECT_EQ(ui.shown, (std::vector<Shown>{{Box::kApplication, c.message}})) << c.name;
        EXPECT_EQ(std::filesystem::exists(copy), c.copied) << c.name;
        if (c.copied) {
            EXPECT_TRUE(FileBytes(copy) == LongJob()) << c.name;
        }
    }
}

}  // namespace
}  // namespace joboutput::testing
