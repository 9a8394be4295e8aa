// Zint_ReadZintFile: reads a whole job file into one buffer, turns it into the opcode
// stream through the controller library's byte transform and walks it.
#include <atomic>
#include <cstddef>
#include <new>
#include <optional>
#include <vector>

#include "AtomicFile.h"
#include "ByteTransform.h"
#include "JobStreamWalker.h"
#include "Jobscan.h"

namespace {

constexpr std::uint16_t kReadDone = 0;
constexpr std::uint16_t kCannotOpen = 1;

// Kept for the caller's sake only; nothing reads it.
std::atomic<std::uint16_t> storedReaderFlag{0};

}  // namespace

std::uint16_t Zint_ReadZintFile(const char* path, CDbList<JobCommand>* list, std::uint16_t flag) {
    storedReaderFlag.store(flag, std::memory_order_relaxed);
    if (path == nullptr) {
        return kCannotOpen;
    }
    std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(path);
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
