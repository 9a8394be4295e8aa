// Reading a job file into the kept buffer.
#include "JobFileBuffer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace jobscan {
namespace {

class OpenFile {
  public:
    explicit OpenFile(const char* path) : fd_(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int Descriptor() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

bool JobFileBuffer::Reserve(std::size_t bytes) {
    if (bytes <= capacity_) {
        return true;
    }
    bytes_.reset();
    capacity_ = 0;
    // Not zero-filled: the read overwrites what is used.
    bytes_.reset(new (std::nothrow) std::uint8_t[bytes]);
    if (bytes_ == nullptr) {
        return false;
    }
    capacity_ = bytes;
    return true;
}

std::optional<std::span<const std::uint8_t>> JobFileBuffer::Read(const char* path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer forever.
    const OpenFile file(path);
    struct stat info {};
    if (file.Descriptor() < 0 || ::fstat(file.Descriptor(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    // The size is a first guess: the file may grow while it is read. One byte more shows the end.
    std::size_t filled = 0;
    if (!Reserve(static_cast<std::size_t>(info.st_size) + 1)) {
        return std::nullopt;
    }
    for (;;) {
        if (filled == capacity_) {
            std::unique_ptr<std::uint8_t[]> kept = std::move(bytes_);
            const std::size_t keptBytes = capacity_;
            capacity_ = 0;
            if (!Reserve(keptBytes * 2)) {
                return std::nullopt;
            }
            std::copy(kept.get(), kept.get() + keptBytes, bytes_.get());
        }
        const ssize_t got = ::read(file.Descriptor(), bytes_.get() + filled, capacity_ - filled);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return std::nullopt;
        }
        if (got == 0) {
            return std::span<const std::uint8_t>(bytes_.get(), filled);
        }
        filled += static_cast<std::size_t>(got);
    }
}

}  // namespace jobscan
