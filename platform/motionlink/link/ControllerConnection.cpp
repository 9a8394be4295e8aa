// Opening, greeting and closing a controller link.
#include "ControllerConnection.h"

#include "Archive.h"
#include "Crc32.h"
#include "LinkStatus.h"
#include "Numbers.h"
#include "Payload.h"

#include <cstdlib>
#include <random>
#include <string>

namespace motionlink::link {
namespace {

constexpr std::uint16_t kHighestComPort = 256;
// Automatic port search and goodbyes must not hold the caller for long on a silent line.
constexpr std::chrono::milliseconds kProbeDeadline{300};
constexpr std::chrono::milliseconds kGoodbyeDeadline{300};

std::uint32_t NewSession() {
    std::random_device source;
    std::uint32_t session = 0;
    while (session == 0) {
        session = source();
    }
    return session;
}

}  // namespace

std::filesystem::path SerialDevicePath(std::uint16_t comPort) {
    const char* folder = std::getenv("CUTRIX_SERIAL_DIR");
    const std::filesystem::path base = folder != nullptr && *folder != '\0' ? folder : "/dev";
    return base / ("ttyS" + std::to_string(comPort - 1));
}

std::uint16_t ControllerUdpPort() {
    const char* text = std::getenv("CUTRIX_MOTIONLINK_PORT");
    if (text == nullptr) {
        return kDefaultUdpPort;
    }
    const std::optional<std::int64_t> port = platform::ParseInt(text);
    return port && *port > 0 && *port <= 0xFFFF ? static_cast<std::uint16_t>(*port) : kDefaultUdpPort;
}

std::uint16_t StatusOf(const std::optional<Answer>& answer) {
    if (!answer || answer->status == static_cast<std::uint16_t>(AnswerStatus::kMalformed)) {
        return kLinkCommunicationError;
    }
    return answer->status;
}

std::uint16_t ControllerConnection::Open(const ConnectionTarget& target, std::uint32_t cardVersion,
                                         LinkTiming timing) {
    Close();
    if (target.kind == 0) {
        return OpenSerial(target.port, cardVersion, timing);
    }
    return Greet(OpenUdpTransport(target.address, ControllerUdpPort()), cardVersion, timing);
}

std::uint16_t ControllerConnection::OpenSerial(std::uint16_t comPort, std::uint32_t cardVersion,
                                               LinkTiming timing) {
    if (comPort != 0) {
        return comPort > kHighestComPort
                   ? kLinkCommunicationError
                   : Greet(OpenSerialTransport(SerialDevicePath(comPort)), cardVersion, timing);
    }
    LinkTiming probe = timing;
    probe.deadline = std::min(timing.deadline, kProbeDeadline);
    for (std::uint16_t candidate = 1; candidate <= kHighestComPort; ++candidate) {
        const std::filesystem::path device = SerialDevicePath(candidate);
        std::error_code ignored;
        if (!std::filesystem::exists(device, ignored)) {
            continue;
        }
        const std::uint16_t status = Greet(OpenSerialTransport(device), cardVersion, probe);
        if (status != kLinkCommunicationError) {
            return status;
        }
    }
    return kLinkCommunicationError;
}

std::uint16_t ControllerConnection::Greet(std::unique_ptr<Transport> transport, std::uint32_t cardVersion,
                                          LinkTiming timing) {
    if (transport == nullptr) {
        return kLinkCommunicationError;
    }
    auto client = std::make_unique<LinkClient>(std::move(transport), NewSession(), timing);
    const std::optional<Answer> answer =
        client->Call(Command::kHello, Pack(std::uint32_t{kProtocolVersion}, cardVersion));
    const std::uint16_t status = StatusOf(answer);
    if (status == kLinkMismatch) {
        return kLinkMismatch;
    }
    if (status != kLinkOk) {
        return kLinkCommunicationError;
    }
    try {
        boardVersion_ = platform::Archive::ForLoading(answer->payload).ReadString();
    } catch (const platform::ArchiveError&) {
        return kLinkCommunicationError;
    }
    client_ = std::move(client);
    nextDataChunk_ = 0;
    download_.reset();
    return kLinkOk;
}

std::uint16_t ControllerConnection::Close() {
    std::uint16_t status = kLinkOk;
    if (client_ != nullptr) {
        status = FinishTransfer();
        client_->Call(Command::kBye, {}, kGoodbyeDeadline);
    }
    client_.reset();
    readAhead_.reset();
    boardVersion_.clear();
    download_.reset();
    return status;
}

namespace {

std::optional<Answer> AnswerOfFailure(std::uint16_t status) {
    if (status == kLinkCommunicationError) {
        return std::nullopt;
    }
    return Answer{status, {}};
}

}  // namespace

std::optional<Answer> ControllerConnection::Call(Command command, std::span<const std::uint8_t> payload) {
    if (client_ == nullptr) {
        return std::nullopt;
    }
    const std::uint16_t transfer = FinishTransfer();
    if (transfer != kLinkOk) {
        return AnswerOfFailure(transfer);
    }
    return client_->Call(command, payload);
}

std::uint16_t ControllerConnection::FinishTransfer() {
    if (client_ == nullptr) {
        return kLinkCommunicationError;
    }
    DropReadAhead();
    std::uint16_t status = client_->DrainChunks();
    if (download_) {
        const std::uint32_t crc = download_->crc;
        download_.reset();
        if (status == kLinkOk) {
            status = StatusOf(client_->Call(Command::kEndDownload, Pack(nextDataChunk_, crc)));
        }
    }
    return status;
}

std::uint16_t ControllerConnection::BeginDownload(std::span<const std::uint8_t> namePayload) {
    const std::uint16_t status = StatusOf(Call(Command::kBeginDownload, namePayload));
    if (status == kLinkOk) {
        nextDataChunk_ = 0;  // a download numbers its chunks from 0, as the controller does
        download_ = Download{};
    }
    return status;
}

std::uint16_t ControllerConnection::SendDataChunks(std::span<const std::uint8_t> data) {
    if (download_) {
        download_->crc = Crc32Update(download_->crc, data);
    }
    return SendChunks(Command::kDataChunk, data, nextDataChunk_);
}

std::uint16_t ControllerConnection::SendChunks(Command chunkCommand, std::span<const std::uint8_t> data,
                                               std::uint32_t& nextChunk) {
    if (client_ == nullptr) {
        return kLinkCommunicationError;
    }
    DropReadAhead();
    std::vector<std::uint8_t> payload;
    while (!data.empty()) {
        const std::span<const std::uint8_t> piece = data.first(std::min(data.size(), kChunkBytes));
        payload = Pack(nextChunk);
        payload.insert(payload.end(), piece.begin(), piece.end());
        const std::uint16_t status = client_->PostChunk(chunkCommand, nextChunk, payload);
        if (status != kLinkOk) {
            return status;
        }
        ++nextChunk;
        data = data.subspan(piece.size());
    }
    return kLinkOk;
}

namespace {

bool CarriesPage(std::uint16_t status) {
    return status == kLinkOk || status == kLinkMorePages || status == kLinkLastPage;
}

}  // namespace

std::optional<Answer> ControllerConnection::FetchPage(std::uint32_t document, std::uint32_t page) {
    if (client_ == nullptr) {
        return std::nullopt;
    }
    if (!readAhead_ || readAhead_->document != document || !client_->HasFetch(page)) {
        return FetchPageAfresh(document, page);
    }
    RequestPagesAhead(page);
    std::optional<Answer> answer = client_->TakeFetched(page);
    if (answer && !CarriesPage(answer->status)) {
        // That answer came before the page was asked for: the page is asked again, now.
        client_->PostFetch(Command::kGetDocumentPage, page, Pack(document, page));
        answer = client_->TakeFetched(page);
    }
    return KeepReadingAhead(std::move(answer));
}

std::optional<Answer> ControllerConnection::KeepReadingAhead(std::optional<Answer> answer) {
    if (!answer || !CarriesPage(answer->status)) {
        DropReadAhead();
        return answer;
    }
    readAhead_->lastPageSeen = readAhead_->lastPageSeen || answer->status == kLinkLastPage;
    return answer;
}

std::optional<Answer> ControllerConnection::FetchPageAfresh(std::uint32_t document, std::uint32_t page) {
    const std::uint16_t transfer = FinishTransfer();
    if (transfer != kLinkOk) {
        return AnswerOfFailure(transfer);
    }
    readAhead_ = ReadAhead{document, page, false};
    RequestPagesAhead(page);
    return KeepReadingAhead(client_->TakeFetched(page));
}

// Keeps the pages from the one asked for on in flight, as far as the document goes. Pages are twice as
// long as chunks and their answers, not the requests, carry them: fewer of them fill the line.
void ControllerConnection::RequestPagesAhead(std::uint32_t page) {
    constexpr std::size_t kPagesAhead = 16;
    const std::size_t window = std::min(client_->WindowSize(), kPagesAhead);
    while (!readAhead_->lastPageSeen && readAhead_->nextPage - page < window) {
        const std::uint32_t next = readAhead_->nextPage;
        if (client_->PostFetch(Command::kGetDocumentPage, next, Pack(readAhead_->document, next)) != kLinkOk) {
            return;  // the controller fell silent: taking the page asked for reports it
        }
        ++readAhead_->nextPage;
    }
}

void ControllerConnection::DropReadAhead() {
    if (readAhead_) {
        readAhead_.reset();
        client_->AbandonWindow();
    }
}

}  // namespace motionlink::link
