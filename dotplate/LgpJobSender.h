// Sends the bytes of a job file to the controller in port writes of at most 1024 bytes, each starting
// at the first byte of a command, so that no command is ever split across two writes (unless a single
// command is longer than a whole write).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace dotplate {

class LgpJobSender {
  public:
    static constexpr std::size_t kMaxWrite = 1024;
    using PortWrite = std::function<std::uint16_t(const std::uint8_t* data, std::uint32_t length)>;

    // Writes through Motionlink's Zint_WritePort.
    LgpJobSender();
    explicit LgpJobSender(PortWrite write) : write_(std::move(write)) {}

    // Empties the staging buffer, before the first bytes of a file.
    void Reset() { staged_.clear(); }
    // Stages the bytes, writing whole commands as the buffer fills. 0, or 1 when a port write failed
    // (the caller stops sending).
    int Send(const std::uint8_t* data, std::size_t length);
    // Writes what is staged. 0, or 1 when the port write failed.
    int Flush();

  private:
    // Writes the staged commands before the last command start, keeping that last command staged.
    bool WriteWholeCommands();

    PortWrite write_;
    std::vector<std::uint8_t> staged_;
};

// 1 when the stored job byte begins a command.
bool IsCommandStart(std::uint8_t storedByte);

}  // namespace dotplate
