// The emulated controller: carries out each request of the link protocol against its state, runs jobs
// on a simulated clock and keeps its state file up to date.
//
// Time comes in with every request, so the controller needs no thread of its own: a running job is
// settled (its statistics counted) at the first request after its simulated end.
#pragma once

#include "Archive.h"
#include "ChunkReassembler.h"
#include "ControllerState.h"
#include "JobMeasure.h"
#include "JobRun.h"
#include "LinkClient.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <span>
#include <vector>

namespace motionlink::emulator {

struct ControllerOptions {
    std::filesystem::path stateFolder;  // empty: nothing is saved
    double timeScale = 1.0;             // simulated seconds per real second
    std::uint32_t cardVersion = 320;    // the only card version the greeting accepts
    bool reportMismatch = false;        // answer every greeting with the mismatch status
    double busyShare = 0;               // share of page requests answered busy
    std::size_t maxDocumentBytes = 32 * 1024 * 1024;  // the largest document the store takes
    std::uint32_t seed = 1;
    // When set, every job the machine starts (streamed or a stored document) is kept here as
    // job-N.zint, N counting from the first free number, so that a test can read what was run.
    std::filesystem::path keepJobsFolder;
};

// What the controller keeps for one client session between its requests.
struct SessionState {
    ChunkReassembler dataChunks;
    // A document being downloaded: it joins the store only when the download ends with every byte
    // confirmed, so that a download that fails or is cut off leaves the store as it was.
    struct Download {
        std::string name;
        // The chunks as they came, joined once at the end: a large document is then copied once.
        std::vector<std::vector<std::uint8_t>> chunks;
        std::size_t bytes = 0;
    };
    std::optional<Download> download;
    std::vector<std::uint8_t> liveJob;  // a streamed job until its end command arrives
    struct Bulk {
        bool active = false;
        std::uint8_t kind = 0;
        std::uint32_t expectedBytes = 0;
        std::uint32_t expectedCrc = 0;
        ChunkReassembler chunks;
        std::vector<std::uint8_t> bytes;
    } bulk;
};

class EmulatedController {
  public:
    EmulatedController(ControllerState state, ControllerOptions options, Clock::time_point now);

    link::Answer Handle(SessionState& session, std::uint16_t command, std::span<const std::uint8_t> payload,
                        Clock::time_point now);
    // A session ended (goodbye or eviction): a download it left unfinished is dropped.
    void EndSession(SessionState& session);

    const ControllerState& State() const { return state_; }
    bool IsProcessing(Clock::time_point now);
    // Saves the state file now; false when that failed or no folder is set.
    bool Save();

  private:
    link::Answer Dispatch(SessionState& session, std::uint16_t command, platform::Archive& request,
                          Clock::time_point now);
    link::Answer Hello(platform::Archive& request);
    link::Answer GetParam(platform::Archive& request);
    link::Answer SetParam(platform::Archive& request, Clock::time_point now);
    link::Answer ReadRawParam(platform::Archive& request);
    link::Answer MachineStatus(Clock::time_point now);
    link::Answer AxisPosition(platform::Archive& request);
    link::Answer JogSpeed(platform::Archive& request);
    link::Answer JogPower(platform::Archive& request);
    link::Answer AxisMove(platform::Archive& request, Clock::time_point now);
    link::Answer DocumentName(platform::Archive& request);
    link::Answer DocumentTime(platform::Archive& request);
    link::Answer DeleteDocument(platform::Archive& request);
    link::Answer StartDocument(platform::Archive& request, Clock::time_point now);
    link::Answer CalculateDocumentTime(platform::Archive& request);
    link::Answer BeginDownload(platform::Archive& request, SessionState& session);
    link::Answer DataChunk(platform::Archive& request, SessionState& session, Clock::time_point now);
    link::Answer EndDownload(platform::Archive& request, SessionState& session);
    bool StreamJob(SessionState& session, std::span<const std::uint8_t> bytes, Clock::time_point now);
    link::Answer PageCount(platform::Archive& request);
    link::Answer Page(platform::Archive& request);
    link::Answer Pause(Clock::time_point now);
    link::Answer Resume(Clock::time_point now);
    link::Answer Stop(Clock::time_point now);
    link::Answer BulkBegin(platform::Archive& request, SessionState& session);
    link::Answer BulkChunk(platform::Archive& request, SessionState& session);
    link::Answer BulkEnd(SessionState& session);

    StoredDocument* FindDocument(std::uint32_t number);
    StoredDocument* FindDocumentById(std::uint64_t id);
    // Bytes [start, start + length) of the document as an upload shows it: a header, then the job.
    std::vector<std::uint8_t> UploadSlice(const StoredDocument& document, std::size_t start,
                                          std::size_t length) const;
    void StartJob(std::span<const std::uint8_t> job, std::optional<std::uint64_t> documentId,
                  Clock::time_point now);
    void KeepJob(std::span<const std::uint8_t> job) const;
    void SettleJob(Clock::time_point now);
    // Counts an ended job into the statistics, the positions and its document's work time.
    void CountJob(const JobRun::Ended& ended);
    void CountOpenTime(Clock::time_point now);
    void Changed();

    ControllerState state_;
    ControllerOptions options_;
    std::mt19937 random_;
    JobRun run_;
    std::uint64_t nextDocumentId_ = 1;
    std::int32_t positionsUm_[4] = {0, 0, 0, 0};
    Clock::time_point openTimeCountedTo_;
};

}  // namespace motionlink::emulator
