// Request handling of the emulated controller.
#include "EmulatedController.h"

#include "ByteTransform.h"
#include "ChunkAck.h"
#include "Crc32.h"
#include "PanelPicture.h"
#include "Payload.h"
#include "UpdateFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace motionlink::emulator {
namespace {

using link::AnswerStatus;
using link::Command;
using link::ParamId;

constexpr std::size_t kMaxDocuments = 256;
constexpr std::size_t kMaxLiveJobBytes = 32 * 1024 * 1024;
constexpr std::size_t kMaxBulkBytes = link::kUpdateHeaderBytes + link::kMaxUpdateImageBytes;
constexpr std::size_t kMonoLogoBytes = 1024;
constexpr std::size_t kStatusBytes = 5;
constexpr std::size_t kRawParamBytes = 5;
// The upload header begins with this, then the byte that the byte transform turns into 0.
constexpr std::uint8_t kUploadMarker[] = {'Z', 'D', 'O', 'C'};

link::Answer Answer(AnswerStatus status, std::vector<std::uint8_t> payload = {}) {
    return {static_cast<std::uint16_t>(status), std::move(payload)};
}

link::Answer Ok(std::vector<std::uint8_t> payload = {}) {
    return Answer(AnswerStatus::kOk, std::move(payload));
}

link::Answer Refused() {
    return Answer(AnswerStatus::kRefused);
}

// Requests of fixed shape carry nothing after their last field.
void ExpectEnd(const platform::Archive& request) {
    if (request.Remaining() != 0) {
        throw platform::ArchiveError("trailing bytes in a request");
    }
}

std::vector<std::uint8_t> RestOf(platform::Archive& request) {
    return request.ReadBytes(request.Remaining());
}

std::int32_t ClampToInt32(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double limited = std::clamp(value, double{std::numeric_limits<std::int32_t>::min()},
                                      double{std::numeric_limits<std::int32_t>::max()});
    return static_cast<std::int32_t>(std::lround(limited));
}

std::uint32_t AddClamped(std::uint32_t base, double amount) {
    const double sum = static_cast<double>(base) + std::max(0.0, std::floor(amount));
    return sum >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<std::uint32_t>(sum);
}

std::size_t UploadHeaderBytes() {
    return std::size(kUploadMarker) + 1;
}

std::size_t PageCountOf(std::size_t imageBytes) {
    return (imageBytes + link::kDocumentPageBytes - 1) / link::kDocumentPageBytes;
}

}  // namespace

EmulatedController::EmulatedController(ControllerState state, ControllerOptions options,
                                       Clock::time_point now)
    : state_(std::move(state)),
      options_(std::move(options)),
      random_(options_.seed),
      run_(options_.timeScale),
      openTimeCountedTo_(now) {
    for (StoredDocument& document : state_.documents) {
        document.id = nextDocumentId_++;
    }
}

link::Answer EmulatedController::Handle(SessionState& session, std::uint16_t command,
                                        std::span<const std::uint8_t> payload, Clock::time_point now) {
    CountOpenTime(now);
    SettleJob(now);
    try {
        platform::Archive request = platform::Archive::ForLoading({payload.begin(), payload.end()});
        return Dispatch(session, command, request, now);
    } catch (const platform::ArchiveError&) {
        return Answer(AnswerStatus::kMalformed);
    }
}

link::Answer EmulatedController::Dispatch(SessionState& session, std::uint16_t command,
                                          platform::Archive& request, Clock::time_point now) {
    switch (static_cast<Command>(command)) {
        case Command::kHello:
            return Hello(request);
        case Command::kBye:
            ExpectEnd(request);
            EndSession(session);
            return Ok();
        case Command::kGetMachineStatus:
            ExpectEnd(request);
            return MachineStatus(now);
        case Command::kGetAxisPosition:
            return AxisPosition(request);
        case Command::kGetParam:
            return GetParam(request);
        case Command::kSetParam:
            return SetParam(request, now);
        case Command::kReadRawParam:
            return ReadRawParam(request);
        case Command::kGetBoardVersion:
            ExpectEnd(request);
            return Ok(link::Pack(state_.boardVersion));
        case Command::kGetDocumentCount:
            ExpectEnd(request);
            return Ok(link::Pack(static_cast<std::uint32_t>(state_.documents.size())));
        case Command::kGetDocumentName:
            return DocumentName(request);
        case Command::kGetDocumentTime:
            return DocumentTime(request);
        case Command::kDeleteDocument:
            return DeleteDocument(request);
        case Command::kStartDocument:
            return StartDocument(request, now);
        case Command::kCalculateDocumentTime:
            return CalculateDocumentTime(request);
        case Command::kBeginDownload:
            return BeginDownload(request, session);
        case Command::kDataChunk:
            return DataChunk(request, session, now);
        case Command::kEndDownload:
            return EndDownload(request, session);
        case Command::kGetDocumentPageCount:
            return PageCount(request);
        case Command::kGetDocumentPage:
            return Page(request);
        case Command::kPause:
            ExpectEnd(request);
            return Pause(now);
        case Command::kResume:
            ExpectEnd(request);
            return Resume(now);
        case Command::kStop:
            ExpectEnd(request);
            return Stop(now);
        case Command::kSetJogSpeed:
            return JogSpeed(request);
        case Command::kSetJogPower:
            return JogPower(request);
        case Command::kAxisMove:
            return AxisMove(request, now);
        case Command::kBulkBegin:
            return BulkBegin(request, session);
        case Command::kBulkChunk:
            return BulkChunk(request, session);
        case Command::kBulkEnd:
            ExpectEnd(request);
            return BulkEnd(session);
    }
    return Answer(AnswerStatus::kMalformed);
}

link::Answer EmulatedController::Hello(platform::Archive& request) {
    const std::uint32_t protocolVersion = request.ReadU32();
    const std::uint32_t cardVersion = request.ReadU32();
    ExpectEnd(request);
    if (options_.reportMismatch || protocolVersion != link::kProtocolVersion ||
        cardVersion != options_.cardVersion) {
        return Answer(AnswerStatus::kMismatch);
    }
    return Ok(link::Pack(state_.boardVersion));
}

link::Answer EmulatedController::GetParam(platform::Archive& request) {
    const std::uint16_t id = request.ReadU16();
    const std::uint16_t index = request.ReadU16();
    ExpectEnd(request);
    const std::optional<link::ParamInfo> info = link::FindParam(id);
    if (!info || !link::IsValidIndex(*info, index)) {
        return Refused();
    }
    return Ok(state_.params.at(ParamKey(info->id, index)));
}

link::Answer EmulatedController::SetParam(platform::Archive& request, Clock::time_point now) {
    const std::uint16_t id = request.ReadU16();
    const std::uint16_t index = request.ReadU16();
    std::vector<std::uint8_t> value = RestOf(request);
    const std::optional<link::ParamInfo> info = link::FindParam(id);
    if (!info || info->readOnly || !link::IsValidIndex(*info, index) || value.size() != info->valueBytes) {
        return Refused();
    }
    state_.params[ParamKey(info->id, index)] = std::move(value);
    if (info->id == ParamId::kTotalOpenTime) {
        openTimeCountedTo_ = now;
    }
    Changed();
    return Ok();
}

link::Answer EmulatedController::ReadRawParam(platform::Archive& request) {
    const std::uint32_t address = request.ReadU32();
    ExpectEnd(request);
    const auto found = state_.rawParams.find(address);
    return Ok(found != state_.rawParams.end() ? found->second : std::vector<std::uint8_t>(kRawParamBytes, 0));
}

link::Answer EmulatedController::MachineStatus(Clock::time_point now) {
    std::vector<std::uint8_t> status(kStatusBytes, 0);
    if (IsProcessing(now)) {
        status[0] = 1;
        status[1] = run_.IsPaused() ? 1 : 0;
    }
    return Ok(std::move(status));
}

link::Answer EmulatedController::AxisPosition(platform::Archive& request) {
    const std::uint32_t axis = request.ReadU32();
    ExpectEnd(request);
    if (axis < 1 || axis > std::size(positionsUm_)) {
        return Refused();
    }
    return Ok(link::Pack(positionsUm_[axis - 1]));
}

link::Answer EmulatedController::JogSpeed(platform::Archive& request) {
    const double speedMmPerS = request.ReadDouble();
    ExpectEnd(request);
    return std::isfinite(speedMmPerS) && speedMmPerS >= 0 ? Ok() : Refused();
}

link::Answer EmulatedController::JogPower(platform::Archive& request) {
    const std::uint8_t which = request.ReadU8();
    const double percentLaser1 = request.ReadDouble();
    const double percentLaser2 = request.ReadDouble();
    request.ReadI32();  // the power mode changes nothing on this machine
    ExpectEnd(request);
    const auto isPercent = [](double value) { return std::isfinite(value) && value >= 0 && value <= 100; };
    return which <= 1 && isPercent(percentLaser1) && isPercent(percentLaser2) ? Ok() : Refused();
}

link::Answer EmulatedController::AxisMove(platform::Archive& request, Clock::time_point now) {
    constexpr std::uint32_t kAxisXAndY = 5;
    const std::uint32_t axis = request.ReadU32();
    const double distanceMm = request.ReadDouble();
    request.ReadU32();
    request.ReadU32();
    const std::uint32_t mode = request.ReadU32();
    ExpectEnd(request);
    const bool knownAxis = (axis >= 1 && axis <= 3) || axis == kAxisXAndY;
    if (!knownAxis || mode > 3 || !std::isfinite(distanceMm) || IsProcessing(now)) {
        return Refused();
    }
    const bool fromOrigin = mode <= 1;
    auto move = [&](std::int32_t& positionUm) {
        positionUm = ClampToInt32((fromOrigin ? 0.0 : positionUm) + distanceMm * 1000.0);
    };
    if (axis == kAxisXAndY) {
        move(positionsUm_[0]);
        move(positionsUm_[1]);
    } else {
        move(positionsUm_[axis - 1]);
    }
    return Ok();
}

StoredDocument* EmulatedController::FindDocument(std::uint32_t number) {
    return number >= 1 && number <= state_.documents.size() ? &state_.documents[number - 1] : nullptr;
}

StoredDocument* EmulatedController::FindDocumentById(std::uint64_t id) {
    const auto found = std::find_if(state_.documents.begin(), state_.documents.end(),
                                    [id](const StoredDocument& document) { return document.id == id; });
    return found == state_.documents.end() ? nullptr : &*found;
}

link::Answer EmulatedController::DocumentName(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    const StoredDocument* document = FindDocument(number);
    return document ? Ok(link::Pack(document->name)) : Refused();
}

link::Answer EmulatedController::DocumentTime(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    const StoredDocument* document = FindDocument(number);
    return document ? Ok(link::Pack(document->workTimeMs)) : Refused();
}

link::Answer EmulatedController::DeleteDocument(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    if (number == 0) {
        state_.documents.clear();
    } else if (FindDocument(number) != nullptr) {
        state_.documents.erase(state_.documents.begin() + (number - 1));
    } else {
        return Refused();
    }
    Changed();
    return Ok();
}

link::Answer EmulatedController::StartDocument(platform::Archive& request, Clock::time_point now) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    const StoredDocument* document = FindDocument(number);
    if (document == nullptr || IsProcessing(now)) {
        return Refused();
    }
    StartJob(document->bytes, document->id, now);
    return Ok();
}

link::Answer EmulatedController::CalculateDocumentTime(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    StoredDocument* document = FindDocument(number);
    if (document == nullptr) {
        return Refused();
    }
    const JobMeasure measure = MeasureJob(document->bytes, ParamDouble(state_, ParamId::kG0Vel));
    document->workTimeMs = ClampToInt32(measure.durationS * 1000.0);
    Changed();
    return Ok();
}

link::Answer EmulatedController::BeginDownload(platform::Archive& request, SessionState& session) {
    std::string name = request.ReadString();
    ExpectEnd(request);
    if (name.empty() || name.size() > link::kMaxDocumentNameBytes ||
        state_.documents.size() >= kMaxDocuments) {
        return Refused();
    }
    EndSession(session);
    session.download = SessionState::Download{std::move(name), {}, 0};
    session.dataChunks.Restart();
    return Ok();
}

link::Answer EmulatedController::DataChunk(platform::Archive& request, SessionState& session,
                                           Clock::time_point now) {
    const std::uint32_t chunk = request.ReadU32();
    std::vector<std::uint8_t> bytes = RestOf(request);
    if (bytes.size() > link::kChunkBytes) {
        return Refused();
    }
    const bool taken = session.dataChunks.Take(chunk, std::move(bytes), [&](std::vector<std::uint8_t>&& data) {
        if (!session.download) {
            return StreamJob(session, data, now);
        }
        SessionState::Download& download = *session.download;
        if (download.bytes + data.size() > options_.maxDocumentBytes) {
            return false;
        }
        download.bytes += data.size();
        download.chunks.push_back(std::move(data));
        return true;
    });
    return taken ? Ok(link::PackChunkAck(session.dataChunks.Ack())) : Refused();
}

link::Answer EmulatedController::EndDownload(platform::Archive& request, SessionState& session) {
    const std::uint32_t chunks = request.ReadU32();
    const std::uint32_t crc = request.ReadU32();
    ExpectEnd(request);
    std::optional<SessionState::Download> download = std::move(session.download);
    session.download.reset();
    if (!download || session.dataChunks.InOrder() != chunks || state_.documents.size() >= kMaxDocuments) {
        return Refused();
    }
    StoredDocument document;
    document.bytes.reserve(download->bytes);
    for (const std::vector<std::uint8_t>& piece : download->chunks) {
        document.bytes.insert(document.bytes.end(), piece.begin(), piece.end());
    }
    if (link::Crc32(document.bytes) != crc) {
        return Refused();
    }
    document.id = nextDocumentId_++;
    document.name = std::move(download->name);
    state_.documents.push_back(std::move(document));
    Changed();
    return Ok();
}

bool EmulatedController::StreamJob(SessionState& session, std::span<const std::uint8_t> bytes,
                                   Clock::time_point now) {
    if ((session.liveJob.empty() && IsProcessing(now)) ||
        session.liveJob.size() + bytes.size() > kMaxLiveJobBytes) {
        return false;
    }
    const std::size_t scanFrom = session.liveJob.size();
    session.liveJob.insert(session.liveJob.end(), bytes.begin(), bytes.end());
    if (const std::optional<std::size_t> end = FindJobEnd(session.liveJob, scanFrom)) {
        StartJob(std::span(session.liveJob).first(*end), std::nullopt, now);
        session.liveJob.clear();  // bytes after the end command belong to no job
    }
    return true;
}

std::vector<std::uint8_t> EmulatedController::UploadSlice(const StoredDocument& document, std::size_t start,
                                                          std::size_t length) const {
    std::vector<std::uint8_t> header(std::begin(kUploadMarker), std::end(kUploadMarker));
    header.push_back(StoredByteFromOpcode(0));
    std::vector<std::uint8_t> slice;
    slice.reserve(length);
    for (std::size_t at = start; at < start + length; ++at) {
        slice.push_back(at < header.size() ? header[at] : document.bytes[at - header.size()]);
    }
    return slice;
}

link::Answer EmulatedController::PageCount(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    ExpectEnd(request);
    const StoredDocument* document = FindDocument(number);
    if (document == nullptr) {
        return Refused();
    }
    return Ok(
        link::Pack(static_cast<std::uint32_t>(PageCountOf(UploadHeaderBytes() + document->bytes.size()))));
}

link::Answer EmulatedController::Page(platform::Archive& request) {
    const std::uint32_t number = request.ReadU32();
    const std::uint32_t page = request.ReadU32();
    ExpectEnd(request);
    const StoredDocument* document = FindDocument(number);
    const std::size_t imageBytes = document ? UploadHeaderBytes() + document->bytes.size() : 0;
    const std::size_t pages = PageCountOf(imageBytes);
    if (document == nullptr || page >= pages) {
        return Refused();
    }
    if (std::bernoulli_distribution(options_.busyShare)(random_)) {
        return Answer(AnswerStatus::kBusy);
    }
    const std::size_t start = std::size_t{page} * link::kDocumentPageBytes;
    const std::size_t length = std::min(link::kDocumentPageBytes, imageBytes - start);
    std::vector<std::uint8_t> payload = link::Pack(static_cast<std::uint32_t>(length));
    const std::vector<std::uint8_t> slice = UploadSlice(*document, start, length);
    payload.insert(payload.end(), slice.begin(), slice.end());
    return Answer(page + 1 == pages ? AnswerStatus::kLastPage : AnswerStatus::kOk, std::move(payload));
}

link::Answer EmulatedController::Pause(Clock::time_point now) {
    SettleJob(now);
    return run_.Pause(now) ? Ok() : Refused();
}

link::Answer EmulatedController::Resume(Clock::time_point now) {
    SettleJob(now);
    return run_.Resume(now) ? Ok() : Refused();
}

link::Answer EmulatedController::Stop(Clock::time_point now) {
    SettleJob(now);
    if (const std::optional<JobRun::Ended> ended = run_.Stop(now)) {
        CountJob(*ended);
    }
    return Ok();
}

link::Answer EmulatedController::BulkBegin(platform::Archive& request, SessionState& session) {
    SessionState::Bulk bulk;
    bulk.kind = request.ReadU8();
    bulk.expectedBytes = request.ReadU32();
    bulk.expectedCrc = request.ReadU32();
    ExpectEnd(request);
    const bool knownKind = bulk.kind >= static_cast<std::uint8_t>(link::BulkKind::kMonoLogo) &&
                           bulk.kind <= static_cast<std::uint8_t>(link::BulkKind::kFirmware);
    if (!knownKind || bulk.expectedBytes > kMaxBulkBytes) {
        session.bulk = {};
        return Refused();
    }
    bulk.active = true;
    session.bulk = std::move(bulk);
    return Ok();
}

link::Answer EmulatedController::BulkChunk(platform::Archive& request, SessionState& session) {
    SessionState::Bulk& bulk = session.bulk;
    const std::uint32_t chunk = request.ReadU32();
    std::vector<std::uint8_t> bytes = RestOf(request);
    if (!bulk.active || bytes.size() > link::kChunkBytes) {
        return Refused();
    }
    const bool taken = bulk.chunks.Take(chunk, std::move(bytes), [&](std::vector<std::uint8_t>&& data) {
        if (bulk.bytes.size() + data.size() > bulk.expectedBytes) {
            return false;
        }
        bulk.bytes.insert(bulk.bytes.end(), data.begin(), data.end());
        return true;
    });
    return taken ? Ok(link::PackChunkAck(bulk.chunks.Ack())) : Refused();
}

link::Answer EmulatedController::BulkEnd(SessionState& session) {
    SessionState::Bulk bulk = std::move(session.bulk);
    session.bulk = {};
    if (!bulk.active || bulk.bytes.size() != bulk.expectedBytes ||
        link::Crc32(bulk.bytes) != bulk.expectedCrc) {
        return Refused();
    }
    switch (static_cast<link::BulkKind>(bulk.kind)) {
        case link::BulkKind::kMonoLogo:
            if (bulk.bytes.size() != kMonoLogoBytes) {
                return Refused();
            }
            state_.monoLogo = std::move(bulk.bytes);
            break;
        case link::BulkKind::kColorLogo:
            if (!IsPanelPicture(bulk.bytes)) {
                return Refused();
            }
            state_.colorLogo = std::move(bulk.bytes);
            break;
        case link::BulkKind::kFirmware:
            if (!link::IsValidUpdateFile(bulk.bytes, link::kUpdateTargetMainboard)) {
                return Refused();
            }
            state_.boardVersion = link::UpdateFileVersion(bulk.bytes);
            break;
    }
    Changed();
    return Ok();
}

void EmulatedController::StartJob(std::span<const std::uint8_t> job, std::optional<std::uint64_t> documentId,
                                  Clock::time_point now) {
    KeepJob(job);
    run_.Start(MeasureJob(job, ParamDouble(state_, ParamId::kG0Vel)), documentId, now);
}

void EmulatedController::KeepJob(std::span<const std::uint8_t> job) const {
    if (options_.keepJobsFolder.empty()) {
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(options_.keepJobsFolder, error);
    for (int number = 1;; ++number) {
        const std::filesystem::path path = options_.keepJobsFolder / ("job-" + std::to_string(number) + ".zint");
        if (!std::filesystem::exists(path, error)) {
            platform::WriteFileAtomically(path, job);
            return;
        }
    }
}

bool EmulatedController::IsProcessing(Clock::time_point now) {
    SettleJob(now);
    return run_.IsRunning();
}

void EmulatedController::SettleJob(Clock::time_point now) {
    if (const std::optional<JobRun::Ended> ended = run_.Settle(now)) {
        CountJob(*ended);
    }
}

void EmulatedController::CountJob(const JobRun::Ended& ended) {
    const JobMeasure& measure = ended.measure;
    auto add = [&](ParamId id, double amount) {
        SetParamU32(state_, id, 0, AddClamped(ParamU32(state_, id), amount));
    };
    add(ParamId::kTotalWorkNum, 1);
    add(ParamId::kTotalWorkTime, std::round(ended.ranSeconds));
    add(ParamId::kTotalCutrixTime, std::round(measure.laserOnS * ended.share));
    state_.travelRemainderXMm += measure.travelXMm * ended.share;
    state_.travelRemainderYMm += measure.travelYMm * ended.share;
    const double metresX = std::floor(state_.travelRemainderXMm / 1000.0);
    const double metresY = std::floor(state_.travelRemainderYMm / 1000.0);
    add(ParamId::kTotalWorkLengthX, metresX);
    add(ParamId::kTotalWorkLengthY, metresY);
    state_.travelRemainderXMm -= metresX * 1000.0;
    state_.travelRemainderYMm -= metresY * 1000.0;
    SetParamU32(state_, ParamId::kPreWorkTime, 0, AddClamped(0, ended.ranSeconds * 1000.0));
    if (ended.share >= 1.0) {
        positionsUm_[0] = ClampToInt32(measure.endXMm * 1000.0);
        positionsUm_[1] = ClampToInt32(measure.endYMm * 1000.0);
        if (StoredDocument* document = ended.documentId ? FindDocumentById(*ended.documentId) : nullptr) {
            document->workTimeMs = ClampToInt32(measure.durationS * 1000.0);
        }
    }
    Changed();
}

void EmulatedController::CountOpenTime(Clock::time_point now) {
    const auto seconds = std::chrono::floor<std::chrono::seconds>(now - openTimeCountedTo_);
    if (seconds.count() <= 0) {
        return;
    }
    SetParamU32(state_, ParamId::kTotalOpenTime, 0,
                AddClamped(ParamU32(state_, ParamId::kTotalOpenTime), static_cast<double>(seconds.count())));
    openTimeCountedTo_ += seconds;
}

void EmulatedController::EndSession(SessionState& session) {
    session.download.reset();
}

void EmulatedController::Changed() {
    Save();
}

bool EmulatedController::Save() {
    return !options_.stateFolder.empty() && SaveControllerState(state_, options_.stateFolder);
}

}  // namespace motionlink::emulator
