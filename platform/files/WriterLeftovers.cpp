#include "WriterLeftovers.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>

namespace platform {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kRandomLength = 6;

// Seconds since the epoch when the machine booted ("btime" of /proc/stat); 0 when unknown.
long long BootTimeSeconds() {
    std::ifstream stat("/proc/stat");
    std::string key;
    long long value = 0;
    while (stat >> key) {
        if (key == "btime" && stat >> value) {
            return value;
        }
        stat.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return 0;
}

// Clock ticks after boot when this process started: field 22 of /proc/self/stat, counted after the
// command name, which may itself hold spaces and ends at the last ')'.
long long StartTicksAfterBoot() {
    std::ifstream file("/proc/self/stat");
    const std::string line((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const std::size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return -1;
    }
    std::istringstream fields(line.substr(nameEnd + 1));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
        if (index == 22) {
            return std::stoll(field);
        }
    }
    return -1;
}

}  // namespace

bool IsWriterLeftoverName(std::string_view name) {
    if (name.size() < 1 + 1 + kTemporaryMark.size() + kRandomLength || name.front() != '.') {
        return false;
    }
    const std::string_view random = name.substr(name.size() - kRandomLength);
    const std::string_view mark = name.substr(name.size() - kRandomLength - kTemporaryMark.size(), kTemporaryMark.size());
    return mark == kTemporaryMark &&
           std::all_of(random.begin(), random.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

std::size_t RemoveWriterLeftovers(const std::filesystem::path& folder, std::filesystem::file_time_type writtenBefore) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    std::size_t removed = 0;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::filesystem::directory_entry& entry = *entries;
        std::error_code entryError;
        if (!IsWriterLeftoverName(entry.path().filename().string()) || !entry.is_regular_file(entryError) ||
            entry.last_write_time(entryError) >= writtenBefore || entryError) {
            continue;
        }
        removed += std::filesystem::remove(entry.path(), entryError) ? 1 : 0;
    }
    return removed;
}

std::filesystem::file_time_type ProcessStartTime() {
    const long long boot = BootTimeSeconds();
    const long long ticks = StartTicksAfterBoot();
    const long long ticksPerSecond = ::sysconf(_SC_CLK_TCK);
    if (boot <= 0 || ticks < 0 || ticksPerSecond <= 0) {
        return std::filesystem::file_time_type::min();  // unknown: nothing counts as older
    }
    const auto started = std::chrono::system_clock::time_point(std::chrono::seconds(boot)) +
                         std::chrono::milliseconds(ticks * 1000 / ticksPerSecond);
    return std::chrono::file_clock::from_sys(started);
}

}  // namespace platform
