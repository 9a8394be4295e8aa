// Fuzz target for the BMP reader: any bytes, read as a BMP file. Besides not crashing, hanging or reading
// out of bounds, an accepted file must give a plain bottom-up bitmap whose every pixel can be queried and
// which writes and reads back byte for byte.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "BitmapRecords.h"
#include "Rasterkit.h"

namespace {

// Run-length files may legitimately describe pictures far larger than themselves; the reader allows up to
// 2 GiB. Such inputs are left out here so that each run stays small and quick.
constexpr std::int64_t kMaxFuzzedPixels = 1 << 22;

bool DeclaresHugePicture(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    if (size < 14) {
        return false;
    }
    const std::optional<platform::BitmapInfoHeader> header =
        platform::DecodeBitmapInfoHeader(std::span(bytes).subspan(14));
    return header && std::int64_t{header->width} * std::abs(std::int64_t{header->height}) > kMaxFuzzedPixels;
}

// Querying every pixel of a large picture costs far more than reading it did: about 64 positions
// along each side, the last one included, stand for the rest.
std::vector<int> SampledPositions(int count) {
    std::vector<int> positions;
    const int step = std::max(1, count / 64);
    for (int at = 0; at < count; at += step) {
        positions.push_back(at);
    }
    if (count > 0 && positions.back() != count - 1) {
        positions.push_back(count - 1);
    }
    return positions;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (DeclaresHugePicture(data, size)) {
        return 0;
    }
    platform::Archive file = platform::Archive::ForLoading(std::vector<std::uint8_t>(data, data + size));
    platform::DibBlock dib;
    if (_dib_read(&file, &dib) != 0) {
        if (!dib.IsEmpty()) {
            std::abort();
        }
        return 0;
    }
    const platform::DibLayout& layout = dib.Layout();
    if (!layout.IsUncompressed() || layout.height <= 0 || layout.headerSize != 40) {
        std::abort();
    }
    int colour = 0;
    for (int y : SampledPositions(layout.height)) {
        for (int x : SampledPositions(layout.width)) {
            const int status = _dib_getpixel(&dib, x, y, &colour);
            if ((status != 0 && (layout.bitCount == 1 || layout.bitCount == 4 || layout.bitCount == 8 ||
                                 layout.bitCount == 24)) ||
                colour > 0xFFFFFF || colour < 0) {
                std::abort();
            }
        }
    }
    platform::Archive written = platform::Archive::ForStoring();
    if (_dib_write(&written, &dib) != 0) {
        std::abort();
    }
    platform::Archive again = platform::Archive::ForLoading(written.Bytes());
    platform::DibBlock back;
    if (_dib_read(&again, &back) != 0 || !std::ranges::equal(back.Bytes(), dib.Bytes())) {
        std::abort();
    }
    return 0;
}
