// Fuzz target of the camera raw reader: any bytes, as a raw file. Pictures are capped far below the
// import's limit so that each input develops quickly.
#include "ImportFuzzTarget.h"
#include "RawPictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzPicture(filebridge::ReadRawPicture, data, size);
}
