// Controllers for the link's tests, all on loopback: the emulator in-process on a free port, a
// scripted controller that answers whatever a test says, and a port where nobody listens.
#pragma once

#include "EmulatorServer.h"
#include "Frame.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

namespace motionlink::testing {

// Starts the emulator on a free loopback port with its state in the test's program folder, and points
// $CUTRIX_MOTIONLINK_PORT at it. Stops it (and closes the shared connection) when destroyed.
class InProcessEmulator {
  public:
    InProcessEmulator() : InProcessEmulator(DefaultOptions()) {}
    explicit InProcessEmulator(emulator::EmulatorOptions options);
    ~InProcessEmulator();

    emulator::EmulatorServer& Server() { return *server_; }
    std::uint16_t Port() const { return server_->UdpPort(); }
    // Stops and starts again on the same port and state folder, as a controller that is switched off and on.
    void Restart();

    static emulator::EmulatorOptions DefaultOptions();

  private:
    void Start();
    emulator::EmulatorOptions options_;
    std::unique_ptr<emulator::EmulatorServer> server_;
};

// A controller whose answers come from a function: the answer frame to send, or nothing to stay silent.
class ScriptedController {
  public:
    using Script = std::function<std::optional<link::Frame>(const link::Frame& request)>;
    explicit ScriptedController(Script script);
    ~ScriptedController();
    std::uint16_t Port() const { return port_; }
    int RequestsSeen() const { return requests_; }

    // The answer that a controller gives to the request: same command, sequence and session.
    static link::Frame AnswerTo(const link::Frame& request, std::uint16_t status,
                                std::vector<std::uint8_t> payload = {});

  private:
    void Serve();
    Script script_;
    int socket_ = -1;
    int wake_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<int> requests_ = 0;
    std::thread thread_;
};

// A loopback address and port at which no controller can listen: the port stays taken on 127.0.0.1 while
// the object lives, so no other test's controller gets it, and nothing ever listens on the other address.
class NoController {
  public:
    NoController();
    ~NoController();
    NoController(const NoController&) = delete;
    NoController& operator=(const NoController&) = delete;
    std::uint16_t Port() const { return port_; }
    static constexpr char kAddress[] = "127.83.91.7";

  private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
};

// A controller that has fallen silent on the given loopback port: the port stays taken, so that nothing
// reports it unreachable, and nothing ever answers.
class SilentController {
  public:
    explicit SilentController(std::uint16_t port);
    ~SilentController();
    SilentController(const SilentController&) = delete;
    SilentController& operator=(const SilentController&) = delete;

  private:
    int socket_ = -1;
};

// Sets $CUTRIX_MOTIONLINK_PORT for the links that open next.
void UseControllerPort(std::uint16_t port);

}  // namespace motionlink::testing
