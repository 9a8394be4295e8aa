// Zint_ReadZintFile and the bulk form's file reader: the job file's bytes, read into the thread's kept
// buffer, decoded straight from their stored form.
#include <atomic>
#include <new>

#include "JobDecoder.h"
#include "JobFileBuffer.h"
#include "Jobscan.h"

namespace {

constexpr std::uint16_t kReadDone = 0;
constexpr std::uint16_t kCannotOpen = 1;

// Kept for the caller's sake only; nothing reads it.
std::atomic<std::uint16_t> storedReaderFlag{0};

thread_local jobscan::JobFileBuffer fileBuffer;

}  // namespace

bool jobscan::ReadJobRecords(const char* path, std::vector<JobRecord>& records) {
    const std::optional<std::span<const std::uint8_t>> bytes =
        path == nullptr ? std::nullopt : fileBuffer.Read(path);
    if (!bytes) {
        return false;
    }
    DecodeJob(*bytes, JobBytes::kStored, records);
    return true;
}

std::uint16_t Zint_ReadZintFile(const char* path, CDbList<JobCommand>* list, std::uint16_t flag) {
    storedReaderFlag.store(flag, std::memory_order_relaxed);
    if (path == nullptr) {
        return kCannotOpen;
    }
    const std::optional<std::span<const std::uint8_t>> bytes = fileBuffer.Read(path);
    if (!bytes) {
        return kCannotOpen;
    }
    try {
        jobscan::DecodeJob(*bytes, jobscan::JobBytes::kStored, list);
    } catch (const std::bad_alloc&) {
        // Out of memory for records: the list keeps what was decoded, as for a job that ends early.
    }
    return kReadDone;
}
