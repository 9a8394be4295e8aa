#include <gtest/gtest.h>

#include <QBuffer>
#include <Magick++.h>
#include <QImage>

#include "DibView.h"
#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

std::string Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes.toStdString();
}

TEST(PictureReaderTest, KeepsDepthPixelsAndResolution) {
    QImage mono(9, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    mono.setPixel(2, 0, 0);
    mono.setDotsPerMeterX(11811);
    mono.setDotsPerMeterY(11811);

    QImage grey(4, 2, QImage::Format_Grayscale8);
    grey.fill(200);
    grey.setPixel(3, 1, qRgb(10, 10, 10));

    QImage colour(5, 4, QImage::Format_RGB32);
    colour.fill(qRgb(10, 20, 30));
    colour.setPixel(4, 0, qRgb(200, 100, 50));

    QImage clear(2, 2, QImage::Format_ARGB32);
    clear.fill(qRgba(0, 0, 0, 0));
    clear.setPixel(1, 1, qRgba(255, 0, 0, 255));

    struct Case {
        const char* name;
        QImage image;
        const char* format;
        std::uint16_t bits;
        int column, row;
        std::uint32_t pixel, other;  // 0x00RRGGBB at (column, row) and at (0, 0)
        double mmPerPixel;
    };
    const Case cases[] = {
        {"1-bit PNG at 300 dpi", mono, "PNG", 1, 2, 0, 0x000000, 0xFFFFFF, 1000.0 / 11811},
        {"grey BMP", grey, "BMP", 8, 3, 1, 0x0A0A0A, 0xC8C8C8, 0},
        {"colour PNG", colour, "PNG", 24, 4, 0, 0xC86432, 0x0A141E, 0},
        {"transparency over white", clear, "PNG", 24, 1, 1, 0xFF0000, 0xFFFFFF, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportOutcome outcome = ImportBytes(FileKind::kPicture, Encoded(c.image, c.format), TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const CFileDib* dib = OnlyBitmap(outcome);
        ASSERT_NE(dib, nullptr);
        const auto view = dib->dib.View();
        ASSERT_TRUE(view.has_value());
        EXPECT_EQ(view->Layout().bitCount, c.bits);
        EXPECT_EQ(view->Width(), c.image.width());
        EXPECT_EQ(view->Height(), c.image.height());
        EXPECT_EQ(view->PixelRgb(c.column, c.row), c.pixel);
        EXPECT_EQ(view->PixelRgb(0, 0), c.other);
        if (c.mmPerPixel > 0) {
            EXPECT_NEAR(dib->m11, c.mmPerPixel, 1e-9);
            EXPECT_NEAR(dib->m22, c.mmPerPixel, 1e-9);
        }
        EXPECT_GT(dib->m11, 0.0);
        EXPECT_EQ(dib->dx, 0.0);
        EXPECT_EQ(dib->dy, 0.0);
    }
}

std::string BmpHeader(std::int32_t width, std::int32_t height) {
    std::string bytes(54, '\0');
    const auto put32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + 16);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes + std::string(16, '\x7f');
}

TEST(PictureReaderTest, RefusesHugeDamagedAndForeignPictures) {
    ScratchFolder folder;
    const std::string png = Encoded(QImage(8, 8, QImage::Format_RGB32), "PNG");
    const std::pair<const char*, std::string> cases[] = {
        {"100000 x 100000 pixels", BmpHeader(100000, 100000)},
        {"cut short", png.substr(0, png.size() / 2)},
        {"not a picture", "plain text"},
        {"empty", ""},
    };
    for (const auto& [name, bytes] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kPicture, bytes, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
    }
}

QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, 128));
        }
    }
    return image;
}

std::string MagickEncoded(const std::string& png, const char* format) {
    Magick::Image image(Magick::Blob(png.data(), png.size()));
    image.magick(format);
    Magick::Blob written;
    image.write(&written);
    return {static_cast<const char*>(written.data()), written.length()};
}

// The decoders fill what a cut file lacks with black or grey, so the whole picture must be there:
// a BMP's pixel array, a GIF's trailer, a JPEG's end marker.
TEST(PictureReaderTest, PicturesCutShortNeverReachTheDrawing) {
    const QImage picture = Gradient(80, 60);
    struct Case {
        const char* extension;
        std::string whole;
        std::size_t lastCutBytes;  // the last cut takes away what the format ends with
    };
    const Case cases[] = {
        {"bmp", Encoded(picture, "BMP"), 1},
        {"gif", MagickEncoded(Encoded(picture, "PNG"), "GIF"), 1},
        {"jpg", Encoded(picture, "JPEG"), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        ExpectRefusedWhenCut(c.extension, c.whole, 1, c.lastCutBytes);
    }
}

// A TGA has no signature, so it is read as the format its name gives: 2 x 2, 24 bits, rows bottom-up.
TEST(PictureReaderTest, UncompressedTgaImportsPixelForPixel) {
    std::string tga(18, '\0');
    tga[2] = 2;  // uncompressed true colour
    tga[12] = 2;
    tga[14] = 2;
    tga[16] = 24;
    tga += std::string("\x10\x20\x30" "\x40\x50\x60" "\x70\x80\x90" "\xA0\xB0\xC0", 12);  // BGR
    ScratchFolder folder;
    const ImportOutcome outcome = ImportPath(folder.Write("plain.TGA", tga), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const CFileDib* dib = OnlyBitmap(outcome);
    ASSERT_NE(dib, nullptr);
    const auto view = dib->dib.View();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->Width(), 2);
    EXPECT_EQ(view->Height(), 2);
    EXPECT_EQ(view->PixelRgb(0, 1), 0x302010u);
    EXPECT_EQ(view->PixelRgb(1, 1), 0x605040u);
    EXPECT_EQ(view->PixelRgb(0, 0), 0x908070u);
    EXPECT_EQ(view->PixelRgb(1, 0), 0xC0B0A0u);
}

// PCX and Sun raster files made from a picture by ImageMagick's own writers come back pixel for pixel.
TEST(PictureReaderTest, ReadsFormatsQtLacksThroughImageMagick) {
    QImage colour(6, 3, QImage::Format_RGB32);
    colour.fill(qRgb(10, 20, 30));
    colour.setPixel(5, 0, qRgb(200, 100, 50));
    const std::string png = Encoded(colour, "PNG");
    for (const char* format : {"PCX", "SUN"}) {
        SCOPED_TRACE(format);
        const ImportOutcome outcome =
            ImportBytes(FileKind::kMagickPicture, MagickEncoded(png, format), TestOptions(), format);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const CFileDib* dib = OnlyBitmap(outcome);
        ASSERT_NE(dib, nullptr);
        const auto view = dib->dib.View();
        ASSERT_TRUE(view.has_value());
        EXPECT_EQ(view->Width(), 6);
        EXPECT_EQ(view->PixelRgb(5, 0), 0xC86432u);
        EXPECT_EQ(view->PixelRgb(0, 2), 0x0A141Eu);
    }
    EXPECT_EQ(KindOfPath("a.PCX"), FileKind::kMagickPicture);
    EXPECT_FALSE(ImportBytes(FileKind::kMagickPicture, "not a picture", TestOptions(), "PCX").Succeeded());
}

}  // namespace
}  // namespace filebridge::testing
