#include <gtest/gtest.h>

#include <libraw.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "DibView.h"

#include "ImportTestSupport.h"
#include "RawPictureReader.h"

namespace filebridge::testing {
namespace {

// A minimal digital negative written from the public TIFF and DNG tag layout: one strip of 16-bit
// sensor values under a red-green-green-blue colour filter, the upper half of the photosites at `upper`
// and the lower half at `lower`, an identity colour matrix and a neutral white balance.
class DngWriter {
  public:
    static constexpr int kWidth = 32;  // the decoder refuses sensors narrower or lower than 22
    static constexpr int kHeight = 24;

    static std::string Bytes(std::uint16_t upper, std::uint16_t lower) {
        DngWriter writer;
        writer.Entry(254, kLong, {0});
        writer.Entry(256, kLong, {kWidth});
        writer.Entry(257, kLong, {kHeight});
        writer.Entry(258, kShort, {16});
        writer.Entry(259, kShort, {1});
        writer.Entry(262, kShort, {32803});  // colour filter array
        writer.Entry(271, kAscii, Text("Cutrix"));
        writer.Entry(273, kLong, {0});  // the strip's offset, set when the layout is known
        writer.Entry(277, kShort, {1});
        writer.Entry(278, kLong, {kHeight});
        writer.Entry(279, kLong, {kWidth * kHeight * 2});
        writer.Entry(284, kShort, {1});
        writer.Entry(33421, kShort, {2, 2});
        writer.Entry(33422, kByte, {0, 1, 1, 2});
        writer.Entry(50706, kByte, {1, 4, 0, 0});
        writer.Entry(50708, kAscii, Text("Cutrix Test"));
        writer.Entry(50717, kLong, {65535});
        writer.Entry(50721, kSignedRational, {1, 1, 0, 1, 0, 1, 0, 1, 1, 1, 0, 1, 0, 1, 0, 1, 1, 1});
        writer.Entry(50728, kRational, {1, 1, 1, 1, 1, 1});
        writer.Entry(50778, kShort, {21});
        return writer.Finish(upper, lower);
    }

  private:
    enum Type : std::uint16_t { kByte = 1, kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kSignedRational = 10 };
    struct Field {
        std::uint16_t tag;
        Type type;
        std::vector<std::uint32_t> values;  // rationals as numerator, denominator pairs
    };

    static std::vector<std::uint32_t> Text(const std::string& text) {
        std::vector<std::uint32_t> values(text.begin(), text.end());
        values.push_back(0);
        return values;
    }

    static std::size_t UnitBytes(Type type) {
        switch (type) {
            case kByte:
            case kAscii:
                return 1;
            case kShort:
                return 2;
            default:
                return 4;
        }
    }

    static void Put(std::string& bytes, std::uint32_t value, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    }

    void Entry(std::uint16_t tag, Type type, std::vector<std::uint32_t> values) {
        fields_.push_back({tag, type, std::move(values)});
    }

    std::string Finish(std::uint16_t upper, std::uint16_t lower) const {
        const std::size_t directoryAt = 8;
        const std::size_t outsideAt = directoryAt + 2 + 12 * fields_.size() + 4;
        std::string directory;
        std::string outside;
        Put(directory, static_cast<std::uint32_t>(fields_.size()), 2);
        std::size_t stripOffsetAt = 0;
        for (const Field& field : fields_) {
            std::string data;
            for (const std::uint32_t v : field.values) {
                Put(data, v, UnitBytes(field.type));
            }
            const bool rational = field.type == kRational || field.type == kSignedRational;
            Put(directory, field.tag, 2);
            Put(directory, field.type, 2);
            Put(directory, static_cast<std::uint32_t>(field.values.size() / (rational ? 2 : 1)), 4);
            if (field.tag == 273) {
                stripOffsetAt = directoryAt + directory.size();
            }
            if (data.size() <= 4) {
                directory += data + std::string(4 - data.size(), '\0');
                continue;
            }
            Put(directory, static_cast<std::uint32_t>(outsideAt + outside.size()), 4);
            outside += data;
            outside.resize((outside.size() + 1) / 2 * 2, '\0');
        }
        Put(directory, 0, 4);
        std::string bytes = "II*";
        bytes.push_back('\0');
        Put(bytes, static_cast<std::uint32_t>(directoryAt), 4);
        bytes += directory + outside;
        std::string strip;
        Put(strip, static_cast<std::uint32_t>(bytes.size()), 4);
        bytes.replace(stripOffsetAt, 4, strip);
        for (int i = 0; i < kWidth * kHeight; ++i) {
            Put(bytes, i < kWidth * kHeight / 2 ? upper : lower, 2);
        }
        return bytes;
    }

    std::vector<Field> fields_;
};

std::uint32_t Brightest(std::uint32_t rgb) {
    return std::max({rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF});
}

// The developed picture keeps the sensor's rows in order: its dark upper half stays above.
TEST(RawPictureReaderTest, DevelopsASensorIntoOneColourPicture) {
    ScratchFolder folder;
    const ImportOutcome outcome =
        ImportPath(folder.Write("sensor.DNG", DngWriter::Bytes(0x0800, 0x8000)), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const CFileDib* dib = OnlyBitmap(outcome);
    ASSERT_NE(dib, nullptr);
    const auto view = dib->dib.View();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->Layout().bitCount, 24);
    EXPECT_EQ(view->Width(), DngWriter::kWidth);
    EXPECT_EQ(view->Height(), DngWriter::kHeight);
    EXPECT_DOUBLE_EQ(dib->m11, CFileDib::kDefaultScaleMm);
    EXPECT_DOUBLE_EQ(dib->m22, CFileDib::kDefaultScaleMm);
    const int column = DngWriter::kWidth / 2;
    const std::uint32_t upper = Brightest(view->PixelRgb(column, 3));
    const std::uint32_t lower = Brightest(view->PixelRgb(column, DngWriter::kHeight - 4));
    EXPECT_LT(upper + 64, lower);
}

TEST(RawPictureReaderTest, RawExtensionsChooseTheRawReader) {
    for (const char* path : {"a.CR2", "b.nef", "c.dng", "d.arw", "e.raf", "dir.nef/f.orf"}) {
        EXPECT_EQ(KindOfPath(path), FileKind::kRawPicture) << path;
    }
    EXPECT_EQ(KindOfPath("a.emf"), FileKind::kEmfPicture);
}

TEST(RawPictureReaderTest, GarbageFailsWithTheDecodersReason) {
    std::string tiffHeaderOnly = "II*";
    tiffHeaderOnly += std::string("\0\x08\0\0\0", 5);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"text", "not a camera raw file at all"},
        {"noise", std::string(4096, '\x5a')},
        {"picture header only", tiffHeaderOnly},
        {"negative cut inside its tags", DngWriter::Bytes(0x1000, 0x4000).substr(0, 100)},
    };
    for (const auto& [name, bytes] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kRawPicture, bytes, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
        EXPECT_EQ(outcome.failure.rfind("unreadable camera raw file: ", 0), 0u) << name << ": " << outcome.failure;
    }
}

TEST(RawPictureReaderTest, EveryDecoderErrorHasItsOwnReason) {
    const std::pair<int, const char*> cases[] = {
        {LIBRAW_FILE_UNSUPPORTED, "not a camera raw file or a camera not supported"},
        {LIBRAW_REQUEST_FOR_NONEXISTENT_IMAGE, "the file holds no such image"},
        {LIBRAW_OUT_OF_ORDER_CALL, "decoder used out of order"},
        {LIBRAW_NOT_IMPLEMENTED, "image kind not supported"},
        {LIBRAW_UNSUFFICIENT_MEMORY, "file needs more memory than is available"},
        {LIBRAW_TOO_BIG, "file needs more memory than is available"},
        {LIBRAW_DATA_ERROR, "damaged image data"},
        {LIBRAW_IO_ERROR, "file cut short or unreadable"},
        {LIBRAW_BAD_CROP, "bad crop area"},
        {-12345, "error -12345"},
    };
    for (const auto& [code, reason] : cases) {
        EXPECT_EQ(RawFailureReason(code), reason) << code;
    }
}

}  // namespace
}  // namespace filebridge::testing
