// CCadBitmap: the rectangle from the image, ownership of the image, drawing, the transforms, the copy and
// the record with its BMP image part, including the refusal of damaged image parts.
#include "CadBitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "DibLayout.h"
#include "ElementBuilders.h"
#include "Rasterkit.h"
#include "RecordBytes.h"
#include "TestView.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;

std::pair<int, int> Resolution(CCadBitmap& bitmap) {
    int x = 0, y = 0;
    EXPECT_EQ(_dib_getprecision(&bitmap.dib, &x, &y), 0);
    return {x, y};
}

// A 24-bit picture of width x height whose pixel (x, y from the top) has a colour of its own.
std::unique_ptr<CCadBitmap> MakeColourBitmap(int width, int height, SDPoint centre) {
    auto bitmap = std::make_unique<CCadBitmap>();
    EXPECT_EQ(bitmap->CreateDib(width, height, 24, 2835, 2835), 1);
    const platform::DibLayout& layout = bitmap->dib.Layout();
    std::span<std::uint8_t> pixels = bitmap->dib.MutablePixels();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = pixels.data() + (height - 1 - y) * layout.stride + 3 * x;
            pixel[0] = static_cast<std::uint8_t>(x);
            pixel[1] = static_cast<std::uint8_t>(y);
            pixel[2] = 200;
        }
    }
    bitmap->centre = centre;
    bitmap->CalRect();
    return bitmap;
}

std::vector<std::uint8_t> PixelBytes(const CCadBitmap& bitmap) {
    return {bitmap.dib.Pixels().begin(), bitmap.dib.Pixels().end()};
}

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

TEST(CadBitmap, OwnershipTakesDuplicatesAndKeepsTheOldImageOnFailure) {
    const std::unique_ptr<CCadBitmap> source = MakeBitmap(8, 2, {0, 0});
    CCadBitmap bitmap;
    EXPECT_EQ(bitmap.GetDib(), nullptr);
    ASSERT_EQ(bitmap.SetDib(&source->dib), 1);
    EXPECT_NE(bitmap.GetDib()->Bytes().data(), source->dib.Bytes().data());
    EXPECT_EQ(bitmap.GetWidth(), 8);
    EXPECT_EQ(bitmap.GetBitCount(), 1);

    const platform::DibBlock empty;
    EXPECT_EQ(bitmap.SetDib(&empty), 0);
    EXPECT_EQ(bitmap.SetDib(nullptr), 0);
    EXPECT_EQ(bitmap.GetWidth(), 8);

    EXPECT_EQ(bitmap.CreateDib(0, 5, 8, 2835, 2835), 0);
    EXPECT_EQ(bitmap.GetDib(), nullptr);
    ASSERT_EQ(bitmap.CreateDib(3, 5, 8, 2835, 2835), 1);
    EXPECT_EQ(bitmap.GetPixel(2, 4), 0xFFFFFF);
    EXPECT_EQ(bitmap.GetPixel(3, 0), 0);

    const CCadBitmap copy(*MakeBitmap(16, 4, {2, 3}));
    EXPECT_EQ(copy.GetWidth(), 16);
    EXPECT_EQ(copy.reserved, 77u);
    EXPECT_DOUBLE_EQ(copy.centre.y, 3);
    const CCadBitmap noImage;
    const CCadBitmap imageless(noImage);
    EXPECT_EQ(imageless.GetWidth(), 0);
}

TEST(CadBitmap, ScalingChangesTheResolutionNotThePixels) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(100, 50, {10, 10});
    const std::vector<std::uint8_t> pixels = PixelBytes(*bitmap);
    bitmap->TransDrag(2, 2, 10, 10);
    EXPECT_EQ(Resolution(*bitmap), std::make_pair(1418, 1418));
    EXPECT_EQ(PixelBytes(*bitmap), pixels);
    EXPECT_NEAR(bitmap->rect.x2 - bitmap->rect.x1, 100 * 1000.0 / 1418, 1e-9);
    EXPECT_DOUBLE_EQ(bitmap->centre.x, 10);

    // Scaling by -1 on x mirrors the picture left to right and reflects the centre about px.
    const std::unique_ptr<CCadBitmap> mirrored = MakeColourBitmap(4, 3, {10, 10});
    mirrored->TransDrag(-1, 1, 4, 0);
    EXPECT_EQ(Resolution(*mirrored), std::make_pair(2835, 2835));
    EXPECT_DOUBLE_EQ(mirrored->centre.x, -2);
    EXPECT_EQ(mirrored->GetPixel(0, 1), MakeColourBitmap(4, 3, {0, 0})->GetPixel(3, 1));
}

// Factors that would drive the resolution out of its range, or are not numbers, leave it sound.
TEST(CadBitmap, ScalingKeepsTheResolutionInItsRange) {
    struct Case {
        double sx, sy;
        std::pair<int, int> resolution;
    };
    const Case cases[] = {
        {1e-30, 1, {100000000, 2835}},
        {1e30, 1e30, {1, 1}},
        {0, 2, {2835, 2835}},
        {std::numeric_limits<double>::quiet_NaN(), 2, {2835, 2835}},
        {std::numeric_limits<double>::infinity(), 2, {2835, 2835}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(4, 3, {0, 0});
        bitmap->TransDrag(c.sx, c.sy, 0, 0);
        EXPECT_EQ(Resolution(*bitmap), c.resolution) << c.sx;
        EXPECT_TRUE(std::isfinite(bitmap->rect.x2)) << c.sx;
    }
}

TEST(CadBitmap, TurnsSnapToQuarterTurnsAndKeepTheSizeInMm) {
    struct Case {
        double degrees;
        int width;         // pixels after the turn
        int topLeftFrom;   // which corner of the 4 x 3 picture ends at the top left: 0 TL, 1 TR, 2 BR, 3 BL
        bool exchanged;    // resolutions exchanged
    };
    const Case cases[] = {
        {30, 4, 0, false},  {-30, 4, 0, false}, {100, 3, 1, true},   {-90, 3, 3, true},
        {180, 4, 2, false}, {350, 4, 0, false}, {360 * 1e6 + 90, 3, 1, true},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(4, 3, {5, 0});
        bitmap->TransDrag(2, 1, 5, 0);  // 1418 x 2835 pels per metre: unevenly scaled
        const double widthMm = bitmap->rect.x2 - bitmap->rect.x1, heightMm = bitmap->rect.y2 - bitmap->rect.y1;
        const int corners[] = {bitmap->GetPixel(0, 0), bitmap->GetPixel(3, 0), bitmap->GetPixel(3, 2),
                               bitmap->GetPixel(0, 2)};
        bitmap->TransRotate(0, 0, c.degrees * kRadiansPerDegree);
        EXPECT_EQ(bitmap->GetWidth(), c.width) << c.degrees;
        EXPECT_EQ(bitmap->GetPixel(0, 0), corners[c.topLeftFrom]) << c.degrees;
        EXPECT_EQ(Resolution(*bitmap), c.exchanged ? std::make_pair(2835, 1418) : std::make_pair(1418, 2835))
            << c.degrees;
        const double turnedWidth = bitmap->rect.x2 - bitmap->rect.x1;
        EXPECT_NEAR(turnedWidth, c.exchanged ? heightMm : widthMm, 1e-9) << c.degrees;
    }
}

// Angles are reduced in one step: a huge angle does not hang and a NaN changes nothing.
TEST(CadBitmap, TurnsByHugeOrNonFiniteAnglesEndAtOnce) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(4, 3, {5, 1});
    const std::vector<std::uint8_t> before = StoredBytes(*bitmap);
    bitmap->TransRotate(0, 0, std::numeric_limits<double>::quiet_NaN());
    bitmap->TransRotate(0, 0, std::numeric_limits<double>::infinity());
    EXPECT_EQ(StoredBytes(*bitmap), before);
    bitmap->TransRotate(0, 0, 1e300);
    EXPECT_EQ(bitmap->GetWidth() * bitmap->GetHeight(), 12);
    TestView view = TestView::Recording();
    bitmap->DrawRotate(&view.drawDC, 0, 0, std::numeric_limits<double>::quiet_NaN());
    bitmap->DrawRotate(&view.drawDC, 0, 0, 30 * kRadiansPerDegree);
    bitmap->DrawRotate(&view.drawDC, 0, 0, 330 * kRadiansPerDegree);
    EXPECT_TRUE(view.Calls().empty());
    bitmap->DrawRotate(&view.drawDC, 0, 0, 100 * kRadiansPerDegree);
    EXPECT_EQ(view.Calls().size(), 5u);
}

TEST(CadBitmap, MirrorsReflectImageAndCentre) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(4, 3, {5, 1});
    const std::unique_ptr<CCadBitmap> original = MakeColourBitmap(4, 3, {5, 1});
    bitmap->XMirror(2);
    bitmap->YMirror(-1);
    EXPECT_DOUBLE_EQ(bitmap->centre.x, -1);
    EXPECT_DOUBLE_EQ(bitmap->centre.y, -3);
    EXPECT_EQ(bitmap->GetPixel(0, 0), original->GetPixel(3, 2));
    EXPECT_LT(bitmap->rect.x1, bitmap->rect.x2);
    EXPECT_NEAR(bitmap->rect.x1 + bitmap->rect.x2, -2, 1e-12);
}

TEST(CadBitmap, DrawShowsTheImageWithItsFrameOrTheDottedPreview) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeColourBitmap(100, 50, {10, 10});
    bitmap->color = 0xFF0000;
    bitmap->SetSelect(1);
    const CCadRect everywhere{-100, -100, 100, 100, 0};

    TestView normal = TestView::Recording();
    bitmap->Draw(&normal.mapDC, &normal.drawDC, everywhere, 0, 0, 0);
    ASSERT_EQ(normal.Calls().size(), 2u);
    EXPECT_EQ(normal.Calls()[0].kind, platform::GdiCallKind::StretchDib);
    EXPECT_EQ(normal.Calls()[1].kind, platform::GdiCallKind::Rectangle);
    EXPECT_EQ(normal.Calls()[1].state.pen.color, 0xFFFF00u);  // cyan: the colour itself is the selection blue
    EXPECT_EQ(normal.Calls()[1].state.pen.style, platform::PenStyle::Solid);

    TestView preview = TestView::Recording();
    bitmap->Draw(&preview.mapDC, &preview.drawDC, everywhere, 0, 0, 1);
    ASSERT_EQ(preview.Calls().size(), 5u);
    EXPECT_EQ(preview.Calls()[0].kind, platform::GdiCallKind::Rectangle);
    EXPECT_EQ(preview.Calls()[0].state.pen.style, platform::PenStyle::Dot);
    EXPECT_EQ(preview.Calls()[2].kind, platform::GdiCallKind::LineTo);

    // The preview of the dialogs: the image alone at its place, without frame.
    TestView dialog = TestView::Recording();
    bitmap->DrawDib(&dialog.mapDC, &dialog.drawDC);
    ASSERT_EQ(dialog.Calls().size(), 1u);
    EXPECT_EQ(dialog.Calls()[0].kind, platform::GdiCallKind::StretchDib);
    EXPECT_EQ(dialog.Calls()[0].rect.left, dialog.Pixel({bitmap->rect.x1, bitmap->rect.y1}).x);
    EXPECT_EQ(dialog.Calls()[0].rect.right, dialog.Pixel({bitmap->rect.x2, bitmap->rect.y2}).x);

    // Touching the visible area counts as visible; beyond it nothing is drawn.
    TestView touching = TestView::Recording();
    bitmap->Draw(&touching.mapDC, &touching.drawDC, {bitmap->rect.x2, 0, 200, 200, 0}, 0, 0, 0);
    EXPECT_FALSE(touching.Calls().empty());
    TestView outside = TestView::Recording();
    bitmap->Draw(&outside.mapDC, &outside.drawDC, {bitmap->rect.x2 + 0.001, 0, 200, 200, 0}, 0, 0, 0);
    EXPECT_TRUE(outside.Calls().empty());
}

// The frame previews in logical units: (1, 1)-(3, 2) dragged by x 2 about (1, 0), y unchanged.
TEST(CadBitmap, PreviewsDrawTheClosedFrameInLogicalUnits) {
    CCadBitmap bitmap;
    bitmap.rect = {1, 1, 3, 2, 0};
    TestView view = TestView::Recording();
    view.drawDC.SetMapMode(platform::MapMode::Text);
    bitmap.DrawDrag(&view.drawDC, 2, 1, 1, 0);
    bitmap.DrawMove(&view.drawDC, 0.5, -1);
    const std::vector<platform::Point> expected = {{1000, 1000}, {5000, 1000}, {5000, 2000}, {1000, 2000},
                                                   {1000, 1000}, {1500, 0},    {3500, 0},    {3500, 1000},
                                                   {1500, 1000}, {1500, 0}};
    ASSERT_EQ(view.Calls().size(), expected.size());
    for (std::size_t index = 0; index < expected.size(); ++index) {
        const platform::Point drawn = view.Calls()[index].points.back();
        EXPECT_EQ(drawn.x, expected[index].x) << index;
        EXPECT_EQ(drawn.y, expected[index].y) << index;
    }
}

// The image written alone is the image part of the record, and reads back as the same bitmap.
TEST(CadBitmap, WrittenImageIsTheRecordsImagePartAndReadsBack) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeBitmap(8, 2, {0, 0});
    platform::Archive written = platform::Archive::ForStoring();
    ASSERT_EQ(bitmap->WriteDib(&written), 1);
    ASSERT_EQ(written.Bytes().size(), 70u);
    const std::vector<std::uint8_t> record = StoredBytes(*bitmap);
    const std::size_t image = BaseRecordBytes(*bitmap);
    EXPECT_TRUE(std::equal(written.Bytes().begin(), written.Bytes().end(), record.begin() + image));

    CCadBitmap reread;
    platform::Archive archive = platform::Archive::ForLoading(written.Bytes());
    ASSERT_EQ(reread.ReadDib(&archive), 1);
    EXPECT_TRUE(std::ranges::equal(reread.dib.Bytes(), bitmap->dib.Bytes()));
    CCadBitmap imageless;
    platform::Archive nothing = platform::Archive::ForStoring();
    EXPECT_EQ(imageless.WriteDib(&nothing), 0);
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

namespace {

// The bitmap seeds of the record fuzz corpus (first byte 12 picks the bitmap reader) are sound records of
// 1, 4, 8 and 24-bit images, so that the fuzzer starts from records that load.
TEST(CadBitmapRecord, EveryBitmapSeedOfTheFuzzCorpusLoadsAndStoresBack) {
    int seeds = 0;
    for (const auto& entry : std::filesystem::directory_iterator(MODEL_FUZZ_CORPUS)) {
        if (entry.path().filename().string().rfind("bitmap-", 0) != 0 ||
            entry.path().filename().string().rfind("bitmap-layer", 0) == 0) {
            continue;
        }
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> seed{std::istreambuf_iterator<char>(file), {}};
        ASSERT_FALSE(seed.empty());
        ASSERT_EQ(seed[0] % 16, 12) << entry.path();
        const std::vector<std::uint8_t> record(seed.begin() + 1, seed.end());
        CCadBitmap bitmap;
        platform::Archive archive = platform::Archive::ForLoading(record);
        ASSERT_NO_THROW(bitmap.Serialize(archive)) << entry.path();
        EXPECT_EQ(StoredBytes(bitmap), record) << entry.path();
        ++seeds;
    }
    EXPECT_GE(seeds, 4);
}

}  // namespace
