// Job loading through the job reader's list, handed on as a vector for fast walking.
#include "JobLoading.h"

#include "DbList.h"
#include "Jobscan.h"

namespace simscope {

std::optional<std::vector<JobCommand>> LoadJobCommands(const std::string& utf8Path, std::uint16_t readerFlag) {
    if (utf8Path.empty()) {
        return std::nullopt;
    }
    CDbList<JobCommand> list;
    if (Zint_ReadZintFile(utf8Path.c_str(), &list, readerFlag) != 0 || list.IsEmpty()) {
        return std::nullopt;
    }
    std::vector<JobCommand> commands;
    commands.reserve(static_cast<std::size_t>(list.count > 0 ? list.count : 0));
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        commands.push_back(node->value);
    }
    return commands;
}

}  // namespace simscope
