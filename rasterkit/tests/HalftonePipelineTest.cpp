// A colour picture taken through grey, brightness and diffusion and saved as BMP reads back, through our
// reader and through Qt's, as a black and white picture whose darkness follows the grey.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <algorithm>

#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

constexpr int kWidth = 256;
constexpr int kHeight = 160;
constexpr int kBand = 16;
constexpr int kBrightness = 40;

// Share of black expected in a band of columns: grey g (the column) brightened by 40, then 1 - grey / 255.
double ExpectedBlackShare(int firstColumn) {
    double share = 0.0;
    for (int c = firstColumn; c < firstColumn + kBand; ++c) {
        share += 1.0 - std::min(255, c + kBrightness) / 255.0;
    }
    return share / kBand;
}

TEST(HalftonePipelineTest, AGreyRampBecomesBlackAndWhiteInProportionAndReadsBackEverywhere) {
    DibBlock dib = Painted(kWidth, kHeight, 24, [](int c, int) { return 0x010101u * static_cast<std::uint32_t>(c); });
    ASSERT_EQ(_dib_format(&dib, 8), 0);
    ASSERT_EQ(_dib_bandc(&dib, 0, kBrightness, 0), 0);
    ASSERT_EQ(_dib_dot(&dib), 0);
    const std::vector<std::uint8_t> file = BmpBytes(dib);

    DibBlock ours;
    ASSERT_EQ(ReadBmp(file, ours), 0);
    ASSERT_EQ(ours.Layout().bitCount, 1);
    const std::span<const std::uint8_t> table = ours.Bytes().subspan(40, 8);
    EXPECT_TRUE(std::ranges::equal(table, std::vector<std::uint8_t>{0, 0, 0, 0, 255, 255, 255, 0}));

    QImage image = QImage::fromData(QByteArray(reinterpret_cast<const char*>(file.data()), static_cast<int>(file.size())), "BMP");
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);
    for (int band = 0; band < kWidth; band += kBand) {
        int black = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = band; x < band + kBand; ++x) {
                const QRgb pixel = image.pixel(x, y);
                ASSERT_TRUE(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255)) << x << "," << y;
                const int bit = static_cast<int>(StoredValue(ours, x, kHeight - 1 - y));
                ASSERT_EQ(bit == 0, pixel == qRgb(0, 0, 0));
                black += bit == 0 ? 1 : 0;
            }
        }
        EXPECT_NEAR(black / double(kBand * kHeight), ExpectedBlackShare(band), 0.03) << "columns from " << band;
    }
}

}  // namespace
