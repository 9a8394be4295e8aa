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
    // Says goodbye, briefly, and drops the carrier. Harmless when nothing is open.
    void Close();
    bool IsOpen() const { return client_ != nullptr; }
    const std::string& BoardVersion() const { return boardVersion_; }

    // The answer, or nothing when nothing is open or the controller did not answer.
    std::optional<Answer> Call(Command command, std::span<const std::uint8_t> payload);

    // Sends the data as `chunkCommand` requests (a chunk number, then at most kChunkBytes of data),
    // numbered on from `nextChunk`, which follows. Status 0, 1 without an answer, or the controller's
    // refusal, at which the sending stops.
    std::uint16_t SendChunks(Command chunkCommand, std::span<const std::uint8_t> data,
                             std::uint32_t& nextChunk);
    // Job and download data, numbered on from the last data chunk of this connection.
    std::uint16_t SendDataChunks(std::span<const std::uint8_t> data) {
        return SendChunks(Command::kDataChunk, data, nextDataChunk_);
    }
    // A new download starts its chunk numbers at 0, as the controller does.
    void RestartDataChunks() { nextDataChunk_ = 0; }

  private:
    std::uint16_t Greet(std::unique_ptr<Transport> transport, std::uint32_t cardVersion, LinkTiming timing);
    std::uint16_t OpenSerial(std::uint16_t comPort, std::uint32_t cardVersion, LinkTiming timing);

    std::unique_ptr<LinkClient> client_;
    std::string boardVersion_;
    std::uint32_t nextDataChunk_ = 0;
};

// Turns an answer into a call status: 0 for kOk, 1 for no answer or an unreadable request, else the
// controller's own status.
std::uint16_t StatusOf(const std::optional<Answer>& answer);

}  // namespace motionlink::link
