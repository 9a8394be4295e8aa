// Fuzz target of the Dst reader: any bytes, as a file of that kind.
#include "ImportFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzImport(filebridge::FileKind::kDst, data, size);
}
