#include "DibBlock.h"

#include "DibTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

using namespace platform;
using platform::testing::Bytes;
using platform::testing::MakeInfoHeader;
using platform::testing::PackDib;

namespace {

TEST(DibBlock, BlankBitmapsHaveTheHeaderOfEachDepth) {
    struct Case {
        std::int32_t width;
        std::int32_t height;
        std::uint16_t bitCount;
        std::uint32_t colours;
        std::uint32_t stride;
    };
    const Case cases[] = {{9, 3, 1, 2, 4}, {9, 3, 4, 16, 8}, {9, 3, 8, 256, 12}, {9, 3, 24, 0, 28}};
    for (const Case& c : cases) {
        std::optional<DibBlock> block = DibBlock::CreateBlank(c.width, c.height, c.bitCount);
        ASSERT_TRUE(block) << c.bitCount;
        const BitmapInfoHeader header = block->InfoHeader().value();
        EXPECT_EQ(header.headerSize, 40u);
        EXPECT_EQ(header.width, c.width);
        EXPECT_EQ(header.height, c.height);
        EXPECT_EQ(header.planes, 1);
        EXPECT_EQ(header.bitCount, c.bitCount);
        EXPECT_EQ(header.compression, 0u);
        EXPECT_EQ(header.imageSize, c.stride * c.height);
        EXPECT_EQ(header.xPelsPerMeter, 2835);
        EXPECT_EQ(header.yPelsPerMeter, 2835);
        EXPECT_EQ(header.colorsUsed, c.colours);
        EXPECT_EQ(header.colorsImportant, c.colours);
        EXPECT_EQ(block->Bytes().size(), 40u + 4u * c.colours + c.stride * c.height);
        EXPECT_EQ(block->MutablePalette().size(), 4u * c.colours);
        for (const std::uint8_t byte : block->Pixels()) {
            ASSERT_EQ(byte, 0);
        }
    }
}

TEST(DibBlock, BlankBitmapRefusesOtherDepthsEmptySizesAndOversizedBlocks) {
    EXPECT_FALSE(DibBlock::CreateBlank(4, 4, 16));
    EXPECT_FALSE(DibBlock::CreateBlank(4, 4, 32));
    EXPECT_FALSE(DibBlock::CreateBlank(0, 4, 24));
    EXPECT_FALSE(DibBlock::CreateBlank(4, -1, 24));
    EXPECT_FALSE(DibBlock::CreateBlank(40000, 40000, 24));  // 4.8 GB
}

TEST(DibBlock, MovingHandsTheBitmapOverAndLeavesTheNullBlock) {
    DibBlock first = DibBlock::CreateBlank(4, 4, 8).value();
    const std::uint8_t* bytes = first.Bytes().data();
    DibBlock second = std::move(first);
    EXPECT_TRUE(first.IsEmpty());
    EXPECT_TRUE(first.Bytes().empty());
    EXPECT_TRUE(first.MutablePixels().empty());
    EXPECT_FALSE(first.View());
    EXPECT_FALSE(first.InfoHeader());
    EXPECT_EQ(second.Bytes().data(), bytes);

    DibBlock third;
    third = std::move(second);
    EXPECT_TRUE(second.IsEmpty());
    EXPECT_EQ(third.Bytes().data(), bytes);
    EXPECT_EQ(third.Layout().width, 4);
}

TEST(DibBlock, CloneIsASeparateCopy) {
    DibBlock original = DibBlock::CreateBlank(2, 2, 24).value();
    DibBlock copy = original.Clone();
    copy.MutablePixels()[0] = 9;
    EXPECT_EQ(original.Pixels()[0], 0);
    EXPECT_EQ(copy.Bytes().size(), original.Bytes().size());
    EXPECT_TRUE(DibBlock().Clone().IsEmpty());
}

TEST(DibBlock, TakesOnlyTheBitmapFromUntrustedBytes) {
    Bytes bytes = PackDib(MakeInfoHeader(2, 2, 24), {}, Bytes(16, 3));
    const std::size_t bitmapSize = bytes.size();
    bytes.insert(bytes.end(), 10, 0xEE);
    const std::optional<DibBlock> block = DibBlock::FromPackedBytes(bytes);
    ASSERT_TRUE(block);
    EXPECT_EQ(block->Bytes().size(), bitmapSize);
    EXPECT_EQ(block->Pixels().size(), 16u);

    bytes.resize(bitmapSize - 1);
    EXPECT_FALSE(DibBlock::FromPackedBytes(bytes));
}

TEST(DibBlock, ReplacingTheHeaderKeepsTheLayoutSound) {
    DibBlock block = DibBlock::CreateBlank(8, 4, 8).value();
    BitmapInfoHeader header = block.InfoHeader().value();

    BitmapInfoHeader resolution = header;
    resolution.xPelsPerMeter = 11811;
    EXPECT_TRUE(block.ReplaceInfoHeader(resolution));
    EXPECT_EQ(block.InfoHeader()->xPelsPerMeter, 11811);

    BitmapInfoHeader fewerRows = header;
    fewerRows.height = 2;
    EXPECT_TRUE(block.ReplaceInfoHeader(fewerRows));
    EXPECT_EQ(block.Pixels().size(), 16u);

    struct Refused {
        const char* name;
        void (*change)(BitmapInfoHeader&);
    };
    const Refused refused[] = {
        {"more rows than the block holds", [](BitmapInfoHeader& h) { h.height = 5; }},
        {"a smaller colour table", [](BitmapInfoHeader& h) { h.colorsUsed = 2; }},
        {"another depth", [](BitmapInfoHeader& h) { h.bitCount = 24; }},
        {"an unsound header", [](BitmapInfoHeader& h) { h.width = -8; }},
    };
    for (const Refused& r : refused) {
        BitmapInfoHeader changed = header;
        r.change(changed);
        EXPECT_FALSE(block.ReplaceInfoHeader(changed)) << r.name;
        EXPECT_EQ(block.InfoHeader()->height, 2) << r.name;
    }
    DibBlock empty;
    EXPECT_FALSE(empty.ReplaceInfoHeader(header));
}

}  // namespace
