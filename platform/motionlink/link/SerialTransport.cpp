// The link over a serial device: the frames travel as a byte stream that the frame reader cuts apart
// again, resynchronising after noise.
#include "Transport.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace motionlink::link {
namespace {

// How long one frame may take to leave through a slow line before the line counts as broken.
constexpr std::chrono::milliseconds kWriteTimeout{1000};
// 115200 baud with a start and a stop bit around each byte.
constexpr double kLineBytesPerSecond = 115200.0 / 10.0;

bool MakeRaw(int device) {
    termios settings{};
    if (::tcgetattr(device, &settings) != 0) {
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    if (::tcsetattr(device, TCSANOW, &settings) != 0) {
        return false;
    }
    ::tcflush(device, TCIOFLUSH);
    return true;
}

class SerialTransport final : public Transport {
  public:
    explicit SerialTransport(int device) : device_(device) {}
    ~SerialTransport() override { ::close(device_); }
    SerialTransport(const SerialTransport&) = delete;
    SerialTransport& operator=(const SerialTransport&) = delete;

    bool Send(std::span<const std::uint8_t> frameBytes) override {
        const Clock::time_point deadline = Clock::now() + kWriteTimeout;
        while (!frameBytes.empty()) {
            const ssize_t written = ::write(device_, frameBytes.data(), frameBytes.size());
            if (written > 0) {
                frameBytes = frameBytes.subspan(static_cast<std::size_t>(written));
                continue;
            }
            if (written < 0 && errno != EAGAIN && errno != EINTR) {
                return false;
            }
            pollfd ready{device_, POLLOUT, 0};
            if (::poll(&ready, 1, MillisecondsUntil(deadline)) <= 0 && Clock::now() >= deadline) {
                return false;
            }
        }
        return true;
    }

    Received Receive(Clock::time_point deadline) override {
        for (;;) {
            if (auto frame = decoder_.Next()) {
                return {ReceiveOutcome::kFrame, std::move(*frame)};
            }
            pollfd ready{device_, POLLIN, 0};
            const int polled = ::poll(&ready, 1, MillisecondsUntil(deadline));
            if (polled < 0 && errno == EINTR) {
                continue;
            }
            if (polled == 0) {
                return {ReceiveOutcome::kTimeout, {}};
            }
            std::array<std::uint8_t, 4096> bytes;
            const ssize_t got = polled < 0 ? -1 : ::read(device_, bytes.data(), bytes.size());
            if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
            if (got <= 0) {
                return {ReceiveOutcome::kFailed, {}};  // the other end hung up
            }
            decoder_.Feed(std::span(bytes).first(static_cast<std::size_t>(got)));
        }
    }

    // Enough chunks in flight that a lost one is found by the three confirmed after it, not by waiting
    // for its timeout, which on a lossy line would stall the window at every loss; at the slowest
    // rate this is a second and a half of line, which the waits allow for (LineTime), and the answers
    // are small enough that the device's input buffer holds a window of them unread.
    std::size_t WindowChunks() const override { return 16; }

    Clock::duration LineTime(std::size_t bytes) const override {
        return std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(bytes) / kLineBytesPerSecond));
    }

  private:
    int device_;
    FrameStreamDecoder decoder_;
};

}  // namespace

std::unique_ptr<Transport> OpenSerialTransport(const std::filesystem::path& device) {
    const int descriptor = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return nullptr;
    }
    if (!MakeRaw(descriptor)) {
        ::close(descriptor);
        return nullptr;
    }
    return std::make_unique<SerialTransport>(descriptor);
}

}  // namespace motionlink::link
