// Fuzz target of the Ai reader: any bytes, as a file of that kind.
#include "ImportFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzImport(filebridge::FileKind::kAi, data, size);
}
