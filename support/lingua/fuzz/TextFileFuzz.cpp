// Fuzz target for the text file reader: any bytes must load, format and load again without a fault.
#include <sys/mman.h>
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TextStore.h"

namespace {

// The input is handed to the reader as a real file, through a memory file that needs no disk.
std::string AsFile(const void* data, std::size_t size) {
    static const int fd = memfd_create("text-file-fuzz", 0);
    if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
        __builtin_trap();
    }
    return "/proc/self/fd/" + std::to_string(fd);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CTextStore store;
    if (store.LoadIni(AsFile(data, size)) != 0) {
        __builtin_trap();
    }
    const std::string text = store.FormatText();
    CTextStore reread;
    if (reread.LoadIni(AsFile(text.data(), text.size())) != 0) {
        __builtin_trap();
    }
    std::vector<std::string> names;
    reread.GetSectionList(&names);
    for (const std::string& name : names) {
        reread.FindSection(name);
        reread.GetDouble(name, name);
        reread.GetInt(name, name);
    }
    return 0;
}
