// Job loading through the job reader's bulk decoder.
#include "JobLoading.h"

#include <exception>
#include <filesystem>
#include <new>
#include <system_error>

#include "JobDecoder.h"

namespace simscope {
namespace {

// The commands that make records take three bytes or more of the file. Reserving for that many records
// up front spares a large job the copies of a growing array; the pages beyond the records actually read
// are never touched, so only address space is spent. Should a job hold more, the array grows as usual.
constexpr std::uintmax_t kFewestBytesPerRecord = 3;

void ReserveForFile(const std::string& utf8Path, std::vector<jobscan::JobRecord>& records) {
    std::error_code error;
    const std::uintmax_t bytes =
        std::filesystem::file_size(std::filesystem::path(std::u8string(utf8Path.begin(), utf8Path.end())), error);
    if (error) {
        return;
    }
    try {
        records.reserve(static_cast<std::size_t>(bytes / kFewestBytesPerRecord));
    } catch (const std::exception&) {
        // Too large to reserve at once: the array grows as the records come instead.
    }
}

}  // namespace

bool LoadJobRecords(const std::string& utf8Path, std::uint16_t, std::vector<jobscan::JobRecord>& records) {
    if (utf8Path.empty()) {
        return false;
    }
    try {
        ReserveForFile(utf8Path, records);
        return jobscan::ReadJobRecords(utf8Path.c_str(), records) && !records.empty();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace simscope
