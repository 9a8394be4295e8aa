// One open link to a controller: the greeting that checks the software versions, requests, numbered
// data chunks and the goodbye.
//
// Where a connection goes:
//   kind 1 (network): UDP to the dotted address, on port kDefaultUdpPort, or on the port that
//     $CUTRIX_MOTIONLINK_PORT names.
//   kind 0 (serial or USB): COM port n (1..256) is the device file "ttyS<n-1>" in the serial folder, which
//     is /dev, or the folder that $CUTRIX_SERIAL_DIR names. COM port 0 means automatic: the existing
//     devices COM1, COM2, ... are tried in turn and the first controller that answers is taken.
#pragma once

#include "LinkClient.h"
#include "LinkStatus.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace motionlink::link {

struct ConnectionTarget {
    std::uint16_t kind = 0;  // 0 serial or USB, any other value network
    std::uint16_t port = 0;  // COM number for kind 0; 0 = automatic
    std::string address;     // dotted IPv4 address for the network
};

// The device file of COM port n (1..256), after the rule above.
std::filesystem::path SerialDevicePath(std::uint16_t comPort);
// The UDP port of controllers, after the rule above.
std::uint16_t ControllerUdpPort();

class ControllerConnection {
  public:
    ControllerConnection() = default;
    ~ControllerConnection() { Close(); }
    ControllerConnection(const ControllerConnection&) = delete;
    ControllerConnection& operator=(const ControllerConnection&) = delete;

    // 0 open; 2 the controller's software does not match; 1 no controller answered. Closes an earlier
    // connection first; leaves nothing open on failure.
    std::uint16_t Open(const ConnectionTarget& target, std::uint32_t cardVersion, LinkTiming timing = {});
    // Ends a transfer under way, says goodbye, briefly, and drops the carrier. The transfer's status;
    // harmless when nothing is open.
    std::uint16_t Close();
    bool IsOpen() const { return client_ != nullptr; }
    const std::string& BoardVersion() const { return boardVersion_; }

    // The answer, or nothing when nothing is open or the controller did not answer. A transfer still
    // under way ends first (FinishTransfer); when that fails, its failure is this call's answer (nothing
    // for a lost controller, else the controller's refusal) and the request is not sent.
    std::optional<Answer> Call(Command command, std::span<const std::uint8_t> payload);

    // Puts the data into the window as `chunkCommand` requests (a chunk number, then at most kChunkBytes
    // of data), numbered on from `nextChunk`, which follows. Returns once the data is in the window, with
    // the transfer's status so far: 0, 1 when the controller fell silent, or the controller's refusal,
    // after which nothing more is sent.
    std::uint16_t SendChunks(Command chunkCommand, std::span<const std::uint8_t> data,
                             std::uint32_t& nextChunk);
    // Job and download data, numbered on from the last data chunk of this connection.
    std::uint16_t SendDataChunks(std::span<const std::uint8_t> data);
    // Starts storing a document under the name (GBK, as the request packs it): later data chunks fill it,
    // and the controller stores it once the transfer ends with all of them confirmed.
    std::uint16_t BeginDownload(std::span<const std::uint8_t> namePayload);
    // Waits until the controller has confirmed every chunk sent, and for a download has stored the
    // document. The transfer's status; nothing is under way afterwards.
    std::uint16_t FinishTransfer();

    // One page of a stored document, as the page request answers it. The pages after it are requested
    // ahead, within the window, and later calls for them are answered from what the controller sent.
    // An answer that carries no page (a refusal, "busy") is reported only for a page that was asked for
    // when it was requested: one that came for a page read ahead makes that page be asked again.
    // Any other request drops what was read ahead.
    std::optional<Answer> FetchPage(std::uint32_t document, std::uint32_t page);

  private:
    std::uint16_t Greet(std::unique_ptr<Transport> transport, std::uint32_t cardVersion, LinkTiming timing);
    std::uint16_t OpenSerial(std::uint16_t comPort, std::uint32_t cardVersion, LinkTiming timing);

    struct Download {
        std::uint32_t crc = 0;  // of the document's bytes so far
    };

    struct ReadAhead {
        std::uint32_t document = 0;
        std::uint32_t nextPage = 0;    // the first page not yet requested
        bool lastPageSeen = false;     // no page beyond the document's last is asked for
    };

    std::optional<Answer> FetchPageAfresh(std::uint32_t document, std::uint32_t page);
    void RequestPagesAhead(std::uint32_t page);
    // The page asked for, as answered; reading ahead stops with an answer that carries no page.
    std::optional<Answer> KeepReadingAhead(std::optional<Answer> answer);
    void DropReadAhead();

    std::unique_ptr<LinkClient> client_;
    std::optional<ReadAhead> readAhead_;
    std::string boardVersion_;
    std::uint32_t nextDataChunk_ = 0;
    std::optional<Download> download_;
};

// Turns an answer into a call status: 0 for kOk, 1 for no answer or an unreadable request, else the
// controller's own status.
std::uint16_t StatusOf(const std::optional<Answer>& answer);

}  // namespace motionlink::link
