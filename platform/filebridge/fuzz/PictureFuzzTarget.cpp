// Fuzz target of the picture reader: any bytes, as a picture file. Pictures are capped far below the
// import's limit so that each input decodes quickly.
#include "ImportFuzzTarget.h"
#include "PictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return filebridge::FuzzPicture(filebridge::ReadPicture, data, size);
}
