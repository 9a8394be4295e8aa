// The document store over the link: download, list, upload back, delete, start and time, on a good
// link and on a bad one.
#include "MotionlinkLink.h"
#include "Payload.h"
#include "TestControllers.h"
#include "TestJobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <set>
#include <thread>

namespace motionlink::testing {
namespace {

std::uint32_t DocumentCount() {
    std::uint32_t count = 0;
    EXPECT_EQ(Zint_GetTotalDocNum(&count), 0);
    return count;
}

std::string DocumentName(std::uint32_t number) {
    std::string name;
    EXPECT_EQ(Zint_GetDocumentName(number, &name), 0);
    return name;
}

struct LinkCondition {
    const char* name;
    emulator::FaultOptions faults;
};

void PrintTo(const LinkCondition& condition, std::ostream* out) {
    *out << condition.name;
}

class DocumentRoundTrip : public ::testing::TestWithParam<LinkCondition> {};

// A job of about a hundred pages goes down in pieces of 1024 bytes, the last one short, shows in the list
// under its name and comes back up, page by page with the pages after each read ahead, page header
// removed, as the same bytes: on a good link, and when the link loses, garbles or holds back packets
// in both directions.
TEST_P(DocumentRoundTrip, DownloadedJobIsListedAndUploadsBackIdentical) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.faults = GetParam().faults;
    InProcessEmulator controller(options);
    const std::vector<std::uint8_t> job = PatternBytes(200 * 1024 + 300);

    ASSERT_EQ(DownloadDocument("PART7", job), 0);

    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    ASSERT_EQ(DocumentCount(), 1u);
    EXPECT_EQ(DocumentName(1), "PART7");
    std::uint16_t status = 0;
    const std::vector<std::uint8_t> uploaded = UploadDocument(1, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(uploaded, job);
}

INSTANTIATE_TEST_SUITE_P(
    Links, DocumentRoundTrip,
    ::testing::Values(LinkCondition{"Good", {}},
                      LinkCondition{"TwentyPercentDropped", {.dropShare = 0.2, .seed = 7}},
                      LinkCondition{"TwentyPercentCorrupted", {.corruptShare = 0.2, .seed = 11}},
                      LinkCondition{"AnswersHeldBackPastTheResend",
                                    {.delayShare = 0.3, .delay = std::chrono::milliseconds(150), .seed = 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZintDocumentsTest, DocumentsAreNumberedInDownloadOrderAndDeletedOneOrAll) {
    InProcessEmulator controller;
    ASSERT_EQ(DownloadDocument("A", PatternBytes(10)), 0);
    ASSERT_EQ(DownloadDocument("B", PatternBytes(20)), 0);
    ASSERT_EQ(DownloadDocument("C", PatternBytes(30)), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);

    EXPECT_EQ(Zint_DeleteDocument(2), 0);
    ASSERT_EQ(DocumentCount(), 2u);
    EXPECT_EQ(DocumentName(2), "C");
    EXPECT_EQ(Zint_DeleteDocument(3), kLinkRefused);
    EXPECT_EQ(Zint_DeleteDocument(0), 0);
    EXPECT_EQ(DocumentCount(), 0u);
}

TEST(ZintDocumentsTest, ChineseNameTravelsInGbkAndComesBackTheSame) {
    InProcessEmulator controller;
    ASSERT_EQ(DownloadDocument("切割1", PatternBytes(5)), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    EXPECT_EQ(DocumentName(1), "切割1");
    EXPECT_EQ(controller.Server().StateSnapshot().documents.at(0).name.size(), 5u);  // GBK bytes
}

TEST(ZintDocumentsTest, NamesTheControllerCannotStoreAreRefusedBeforeAnythingIsSent) {
    InProcessEmulator controller;
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    EXPECT_EQ(Zint_StrtDownFile(""), kLinkBadArgument);
    EXPECT_EQ(Zint_StrtDownFile(std::string(65, 'A')), kLinkBadArgument);
    EXPECT_EQ(Zint_StrtDownFile("\xF0\x9F\x98\x80"), kLinkBadArgument);
    EXPECT_EQ(DocumentCount(), 0u);
}

TEST(ZintDocumentsTest, UnknownDocumentsAndBadPointersAreRefused) {
    InProcessEmulator controller;
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::string name;
    std::int32_t time = 0;
    std::uint32_t pages = 0;
    EXPECT_EQ(Zint_GetDocumentName(1, &name), kLinkRefused);
    EXPECT_EQ(Zint_GetDocumentTime(0, &time), kLinkRefused);
    EXPECT_EQ(Zint_GetDocumentPageNum(1, &pages), kLinkRefused);
    EXPECT_EQ(Zint_StrtSelDocument(1), kLinkRefused);
    EXPECT_EQ(Zint_GetDocumentName(1, nullptr), kLinkBadArgument);
    EXPECT_EQ(Zint_WritePort(nullptr, 10), kLinkBadArgument);
}

TEST(ZintDocumentsTest, BusyControllerAnswersPageRequestsWithBusy) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.busyShare = 1.0;
    InProcessEmulator controller(options);
    ASSERT_EQ(DownloadDocument("BUSY", PatternBytes(100)), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::array<std::uint8_t, 2112> buffer{};
    std::uint32_t length = 0;
    EXPECT_EQ(Zint_GetDocumentPageData(1, 0, buffer.data(), &length), kLinkBusy);
}

TEST(ZintDocumentsTest, DocumentOfSeveralPagesEndsWithTheLastPageCode) {
    InProcessEmulator controller;
    ASSERT_EQ(DownloadDocument("BIG", PatternBytes(5000)), 0);  // with its header: 2112 + 2112 + 781
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::uint32_t pages = 0;
    ASSERT_EQ(Zint_GetDocumentPageNum(1, &pages), 0);
    ASSERT_EQ(pages, 3u);
    std::array<std::uint8_t, 2112> buffer{};
    std::uint32_t length = 0;
    EXPECT_EQ(Zint_GetDocumentPageData(1, 1, buffer.data(), &length), 0);
    EXPECT_EQ(length, 2112u);
    EXPECT_EQ(Zint_GetDocumentPageData(1, 2, buffer.data(), &length), kLinkLastPage);
    EXPECT_EQ(length, 5000u + 5u - 2u * 2112u);
}

// A controller whose document has `pages` pages of 2112 bytes, page n filled with byte n, and that
// answers "busy" the first time each page in `busyOnce` is asked for. It counts the requests per page.
class PagedController {
  public:
    PagedController(std::uint32_t pages, std::set<std::uint32_t> busyOnce)
        : pages_(pages), busyOnce_(std::move(busyOnce)), controller_([this](const link::Frame& request) {
              return std::optional(Answer(request));
          }) {}

    std::uint16_t Port() const { return controller_.Port(); }
    // Requests are counted by sequence number: a resend that a slow machine's timer sends is the same
    // request.
    int RequestsFor(std::uint32_t page) {
        std::lock_guard guard(lock_);
        return static_cast<int>(asked_[page].size());
    }

  private:
    link::Frame Answer(const link::Frame& request) {
        if (request.command != static_cast<std::uint16_t>(link::Command::kGetDocumentPage)) {
            return ScriptedController::AnswerTo(request, 0, link::Pack(std::string("PAGES")));
        }
        platform::Archive archive = platform::Archive::ForLoading(request.payload);
        archive.ReadU32();
        const std::uint32_t page = archive.ReadU32();
        std::lock_guard guard(lock_);
        asked_[page].insert(request.sequence);
        if (page >= pages_) {
            return ScriptedController::AnswerTo(request, kLinkRefused);
        }
        if (busyOnce_.erase(page) != 0) {
            return ScriptedController::AnswerTo(request, kLinkBusy);
        }
        std::vector<std::uint8_t> payload = link::Pack(std::uint32_t{2112});
        payload.resize(payload.size() + 2112, static_cast<std::uint8_t>(page));
        return ScriptedController::AnswerTo(request, page + 1 == pages_ ? kLinkLastPage : 0, std::move(payload));
    }

    std::uint32_t pages_;
    std::mutex lock_;
    std::set<std::uint32_t> busyOnce_;
    std::map<std::uint32_t, std::set<std::uint16_t>> asked_;
    ScriptedController controller_;
};

std::uint16_t ReadPage(std::uint32_t page, std::uint8_t& filledWith) {
    std::array<std::uint8_t, 2112> buffer{};
    std::uint32_t length = 0;
    const std::uint16_t status = Zint_GetDocumentPageData(1, page, buffer.data(), &length);
    filledWith = length == 2112 && std::all_of(buffer.begin(), buffer.end(), [&](std::uint8_t byte) {
                     return byte == buffer[0];
                 }) ? buffer[0] : 0xFF;
    return status;
}

// Pages read ahead: a "busy" that came for a page before it was asked for is not the caller's answer;
// the page is asked again when its turn comes.
TEST(PageReadAheadTest, BusyForAPageReadAheadIsNotReportedAndThePageIsAskedAgain) {
    PagedController controller(6, {3});
    UseControllerPort(controller.Port());
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::uint8_t filledWith = 0;
    for (std::uint32_t page = 0; page < 6; ++page) {
        EXPECT_EQ(ReadPage(page, filledWith), page == 5 ? kLinkLastPage : 0) << page;
        EXPECT_EQ(filledWith, page) << page;
    }
    EXPECT_EQ(controller.RequestsFor(3), 2);
    EXPECT_EQ(controller.RequestsFor(4), 1);
    Zint_Close();
}

// Pages asked for out of order, another request between pages, and a page beyond the end while pages
// are read ahead: each call answers as it would alone.
TEST(PageReadAheadTest, PagesOutOfOrderAndBeyondTheEndAnswerAsAlone) {
    PagedController controller(40, {});
    UseControllerPort(controller.Port());
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::uint8_t filledWith = 0;
    for (const std::uint32_t page : {0u, 1u, 30u, 2u, 3u}) {
        EXPECT_EQ(ReadPage(page, filledWith), 0) << page;
        EXPECT_EQ(filledWith, page) << page;
    }
    std::uint32_t count = 0;
    EXPECT_EQ(Zint_GetTotalDocNum(&count), kLinkCommunicationError);  // "PAGES" is no count
    EXPECT_EQ(ReadPage(4, filledWith), 0);
    EXPECT_EQ(filledWith, 4);
    EXPECT_EQ(ReadPage(40, filledWith), kLinkRefused);
    EXPECT_EQ(ReadPage(5, filledWith), 0);
    EXPECT_EQ(filledWith, 5);
    EXPECT_EQ(ReadPage(39, filledWith), kLinkLastPage);
    EXPECT_EQ(filledWith, 39);
    EXPECT_EQ(ReadPage(41, filledWith), kLinkRefused);
    Zint_Close();
}

// A controller that reports a longer page than the page buffer holds, or a longer one than it sent,
// must not make the link write past the caller's 2112 bytes: both are communication failures.
TEST(ZintDocumentsTest, PageLengthBeyondThePageOrBeyondWhatArrivedIsCommunicationFailure) {
    struct Case {
        const char* name;
        std::uint32_t claimedLength;
        std::size_t sentBytes;
    };
    for (const Case& testCase : {Case{"longer than a page", 2113, 2113}, Case{"longer than sent", 2000, 10},
                                 Case{"far beyond a page", 0xFFFFFFFF, 64}}) {
        ScriptedController liar([&](const link::Frame& request) {
            if (request.command != static_cast<std::uint16_t>(link::Command::kGetDocumentPage)) {
                return std::optional(
                    ScriptedController::AnswerTo(request, 0, link::Pack(std::string("LIAR"))));
            }
            std::vector<std::uint8_t> payload = link::Pack(testCase.claimedLength);
            payload.resize(payload.size() + testCase.sentBytes, 0xAB);
            return std::optional(ScriptedController::AnswerTo(request, 0, std::move(payload)));
        });
        UseControllerPort(liar.Port());
        ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0) << testCase.name;
        std::array<std::uint8_t, 2112 + 16> guarded{};
        std::uint32_t length = 7;
        EXPECT_EQ(Zint_GetDocumentPageData(1, 0, guarded.data(), &length), kLinkCommunicationError)
            << testCase.name;
        EXPECT_EQ(length, 7u) << testCase.name;
        EXPECT_EQ(guarded[2112], 0) << testCase.name;
        Zint_Close();
    }
}

TEST(ZintDocumentsTest, CalculatedAndRunWorkTimesFollowTheJob) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.timeScale = 1000.0;  // a second of machine time passes in a millisecond
    InProcessEmulator controller(options);
    // Four 10 mm cuts at 10 mm/s: four seconds of cutting, plus the travel to the start.
    ASSERT_EQ(DownloadDocument("SQUARE", SampleJobBytes(1, 10.0)), 0);
    ASSERT_EQ(Zint_Open(1, 0, "127.0.0.1"), 0);
    std::int32_t timeMs = -1;
    ASSERT_EQ(Zint_GetDocumentTime(1, &timeMs), 0);
    EXPECT_EQ(timeMs, 0);

    ASSERT_EQ(Zint_CalDocumentTime(1), 0);
    ASSERT_EQ(Zint_GetDocumentTime(1, &timeMs), 0);
    EXPECT_EQ(timeMs, 4000);

    ASSERT_EQ(Zint_StrtSelDocument(1), 0);
    std::array<std::uint8_t, 5> status{1};
    while (status[0] != 0) {
        ASSERT_EQ(Zint_GetMachineStauts(status.data()), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::uint32_t jobs = 0;
    std::uint32_t previousMs = 0;
    ASSERT_EQ(Zint_GetTotalWorkNum(&jobs), 0);
    ASSERT_EQ(Zint_GetPreWorkTime(&previousMs), 0);
    EXPECT_EQ(jobs, 1u);
    EXPECT_EQ(previousMs, 4000u);
}

}  // namespace
}  // namespace motionlink::testing
