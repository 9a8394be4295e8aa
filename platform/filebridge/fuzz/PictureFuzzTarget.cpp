// Fuzz target of the picture reader: any bytes, as a picture file. Pictures are capped far below the
// import's limit so that each input decodes quickly.
#include "ImportFuzzTarget.h"
#include "PictureReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::int64_t kFuzzMaxPixels = 256 * 256;
    filebridge::DrawingCollector out;
    const bool read =
        filebridge::ReadPicture(std::string_view(reinterpret_cast<const char*>(data), size), out, kFuzzMaxPixels);
    const auto records = out.TakeRecords();
    if (read != (records.size() == 1)) {
        std::abort();
    }
    if (read && !static_cast<const CFileDib&>(*records.front()).dib.View()) {
        std::abort();
    }
    return 0;
}
