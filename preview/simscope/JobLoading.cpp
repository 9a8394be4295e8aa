// Job loading through the job reader's bulk decoder.
#include "JobLoading.h"

#include <new>

#include "JobDecoder.h"

namespace simscope {

std::optional<std::vector<jobscan::JobRecord>> LoadJobRecords(const std::string& utf8Path, std::uint16_t) {
    if (utf8Path.empty()) {
        return std::nullopt;
    }
    std::vector<jobscan::JobRecord> records;
    try {
        if (!jobscan::ReadJobRecords(utf8Path.c_str(), records) || records.empty()) {
            return std::nullopt;
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return records;
}

}  // namespace simscope
