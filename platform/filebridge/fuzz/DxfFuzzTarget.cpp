// Fuzz target of the Dxf reader: any bytes, as a file of that kind.
#include "ImportFuzzTarget.h"
#include "TestFontConfig.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::testing::UseTestFontConfig();
    return filebridge::FuzzImport(filebridge::FileKind::kDxf, data, size);
}
