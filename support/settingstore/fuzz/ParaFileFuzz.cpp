// Fuzz target for the parameter file reader: any bytes either import completely or are refused with
// the store unchanged.
#include <sys/mman.h>
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <string>

#include "Settingstore.h"

namespace {

// The input is handed to the reader as a real file, through a memory file that needs no disk.
std::string AsFile(const void* data, std::size_t size) {
    static const int fd = memfd_create("para-file-fuzz", 0);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        __builtin_trap();
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t kSentinelKey = 0xFFFFFFFF;
    CSettingstore store;
    store.SetParaData(kSentinelKey, 1, "sentinel");
    const int imported = store.ImportParaFile(AsFile(data, size));

    std::string value;
    if (store.GetParaData(kSentinelKey, 1, value) != 1 || value != "sentinel") {
        __builtin_trap();  // the entries present before the import are always kept first
    }
    if (imported == 0) {
        store.RemoveAllData();
        return 0;
    }
    double number = 0;
    store.GetFloatPara(0, 0, number);
    std::uint16_t small = 0;
    store.GetUShortPara(0, 0, small);
    return 0;
}
