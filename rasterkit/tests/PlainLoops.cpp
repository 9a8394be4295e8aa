#include "PlainLoops.h"

#include <algorithm>

#include "Raster.h"
#include "Rasterkit.h"

namespace rasterkit_test {
namespace {

platform::DibBlock Blank(int width, int height, int bits) {
    platform::DibBlock dib;
    _dib_create(width, height, bits, 0, 0, &dib);
    return dib;
}

}  // namespace

std::vector<int> PlainDiffusion(const platform::DibBlock& grey) {
    const int width = grey.Layout().width, height = grey.Layout().height;
    const std::size_t stride = grey.Layout().stride;
    std::vector<int> v(static_cast<std::size_t>(width) * height);
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            v[static_cast<std::size_t>(r) * width + c] = grey.Pixels()[r * stride + c];
        }
    }
    struct Weight {
        int dr, dc, w;
    };
    static constexpr Weight kWeights[] = {{0, 1, 8},  {0, 2, 4},  {1, -2, 2}, {1, -1, 4}, {1, 0, 8}, {1, 1, 4},
                                          {1, 2, 2},  {2, -2, 1}, {2, -1, 2}, {2, 0, 4},  {2, 1, 2}, {2, 2, 1}};
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            int& value = v[static_cast<std::size_t>(r) * width + c];
            const int error = value > 128 ? value - 255 : value;
            value = value > 128 ? 255 : 0;
            for (const Weight& w : kWeights) {
                const int nr = r + w.dr, nc = c + w.dc;
                if (nr < height && nc >= 0 && nc < width) {
                    int& n = v[static_cast<std::size_t>(nr) * width + nc];
                    n = std::clamp(n + error * w.w / 42, 0, 255);
                }
            }
        }
    }
    return v;
}

platform::DibBlock PlainResample(const platform::DibBlock& from, int width, int height) {
    const std::uint16_t bits = from.Layout().bitCount;
    platform::DibBlock to = Blank(width, height, bits);
    const int srcW = from.Layout().width, srcH = from.Layout().height;
    for (int i = 0; i < height; ++i) {
        for (int j = 0; j < width; ++j) {
            const int c = std::min(static_cast<int>(static_cast<double>(srcW) / width * j + 0.5), srcW - 1);
            const int r = std::min(static_cast<int>(static_cast<double>(srcH) / height * i + 0.5), srcH - 1);
            rasterkit::MovePixel(from.Pixels().data() + r * from.Layout().stride, c,
                                 to.MutablePixels().data() + i * to.Layout().stride, j, bits);
        }
    }
    return to;
}

platform::DibBlock PlainQuarterTurn(const platform::DibBlock& from) {
    const std::uint16_t bits = from.Layout().bitCount;
    const int width = from.Layout().width, height = from.Layout().height;
    platform::DibBlock to = Blank(height, width, bits);
    // Picture (x, y) goes to (y, W-1-x): source stored row r = H-1-y lands in stored row x, column H-1-r.
    for (int r = 0; r < height; ++r) {
        for (int x = 0; x < width; ++x) {
            rasterkit::MovePixel(from.Pixels().data() + r * from.Layout().stride, x,
                                 to.MutablePixels().data() + x * to.Layout().stride, height - 1 - r, bits);
        }
    }
    return to;
}

}  // namespace rasterkit_test
