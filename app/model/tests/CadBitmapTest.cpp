// CCadBitmap at its least: the rectangle from the image, the move, the copy and the record with its BMP
// image part, including the refusal of damaged image parts.
#include "CadBitmap.h"

#include <gtest/gtest.h>

#include "DibLayout.h"
#include "ElementBuilders.h"
#include "RecordBytes.h"

namespace {

std::size_t BaseRecordBytes(const CCadElement& element) {
    return 2 + 1 + element.name.size() + 4 + 4 + 4 * 8;
}

TEST(CadBitmap, RectangleIsTheImageSizeAtItsResolutionAroundTheCentre) {
    auto bitmap = std::make_unique<CCadBitmap>();
    bitmap->dib = *platform::DibBlock::CreateBlank(100, 50, 24);
    bitmap->centre = {10, 10};
    bitmap->CalRect();
    EXPECT_NEAR(bitmap->rect.x1, -7.6366843, 1e-7);
    EXPECT_NEAR(bitmap->rect.y1, 1.1816578, 1e-7);
    EXPECT_NEAR(bitmap->rect.x2, 27.6366843, 1e-7);
    EXPECT_NEAR(bitmap->rect.y2, 18.8183422, 1e-7);

    CCadBitmap empty;
    empty.centre = {3, 4};
    empty.CalRect();
    EXPECT_DOUBLE_EQ(empty.rect.x1, 3);
    EXPECT_DOUBLE_EQ(empty.rect.y2, 4);
}

TEST(CadBitmap, MoveShiftsCentreAndRectangle) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeBitmap(8, 2, {1, 1});
    const CCadRect before = bitmap->rect;
    bitmap->TransMove(2, -3);
    EXPECT_DOUBLE_EQ(bitmap->centre.x, 3);
    EXPECT_DOUBLE_EQ(bitmap->rect.y1, before.y1 - 3);
}

TEST(CadBitmap, CopyDuplicatesTheImageAndRefusesSourcesWithoutOne) {
    const std::unique_ptr<CCadBitmap> source = MakeBitmap(8, 2, {1, 1});
    source->color = 0x42;
    CCadBitmap copy;
    CCadBitmap imageless;
    const std::unique_ptr<CCadPoint> point = MakePoint(0, 0);
    EXPECT_EQ(copy.CopyFrom(&imageless, 0, 0), 0);
    EXPECT_EQ(copy.CopyFrom(point.get(), 0, 0), 0);
    ASSERT_EQ(copy.CopyFrom(source.get(), 5, 0), 1);
    EXPECT_NE(copy.dib.Bytes().data(), source->dib.Bytes().data());
    EXPECT_TRUE(std::ranges::equal(copy.dib.Bytes(), source->dib.Bytes()));
    EXPECT_EQ(copy.color, 0x42u);
    EXPECT_EQ(copy.reserved, 77u);
    EXPECT_DOUBLE_EQ(copy.centre.x, 6);
    EXPECT_DOUBLE_EQ(copy.rect.x1, source->rect.x1 + 5);
}

TEST(CadBitmapRecord, OneBitEightByTwoImageHasASeventyByteImagePart) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeBitmap(8, 2, {12.5, -3});
    const std::vector<std::uint8_t> stored = StoredBytes(*bitmap);
    const std::size_t base = BaseRecordBytes(*bitmap);
    ASSERT_EQ(stored.size(), base + 70 + 8 + 8 + 4);
    RecordBytes fileHeader;
    fileHeader.U16(0x4D42).U32(70).U16(0).U16(0).U32(62);
    EXPECT_TRUE(std::equal(fileHeader.Bytes().begin(), fileHeader.Bytes().end(), stored.begin() + base));
    RecordBytes tail;
    tail.F64(12.5).F64(-3).U32(77);
    EXPECT_TRUE(std::equal(tail.Bytes().begin(), tail.Bytes().end(), stored.end() - 20));

    CCadBitmap loaded;
    platform::Archive archive = platform::Archive::ForLoading(stored);
    loaded.Serialize(archive);
    EXPECT_EQ(archive.Remaining(), 0u);
    EXPECT_EQ(StoredBytes(loaded), stored);
    EXPECT_TRUE(std::ranges::equal(loaded.dib.Pixels(), bitmap->dib.Pixels()));
    EXPECT_DOUBLE_EQ(loaded.rect.x1, bitmap->rect.x1);
}

// Without an image the record would have no image part and could not be read back in step.
TEST(CadBitmapRecord, StoringABitmapWithoutAnImageFails) {
    CCadBitmap bitmap;
    platform::Archive archive = platform::Archive::ForStoring();
    EXPECT_THROW(bitmap.Serialize(archive), platform::ArchiveError);
}

TEST(CadBitmapRecord, DamagedImagePartsAreRefusedAndTheElementKept) {
    const std::vector<std::uint8_t> good = StoredBytes(*MakeBitmap(8, 2, {0, 0}));
    const std::size_t image = BaseRecordBytes(CCadBitmap{});
    const auto patchedU32 = [&](std::size_t offset, std::uint32_t value) {
        std::vector<std::uint8_t> bytes = good;
        for (int index = 0; index < 4; ++index) {
            bytes[offset + index] = static_cast<std::uint8_t>(value >> (8 * index));
        }
        return bytes;
    };
    std::vector<std::uint8_t> notBm = good;
    notBm[image] = 'X';
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {"not BM", notBm},
        {"size below the headers", patchedU32(image + 2, 53)},
        {"size beyond the record", patchedU32(image + 2, 1000)},
        {"core header size", patchedU32(image + 14, 12)},
        {"header of 56 bytes", patchedU32(image + 14, 56)},
        {"pixel offset elsewhere", patchedU32(image + 10, 54)},
        {"cut in the pixels", {good.begin(), good.begin() + static_cast<std::ptrdiff_t>(image + 66)}},
        {"cut before the reserved word", {good.begin(), good.end() - 2}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadBitmap> target = MakeBitmap(16, 4, {9, 9});
        const std::vector<std::uint8_t> before = StoredBytes(*target);
        platform::Archive archive = platform::Archive::ForLoading(c.bytes);
        EXPECT_THROW(target->Serialize(archive), platform::ArchiveError) << c.name;
        EXPECT_EQ(StoredBytes(*target), before) << c.name;
    }
}

}  // namespace
