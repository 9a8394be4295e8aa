// Fuzz target for the packed bitmap check: any bytes, taken as a packed bitmap from outside. Besides not
// crashing or reading out of bounds, an accepted bitmap must lie within the bytes, must copy into a
// block of exactly its size, and every one of its pixels must be readable.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "DibBlock.h"
#include "DibLayout.h"
#include "DibView.h"

namespace {

void ReadEveryPixel(const platform::DibView& view) {
    for (std::int32_t row = 0; row < view.Height(); ++row) {
        for (std::int32_t column = 0; column < view.Width(); ++column) {
            if (view.PixelRgb(column, row) > 0xFFFFFFu) {
                std::abort();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<platform::DibLayout> layout = platform::ValidatePackedDib(bytes);
    if (!layout) {
        return 0;
    }
    if (layout->totalBytes > size || layout->pixelOffset + layout->pixelBytes != layout->totalBytes) {
        std::abort();
    }
    const std::optional<platform::DibBlock> block = platform::DibBlock::FromPackedBytes(bytes);
    if (!block || block->Bytes().size() != layout->totalBytes) {
        std::abort();
    }
    if (layout->IsUncompressed()) {
        ReadEveryPixel(block->View().value());
    }
    return 0;
}
