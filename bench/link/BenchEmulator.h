// The emulated controller that the link benchmarks talk to, the download they all begin with, and the
// plain datagram loop they are measured against.
#pragma once

#include "EmulatorServer.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <thread>
#include <vector>

namespace linkbench {

// The carrier the link runs over: UDP on loopback, or a pseudo-terminal standing for serial port COM1.
enum class Carrier { kUdp, kSerial };

// An emulator in this process that keeps nothing on disk, losing the share of packets in each direction
// (seeded), and $CUTRIX_MOTIONLINK_PORT (and for serial $CUTRIX_SERIAL_DIR) pointing at it.
std::unique_ptr<motionlink::emulator::EmulatorServer> StartEmulator(double dropShare, Carrier carrier = Carrier::kUdp);

// Opens the link and sends the document as "BENCH" in pieces of 1024 bytes, the way the download dialog
// sends it; the connection stays open with the last pieces perhaps still in flight. False on a failure.
bool SendDocument(const std::vector<std::uint8_t>& document, Carrier carrier = Carrier::kUdp);

// The floor under every transfer on loopback: bytes as bare 1 KiB datagrams to a receiver thread, with
// no frames, checksums or answers, only a shared count that keeps the sender at most the link's window
// ahead of the receiver, so that the receiver's buffer never overflows.
class PlainUdpLoop {
  public:
    PlainUdpLoop();
    ~PlainUdpLoop();
    PlainUdpLoop(const PlainUdpLoop&) = delete;
    PlainUdpLoop& operator=(const PlainUdpLoop&) = delete;

    // False when the loopback sockets could not be set up.
    bool Ready() const { return ready_; }
    // Returns once the receiver has taken every datagram of `bytes`.
    void Send(std::span<const std::uint8_t> bytes);

  private:
    int receiver_;
    int sender_;
    bool ready_ = false;
    std::atomic<std::size_t> received_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread receiving_;
};

}  // namespace linkbench
