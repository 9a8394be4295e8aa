// Zint_ReadZintFile: reads a whole job file with one read into one buffer, turns it into the opcode
// stream through the controller library's byte transform and walks it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <new>
#include <optional>
#include <vector>

#include "ByteTransform.h"
#include "JobStreamWalker.h"
#include "Jobscan.h"

namespace {

constexpr std::uint16_t kReadDone = 0;
constexpr std::uint16_t kCannotOpen = 1;

// Kept for the caller's sake only; nothing reads it.
std::atomic<std::uint16_t> storedReaderFlag{0};

class FileDescriptor {
  public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return descriptor_; }

  private:
    int descriptor_;
};

// The whole file, or nothing when it is not a readable regular file or does not fit in memory. A read
// that stops early (the file shrank meanwhile) keeps what was read. The open does not block, so that a
// named pipe without a writer is refused instead of waited on.
std::optional<std::vector<std::uint8_t>> ReadJobFile(const char* path) {
    const FileDescriptor file(::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> buffer;
    try {
        buffer.resize(static_cast<std::size_t>(status.st_size));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    std::size_t filled = 0;
    while (filled < buffer.size()) {
        const ssize_t count = ::read(file.Get(), buffer.data() + filled, buffer.size() - filled);
        if (count <= 0) {
            break;
        }
        filled += static_cast<std::size_t>(count);
    }
    buffer.resize(filled);
    return buffer;
}

}  // namespace

std::uint16_t Zint_ReadZintFile(const char* path, CDbList<JobCommand>* list, std::uint16_t flag) {
    storedReaderFlag.store(flag, std::memory_order_relaxed);
    if (path == nullptr) {
        return kCannotOpen;
    }
    std::optional<std::vector<std::uint8_t>> bytes = ReadJobFile(path);
    if (!bytes) {
        return kCannotOpen;
    }
    for (std::uint8_t& byte : *bytes) {
        Zint_UBCmd(&byte);
    }
    try {
        jobscan::WalkJobStream(*bytes, list);
    } catch (const std::bad_alloc&) {
        // Out of memory for records: the list keeps what was decoded, as for a job that ends early.
    }
    return kReadDone;
}
