// BMP files through _dib_read and _dib_write.
#include <gtest/gtest.h>

#include <algorithm>

#include "BitmapRecords.h"
#include "Rasterkit.h"
#include "RasterkitTestSupport.h"

namespace {

using namespace rasterkit_test;
using platform::DibBlock;

TEST(BmpFileTest, EveryDepthRoundTripsByteForByte) {
    for (const int bits : {1, 4, 8, 24}) {
        SCOPED_TRACE(bits);
        DibBlock dib = Painted(37, 23, bits, [](int c, int r) { return static_cast<std::uint32_t>(c * 7 + r * 131); });
        DibBlock back;
        ASSERT_EQ(ReadBmp(BmpBytes(dib), back), 0);
        EXPECT_TRUE(std::ranges::equal(back.Bytes(), dib.Bytes()));
    }
}

TEST(BmpFileTest, HeaderFieldsThatFilesLeaveEmptyAreFilledIn) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t colours;  // expected colours used
    };
    for (const Case& c : {Case{1, 2}, Case{4, 16}, Case{8, 256}, Case{24, 0}}) {
        SCOPED_TRACE(c.bits);
        HandBmp file = Bmp(5, 3, c.bits, 0);
        file.palette.assign(c.colours * 4, 0x40);
        file.pixels.assign(((5 * c.bits + 31) / 32 * 4) * 3, 0x11);
        DibBlock dib;
        ASSERT_EQ(ReadBmp(file.Bytes(), dib), 0);
        const platform::BitmapInfoHeader header = *dib.InfoHeader();
        EXPECT_EQ(header.imageSize, file.pixels.size());
        EXPECT_EQ(header.colorsUsed, c.colours);
        EXPECT_EQ(header.xPelsPerMeter, 2835);
        EXPECT_EQ(header.yPelsPerMeter, 2835);
    }
}

TEST(BmpFileTest, FilesOfOtherKindsAreRefusedAndTheHandleStays) {
    HandBmp good = Bmp(4, 2, 8, 0);
    good.palette.assign(1024, 0);
    good.pixels.assign(8, 0);
    std::vector<std::uint8_t> notBm = good.Bytes();
    notBm[0] = 'B';
    notBm[1] = 'A';
    std::vector<std::uint8_t> coreHeader = good.Bytes();
    coreHeader[14] = 12;
    std::vector<std::uint8_t> largerHeader = good.Bytes();
    largerHeader[14] = 108;
    HandBmp zeroWidth = good;
    zeroWidth.width = 0;
    HandBmp fiveBits = good;
    fiveBits.bits = 5;
    HandBmp topDownRunLength = good;
    topDownRunLength.height = -2;
    topDownRunLength.compression = 1;
    topDownRunLength.imageSize = 8;
    HandBmp lowestHeight = good;
    lowestHeight.height = INT32_MIN;
    for (const std::vector<std::uint8_t>& bytes : {notBm, coreHeader, largerHeader, zeroWidth.Bytes(), fiveBits.Bytes(),
                                                   topDownRunLength.Bytes(), lowestHeight.Bytes()}) {
        DibBlock dib = Created(1, 1, 1);
        const std::vector<std::uint8_t> before(dib.Bytes().begin(), dib.Bytes().end());
        EXPECT_EQ(ReadBmp(bytes, dib), 1);
        EXPECT_TRUE(std::ranges::equal(dib.Bytes(), before));
    }
}

TEST(BmpFileTest, AFileCutShortAnywhereIsRefused) {
    DibBlock dib = Painted(37, 23, 8, [](int c, int r) { return static_cast<std::uint32_t>(c + r); });
    const std::vector<std::uint8_t> whole = BmpBytes(dib);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        DibBlock back;
        ASSERT_EQ(ReadBmp({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, back), 1) << size;
        EXPECT_TRUE(back.IsEmpty());
    }
}

TEST(BmpFileTest, TheFileSizeFieldNeitherOverrunsTheFileNorShortensThePicture) {
    HandBmp file = Bmp(16, 16, 8, 0);
    file.palette.assign(1024, 0);
    file.pixels.assign(256, 7);
    file.fileSizeAdjust = 1'000'000'000;  // promises far more than the file holds
    DibBlock dib;
    EXPECT_EQ(ReadBmp(file.Bytes(), dib), 0);
    file.fileSizeAdjust = -1;  // one pixel byte short
    EXPECT_EQ(ReadBmp(file.Bytes(), dib), 1);
}

TEST(BmpFileTest, HeaderSizesBeyondTheFileAreRefusedWithoutAllocating) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
        std::uint16_t bits;
        std::uint32_t compression;
    };
    for (const Case& c : {Case{1'000'000'000, 1'000'000'000, 24, 0}, Case{65536, 65536, 8, 0},
                          Case{2'000'000'000, 2, 1, 0}, Case{60000, 60000, 8, 1}, Case{INT32_MAX, INT32_MAX, 4, 2}}) {
        HandBmp file = Bmp(c.width, c.height, c.bits, c.compression);
        file.palette.assign(c.bits == 24 ? 0 : (4u << c.bits), 0);
        file.pixels = {0, 1};  // end of picture
        file.imageSize = c.compression != 0 ? 2 : 0;
        DibBlock dib;
        EXPECT_EQ(ReadBmp(file.Bytes(), dib), 1) << c.width << "x" << c.height;
    }
}

TEST(BmpFileTest, TopDownFilesReadAsTheSameBottomUpPicture) {
    DibBlock bottomUp = Painted(9, 5, 24, [](int c, int r) { return static_cast<std::uint32_t>(c * 0x10203 + r * 0x300000); });
    HandBmp topDown = Bmp(9, -5, 24, 0);
    const std::size_t stride = bottomUp.Layout().stride;
    for (int r = 4; r >= 0; --r) {
        const auto row = bottomUp.Pixels().subspan(r * stride, stride);
        topDown.pixels.insert(topDown.pixels.end(), row.begin(), row.end());
    }
    DibBlock dib;
    ASSERT_EQ(ReadBmp(topDown.Bytes(), dib), 0);
    EXPECT_EQ(dib.Layout().height, 5);
    EXPECT_TRUE(std::ranges::equal(dib.Pixels(), bottomUp.Pixels()));
}

struct RunLengthCase {
    const char* name;
    std::uint16_t bits;
    std::uint32_t compression;
    std::vector<std::uint8_t> stream;
    std::vector<std::vector<std::uint8_t>> rows;  // expected pixel indexes, bottom row first
};

TEST(BmpFileTest, RunLengthRowsAreDecodedWithinThePicture) {
    const RunLengthCase cases[] = {
        {"runs and end of row", 8, 1, {3, 9, 1, 4, 0, 0, 4, 5, 0, 1}, {{9, 9, 9, 4}, {5, 5, 5, 5}, {0, 0, 0, 0}}},
        {"literal pixels, padded", 8, 1, {0, 3, 1, 2, 3, 0, 1, 7, 0, 1}, {{1, 2, 3, 7}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
        {"jump right and up", 8, 1, {0, 2, 2, 1, 1, 6, 0, 1}, {{0, 0, 0, 0}, {0, 0, 6, 0}, {0, 0, 0, 0}}},
        {"run past the right edge is cut", 8, 1, {200, 8, 0, 0, 1, 3}, {{8, 8, 8, 8}, {3, 0, 0, 0}, {0, 0, 0, 0}}},
        {"rows past the top are dropped", 8, 1, {0, 2, 0, 200, 9, 9, 0, 0}, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
        {"stream ends in a literal", 8, 1, {2, 5, 0, 9, 1}, {{5, 5, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}}},
        {"4-bit runs alternate nibbles", 4, 2, {3, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 1},
         {{1, 2, 1, 0}, {3, 4, 5, 6}, {0, 0, 0, 0}}},
    };
    for (const RunLengthCase& c : cases) {
        SCOPED_TRACE(c.name);
        HandBmp file = Bmp(4, 3, c.bits, c.compression);
        file.palette.assign(c.bits == 8 ? 1024 : 64, 0);
        file.pixels = c.stream;
        file.imageSize = static_cast<std::uint32_t>(c.stream.size());
        DibBlock dib;
        ASSERT_EQ(ReadBmp(file.Bytes(), dib), 0);
        EXPECT_EQ(dib.Layout().compression, 0u);
        for (int r = 0; r < 3; ++r) {
            for (int col = 0; col < 4; ++col) {
                const std::uint8_t* row = dib.Pixels().data() + r * dib.Layout().stride;
                const int value = c.bits == 8 ? row[col] : (col % 2 != 0 ? row[col / 2] & 0xF : row[col / 2] >> 4);
                EXPECT_EQ(value, c.rows[r][col]) << "row " << r << " column " << col;
            }
        }
    }
}

TEST(BmpFileTest, WritingRecomputesTheImageSizeOfPlainBitmapsAndKeepsThatOfRunLengthOnes) {
    DibBlock plain = Created(5, 3, 8);
    platform::BitmapInfoHeader header = *plain.InfoHeader();
    header.imageSize = 1;
    ASSERT_TRUE(plain.ReplaceInfoHeader(header));
    const std::vector<std::uint8_t> bytes = BmpBytes(plain);
    EXPECT_EQ(plain.InfoHeader()->imageSize, 24u);
    EXPECT_EQ(bytes.size(), 14u + 40 + 1024 + 24);

    HandBmp encoded = Bmp(4, 3, 8, 1);
    encoded.imageSize = 6;
    encoded.palette.assign(1024, 0);
    encoded.pixels = {4, 1, 0, 0, 0, 1};
    const std::vector<std::uint8_t> file = encoded.Bytes();
    std::optional<DibBlock> packed = DibBlock::FromPackedBytes(std::span(file).subspan(14));
    ASSERT_TRUE(packed);
    EXPECT_EQ(BmpBytes(*packed), file);
}

TEST(BmpFileTest, LoadReadsAFileAndFailsForAMissingOne) {
    DibBlock dib = Painted(3, 3, 24, [](int c, int r) { return static_cast<std::uint32_t>(c * 40 + r); });
    const std::vector<std::uint8_t> bytes = BmpBytes(dib);
    platform::Archive file = platform::Archive::ForStoring();
    file.WriteBytes(bytes);
    const std::string path = (std::filesystem::path(std::getenv("CUTRIX_HOME")) / "picture.bmp").string();
    ASSERT_TRUE(file.SaveToFile(path));
    DibBlock loaded;
    EXPECT_EQ(_dib_load(path.c_str(), &loaded), 0);
    EXPECT_TRUE(std::ranges::equal(loaded.Bytes(), dib.Bytes()));
    EXPECT_EQ(_dib_load((path + ".missing").c_str(), &loaded), 1);
}

}  // namespace

namespace {

TEST(BmpFileTest, EverySeedOfTheReaderFuzzCorpusIsAcceptedAsAFile) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(RASTERKIT_FUZZ_CORPUS)) {
        platform::DibBlock dib;
        EXPECT_EQ(_dib_load(entry.path().string().c_str(), &dib), 0) << entry.path();
        EXPECT_EQ(dib.Layout().compression, 0u);
        ++seeds;
    }
    EXPECT_GT(seeds, 0);
}

}  // namespace
