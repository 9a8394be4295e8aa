// Job loading through the job reader's bulk decoder.
#include "JobLoading.h"

#include <new>

#include "JobDecoder.h"

namespace simscope {

bool LoadJobRecords(const std::string& utf8Path, std::uint16_t, std::vector<jobscan::JobRecord>& records) {
    if (utf8Path.empty()) {
        return false;
    }
    try {
        return jobscan::ReadJobRecords(utf8Path.c_str(), records) && !records.empty();
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace simscope
