// The emulator's carriers: a UDP socket on a loopback address and, when asked, a pseudo-terminal that
// stands for a serial port. One thread serves both until the server stops.
#pragma once

#include "EmulatedController.h"
#include "PacketServer.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace motionlink::emulator {

struct EmulatorOptions {
    ControllerOptions controller;
    FaultOptions faults;
    std::string bindAddress = "127.0.0.1";
    std::uint16_t udpPort = 0;  // 0: a free port that the system picks
    bool serial = false;        // also serve a pseudo-terminal
    // When set (with `serial`), a symbolic link to the pseudo-terminal's device is made here, e.g. the
    // COM port's device name in the folder that $CUTRIX_SERIAL_DIR names.
    std::filesystem::path serialLink;
};

class EmulatorServer {
  public:
    // Loads the state, binds and starts serving; nothing, with the reason in `error`, on failure.
    static std::unique_ptr<EmulatorServer> Start(const EmulatorOptions& options, std::string& error);
    ~EmulatorServer();
    EmulatorServer(const EmulatorServer&) = delete;
    EmulatorServer& operator=(const EmulatorServer&) = delete;

    // Stops serving and saves the state; also done by the destructor.
    void Stop();

    std::uint16_t UdpPort() const { return udpPort_; }
    // The pseudo-terminal's device, or empty without serial.
    const std::filesystem::path& SerialDevice() const { return serialDevice_; }
    // A copy of the controller's state as it is now.
    ControllerState StateSnapshot();

  private:
    struct Descriptors;
    EmulatorServer(const EmulatorOptions& options, ControllerState state);
    void Serve();

    EmulatorOptions options_;
    std::mutex lock_;  // the serving thread holds it while it handles a packet
    EmulatedController controller_;
    PacketServer packets_;
    std::unique_ptr<Descriptors> descriptors_;
    std::uint16_t udpPort_ = 0;
    std::filesystem::path serialDevice_;
    std::thread thread_;
    bool stopped_ = false;
};

}  // namespace motionlink::emulator
