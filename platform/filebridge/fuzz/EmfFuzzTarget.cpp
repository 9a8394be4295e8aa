// Fuzz target of the metafile reader: any bytes, as an enhanced metafile. Pictures are capped far below
// the import's limit so that each input draws quickly.
#include "EmfPictureReader.h"
#include "ImportFuzzTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzPicture(filebridge::ReadEmfPicture, data, size);
}
