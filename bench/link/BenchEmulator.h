// The emulated controller that the link benchmarks talk to, and the download they all begin with.
#pragma once

#include "EmulatorServer.h"

#include <cstdint>
#include <memory>
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

}  // namespace linkbench
