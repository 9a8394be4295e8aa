#include "RunningPrograms.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "AsciiText.h"
#include "PathExports.h"

namespace folderkit {
namespace {

std::vector<long> ProcessNumbers(const std::filesystem::path& processTable) {
    std::vector<long> numbers;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(processTable, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        long number = 0;
        const auto [last, status] = std::from_chars(name.data(), name.data() + name.size(), number);
        if (status == std::errc() && last == name.data() + name.size()) {
            numbers.push_back(number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

}  // namespace

bool IsModuleRunning(const std::filesystem::path& processTable, std::string_view modulePath) {
    for (long number : ProcessNumbers(processTable)) {
        std::error_code error;
        const std::filesystem::path executable =
            std::filesystem::read_symlink(processTable / std::to_string(number) / "exe", error);
        if (!error && platform::EqualIgnoringCase(executable.string(), modulePath)) {
            return true;
        }
    }
    return false;
}

}  // namespace folderkit

std::uint16_t _path_IsAppRun(const std::string& modulePath) {
    return !modulePath.empty() && folderkit::IsModuleRunning("/proc", modulePath) ? 0 : 1;
}
