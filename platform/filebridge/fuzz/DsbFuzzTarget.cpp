// Fuzz target of the Dsb reader: any bytes, as a file of that kind.
#include "ImportFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzImport(filebridge::FileKind::kDsb, data, size);
}
