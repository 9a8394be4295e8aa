// The emulated controller's request handling: chunk windows and their acknowledgements, downloads that
// are stored only whole, live jobs on the simulated clock, upload pages, bulk checks, and requests it
// cannot read.
#include "ByteTransform.h"
#include "ChunkAck.h"
#include "Crc32.h"
#include "EmulatedController.h"
#include "JobMemorySink.h"
#include "MotionlinkJob.h"
#include "Payload.h"

#include <gtest/gtest.h>

namespace motionlink::emulator {
namespace {

using link::AnswerStatus;
using link::Command;
using link::Pack;

constexpr std::uint16_t kOk = 0;
constexpr std::uint16_t kRefused = static_cast<std::uint16_t>(AnswerStatus::kRefused);
constexpr std::uint16_t kMalformed = static_cast<std::uint16_t>(AnswerStatus::kMalformed);

// A job of `seconds` of cutting: one line of `seconds` mm at 1 mm/s, from the origin.
std::vector<std::uint8_t> JobOfSeconds(double seconds) {
    JobMemorySink sink;
    Zint_StrtWFile(&sink);
    Zint_wSetEngVel(1.0);
    Zint_wLineTo(nullptr, nullptr, seconds, 0);
    Zint_wSetFileEnd();
    return sink.Bytes();
}

std::vector<std::uint8_t> Chunk(std::uint32_t number, std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> payload = Pack(number);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    return payload;
}

class EmulatedControllerTest : public ::testing::Test {
  protected:
    link::Answer Call(Command command, const std::vector<std::uint8_t>& payload = {}) {
        return controller_.Handle(session_, static_cast<std::uint16_t>(command), payload, now_);
    }
    std::uint16_t StatusOf(Command command, const std::vector<std::uint8_t>& payload = {}) {
        return Call(command, payload).status;
    }
    std::vector<std::uint8_t> MachineStatus() { return Call(Command::kGetMachineStatus).payload; }
    std::uint32_t Counter(link::ParamId id) { return ParamU32(controller_.State(), id); }
    void Pass(double seconds) {
        now_ += std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    }

    Clock::time_point now_{};
    EmulatedController controller_{DefaultControllerState(), {}, now_};
    SessionState session_;
};

// Chunks 0, 2, 0 again, 1: the early one waits for the gap, the repeated one is taken once, and each
// answer tells which chunks are held.
TEST_F(EmulatedControllerTest, ChunksAheadOfAGapWaitAndEachAnswerTellsWhatIsHeld) {
    ASSERT_EQ(StatusOf(Command::kBeginDownload, Pack(std::string("DOC"))), kOk);
    const std::vector<std::uint8_t> pieces[] = {{1, 2, 3}, {4, 5}, {6}};
    struct Step {
        std::uint32_t chunk;
        std::uint32_t inOrder;
        std::uint64_t following;
    };
    for (const Step step : {Step{0, 1, 0}, Step{2, 1, 0b1}, Step{0, 1, 0b1}, Step{1, 3, 0}}) {
        const link::Answer answer = Call(Command::kDataChunk, Chunk(step.chunk, pieces[step.chunk]));
        ASSERT_EQ(answer.status, kOk) << "chunk " << step.chunk;
        const std::optional<link::ChunkAck> ack = link::ParseChunkAck(answer.payload);
        ASSERT_TRUE(ack);
        EXPECT_EQ(ack->inOrder, step.inOrder) << "chunk " << step.chunk;
        EXPECT_EQ(ack->following, step.following) << "chunk " << step.chunk;
    }
    EXPECT_EQ(StatusOf(Command::kDataChunk, Chunk(3 + link::kWindowChunks, pieces[0])), kRefused);
    ASSERT_EQ(StatusOf(Command::kEndDownload, Pack(std::uint32_t{3}, link::Crc32(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}))),
              kOk);
    ASSERT_EQ(controller_.State().documents.size(), 1u);
    EXPECT_EQ(controller_.State().documents[0].bytes, (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
}

// A download joins the store only when its end confirms every chunk and the bytes' checksum; until then,
// and after any other end, the store is as it was.
TEST_F(EmulatedControllerTest, DownloadIsStoredOnlyWhenItsEndConfirmsEveryByte) {
    const std::vector<std::uint8_t> bytes = {9, 8, 7};
    const std::uint32_t crc = link::Crc32(bytes);
    struct Case {
        const char* what;
        std::uint32_t endChunks;
        std::uint32_t endCrc;
        bool sendChunk;
        bool stored;
    };
    const Case cases[] = {
        {"whole", 1, crc, true, true},
        {"a chunk missing", 1, crc, false, false},
        {"more chunks announced than came", 2, crc, true, false},
        {"checksum wrong", 1, crc ^ 1, true, false},
    };
    for (const Case& c : cases) {
        session_ = {};
        const std::size_t before = controller_.State().documents.size();
        ASSERT_EQ(StatusOf(Command::kBeginDownload, Pack(std::string(c.what))), kOk);
        if (c.sendChunk) {
            ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(0, bytes)), kOk);
        }
        EXPECT_EQ(controller_.State().documents.size(), before) << c.what;
        EXPECT_EQ(StatusOf(Command::kEndDownload, Pack(c.endChunks, c.endCrc)), c.stored ? kOk : kRefused)
            << c.what;
        EXPECT_EQ(controller_.State().documents.size(), before + (c.stored ? 1 : 0)) << c.what;
    }
    // A download that the session leaves without its end (goodbye, eviction) is dropped.
    ASSERT_EQ(StatusOf(Command::kBeginDownload, Pack(std::string("LEFT"))), kOk);
    ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(0, bytes)), kOk);
    ASSERT_EQ(StatusOf(Command::kBye), kOk);
    EXPECT_EQ(StatusOf(Command::kEndDownload, Pack(std::uint32_t{1}, crc)), kRefused);
    EXPECT_EQ(controller_.State().documents.size(), 1u);
}

// A document larger than the store takes is refused at the chunk that overflows it, and nothing of it
// is stored.
TEST_F(EmulatedControllerTest, DocumentTooLargeForTheStoreIsRefusedWhole) {
    ControllerOptions options;
    options.maxDocumentBytes = 1500;
    EmulatedController small(DefaultControllerState(), options, now_);
    auto status = [&](Command command, const std::vector<std::uint8_t>& payload) {
        return small.Handle(session_, static_cast<std::uint16_t>(command), payload, now_).status;
    };
    const std::vector<std::uint8_t> piece(1024, 0x42);
    ASSERT_EQ(status(Command::kBeginDownload, Pack(std::string("BIG"))), kOk);
    EXPECT_EQ(status(Command::kDataChunk, Chunk(0, piece)), kOk);
    EXPECT_EQ(status(Command::kDataChunk, Chunk(1, piece)), kRefused);
    EXPECT_EQ(status(Command::kEndDownload, Pack(std::uint32_t{2}, std::uint32_t{0})), kRefused);
    EXPECT_TRUE(small.State().documents.empty());
}

TEST_F(EmulatedControllerTest, LiveJobStartsWhenItsEndArrivesAndRunsOnTheSimulatedClock) {
    const std::vector<std::uint8_t> job = JobOfSeconds(10.0);
    const std::size_t half = job.size() / 2;
    ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(0, std::span(job).first(half))), kOk);
    EXPECT_EQ(MachineStatus()[0], 0);  // not yet ended: nothing runs
    ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(1, std::span(job).subspan(half))), kOk);
    EXPECT_EQ(MachineStatus(), (std::vector<std::uint8_t>{1, 0, 0, 0, 0}));

    Pass(4.0);
    ASSERT_EQ(StatusOf(Command::kPause), kOk);
    Pass(100.0);  // paused time does not count
    EXPECT_EQ(MachineStatus(), (std::vector<std::uint8_t>{1, 1, 0, 0, 0}));
    ASSERT_EQ(StatusOf(Command::kResume), kOk);
    Pass(5.9);
    EXPECT_EQ(MachineStatus()[0], 1);
    Pass(0.2);
    EXPECT_EQ(MachineStatus()[0], 0);
    EXPECT_EQ(Counter(link::ParamId::kTotalWorkNum), 1u);
    EXPECT_EQ(Counter(link::ParamId::kPreWorkTime), 10000u);
    EXPECT_EQ(Counter(link::ParamId::kTotalCutrixTime), 10u);
}

TEST_F(EmulatedControllerTest, StoppedJobCountsTheTimeItRan) {
    const std::vector<std::uint8_t> job = JobOfSeconds(100.0);
    ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(0, job)), kOk);
    Pass(25.0);
    ASSERT_EQ(StatusOf(Command::kStop), kOk);
    EXPECT_EQ(MachineStatus()[0], 0);
    EXPECT_EQ(Counter(link::ParamId::kPreWorkTime), 25000u);
    EXPECT_EQ(Counter(link::ParamId::kTotalWorkTime), 25u);
}

TEST_F(EmulatedControllerTest, TravelCountsInWholeMetresWithoutLosingTheRest) {
    const std::vector<std::uint8_t> job = JobOfSeconds(600.0);  // 600 mm along X
    for (int run = 0; run < 5; ++run) {
        session_ = {};
        ASSERT_EQ(StatusOf(Command::kDataChunk, Chunk(0, job)), kOk);
        Pass(601.0);
        EXPECT_EQ(MachineStatus()[0], 0);
    }
    EXPECT_EQ(Counter(link::ParamId::kTotalWorkLengthX), 3u);  // 3000 mm
    EXPECT_EQ(Counter(link::ParamId::kTotalWorkLengthY), 0u);
}

TEST_F(EmulatedControllerTest, UploadPagesBeginWithAHeaderEndedByTheByteThatTransformsToZero) {
    ASSERT_EQ(StatusOf(Command::kBeginDownload, Pack(std::string("DOC"))), kOk);
    const std::vector<std::uint8_t> job(2107, 0x11);
    for (std::uint32_t chunk = 0; chunk * 1024 < job.size(); ++chunk) {
        const std::size_t start = chunk * 1024;
        ASSERT_EQ(StatusOf(Command::kDataChunk,
                           Chunk(chunk, std::span(job).subspan(
                                            start, std::min<std::size_t>(1024, job.size() - start)))),
                  kOk);
    }
    ASSERT_EQ(StatusOf(Command::kEndDownload, Pack(std::uint32_t{3}, link::Crc32(job))), kOk);
    const link::Answer pages = Call(Command::kGetDocumentPageCount, Pack(std::uint32_t{1}));
    EXPECT_EQ(link::UnpackSingle<std::uint32_t>(pages.payload), 1u);  // 5 header bytes + 2107 = one page

    const link::Answer page = Call(Command::kGetDocumentPage, Pack(std::uint32_t{1}, std::uint32_t{0}));
    EXPECT_EQ(page.status, static_cast<std::uint16_t>(AnswerStatus::kLastPage));
    ASSERT_EQ(page.payload.size(), 4u + 2112u);
    EXPECT_EQ(OpcodeByteFromStored(page.payload[4 + 4]), 0);
    EXPECT_NE(OpcodeByteFromStored(page.payload[4]), 0);
    EXPECT_EQ(StatusOf(Command::kGetDocumentPage, Pack(std::uint32_t{1}, std::uint32_t{1})), kRefused);
}

TEST_F(EmulatedControllerTest, BulkDataFailingItsSizeOrChecksumIsNotTaken) {
    const std::vector<std::uint8_t> logo(1024, 0x33);
    ASSERT_EQ(
        StatusOf(Command::kBulkBegin, Pack(std::uint8_t{1}, std::uint32_t{1024}, link::Crc32(logo) ^ 1)),
        kOk);
    ASSERT_EQ(StatusOf(Command::kBulkChunk, Chunk(0, logo)), kOk);
    EXPECT_EQ(StatusOf(Command::kBulkEnd), kRefused);
    EXPECT_EQ(StatusOf(Command::kBulkChunk, Chunk(0, logo)), kRefused);  // nothing is under way now

    ASSERT_EQ(StatusOf(Command::kBulkBegin, Pack(std::uint8_t{1}, std::uint32_t{1000}, std::uint32_t{0})),
              kOk);
    EXPECT_EQ(StatusOf(Command::kBulkChunk, Chunk(0, logo)), kRefused);  // more than announced
    EXPECT_TRUE(controller_.State().monoLogo.empty());
}

TEST_F(EmulatedControllerTest, RequestsItCannotReadAreAnsweredAsMalformed) {
    EXPECT_EQ(StatusOf(Command::kGetParam, {1}), kMalformed);                      // cut short
    EXPECT_EQ(StatusOf(Command::kGetMachineStatus, {0}), kMalformed);              // trailing byte
    EXPECT_EQ(StatusOf(Command::kBeginDownload, {200, 'A'}), kMalformed);          // name longer than sent
    EXPECT_EQ(controller_.Handle(session_, 0x7777, {}, now_).status, kMalformed);  // unknown command
    EXPECT_EQ(StatusOf(Command::kSetParam, Pack(std::uint16_t{2}, std::uint16_t{1}, std::uint8_t{1})),
              kRefused);
}

TEST_F(EmulatedControllerTest, GreetingWithAnotherCardVersionOrProtocolIsAMismatch) {
    const std::uint16_t mismatch = static_cast<std::uint16_t>(AnswerStatus::kMismatch);
    EXPECT_EQ(StatusOf(Command::kHello, Pack(std::uint32_t{link::kProtocolVersion}, std::uint32_t{320})),
              kOk);
    EXPECT_EQ(StatusOf(Command::kHello, Pack(std::uint32_t{link::kProtocolVersion}, std::uint32_t{300})),
              mismatch);
    EXPECT_EQ(StatusOf(Command::kHello, Pack(std::uint32_t{2}, std::uint32_t{320})), mismatch);
}

}  // namespace
}  // namespace motionlink::emulator
