// Job loading through the job reader.
#include "JobLoading.h"

#include "Jobscan.h"

namespace simscope {

std::optional<CDbList<JobCommand>> LoadJobCommands(const std::string& utf8Path, std::uint16_t readerFlag) {
    if (utf8Path.empty()) {
        return std::nullopt;
    }
    CDbList<JobCommand> list;
    if (Zint_ReadZintFile(utf8Path.c_str(), &list, readerFlag) != 0 || list.IsEmpty()) {
        return std::nullopt;
    }
    return list;
}

}  // namespace simscope
