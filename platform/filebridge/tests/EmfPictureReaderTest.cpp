#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "DibView.h"
#include "EmfPictureReader.h"
#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

// Builds an enhanced metafile record by record, in the public record layout: every record a type word,
// a size word counting the whole record, then its little-endian fields.
class EmfWriter {
  public:
    EmfWriter& Record(std::uint32_t type, const std::vector<std::int32_t>& fields) {
        Put(body_, type);
        Put(body_, static_cast<std::uint32_t>(8 + 4 * fields.size()));
        for (const std::int32_t field : fields) {
            Put(body_, static_cast<std::uint32_t>(field));
        }
        ++records_;
        return *this;
    }

    // A record whose fields after the type and size words are given as bytes, padded to whole words.
    EmfWriter& Raw(std::uint32_t type, std::string fields) {
        fields.resize((fields.size() + 3) / 4 * 4, '\0');
        Put(body_, type);
        Put(body_, static_cast<std::uint32_t>(8 + fields.size()));
        body_ += fields;
        ++records_;
        return *this;
    }

    // Bounds in device pixels and the frame in hundredths of a millimetre, each left, top, right, bottom.
    std::string Bytes(const std::vector<std::int32_t>& bounds, const std::vector<std::int32_t>& frame) const {
        constexpr std::uint32_t kEof = 14;
        std::string tail = body_;
        for (const std::uint32_t word : {kEof, 20u, 0u, 16u, 20u}) {
            Put(tail, word);
        }
        std::vector<std::int32_t> header = bounds;
        header.insert(header.end(), frame.begin(), frame.end());
        const std::uint32_t total = static_cast<std::uint32_t>(88 + tail.size());
        for (const std::uint32_t word : {0x464D4520u, 0x10000u, total, records_ + 2, 1u, 0u, 0u, 0u}) {
            header.push_back(static_cast<std::int32_t>(word));
        }
        for (const std::int32_t word : {1000, 1000, 254, 254}) {
            header.push_back(word);
        }
        std::string bytes;
        Put(bytes, 1);
        Put(bytes, 88);
        for (const std::int32_t field : header) {
            Put(bytes, static_cast<std::uint32_t>(field));
        }
        return bytes + tail;
    }

    static void Put(std::string& bytes, std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
        }
    }

  private:
    std::string body_;
    std::uint32_t records_ = 0;
};

std::string Words(const std::vector<std::uint32_t>& words) {
    std::string bytes;
    for (const std::uint32_t word : words) {
        EmfWriter::Put(bytes, word);
    }
    return bytes;
}

constexpr std::uint32_t kRectangle = 43;
constexpr std::uint32_t kCreateBrush = 39;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::int32_t kSolidBrush = 0;

// A red filled rectangle from (10, 10) to (60, 40) on a 100 x 50 pixel picture 25.4 mm wide.
std::string RedRectangle(std::vector<std::int32_t> bounds = {0, 0, 100, 50}) {
    EmfWriter writer;
    writer.Record(kCreateBrush, {1, kSolidBrush, 0x0000FF, 0})
        .Record(kSelectObject, {1})
        .Record(kRectangle, {10, 10, 60, 40});
    return writer.Bytes(bounds, {0, 0, 2540, 1270});
}

TEST(EmfPictureReaderTest, DrawsTheRecordsAtTheFrameSize) {
    ScratchFolder folder;
    const ImportOutcome outcome = ImportPath(folder.Write("drawing.EMF", RedRectangle()), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const CFileDib* dib = OnlyBitmap(outcome);
    ASSERT_NE(dib, nullptr);
    const auto view = dib->dib.View();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->Layout().bitCount, 24);
    EXPECT_EQ(view->PixelRgb(35, 25), 0xFF0000u) << "inside the rectangle";
    EXPECT_EQ(view->PixelRgb(80, 45), 0xFFFFFFu) << "outside it";
    EXPECT_EQ(view->PixelRgb(5, 25), 0xFFFFFFu) << "left of it";
    EXPECT_NEAR(dib->m11 * view->Width(), 25.4, 0.3);
    EXPECT_NEAR(dib->m22 * view->Height(), 12.7, 0.3);
}

TEST(EmfPictureReaderTest, RefusesDamagedAndOversizedMetafiles) {
    const std::string sound = RedRectangle();
    std::string foreignSignature = sound;
    foreignSignature[40] = 'X';
    std::string lyingTotal = sound;
    lyingTotal[48] = static_cast<char>(0xFF);
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"not a metafile", std::string(200, 'x')},
        {"cut by one byte", sound.substr(0, sound.size() - 1)},
        {"header only", sound.substr(0, 88)},
        {"foreign signature", foreignSignature},
        {"total larger than the file", lyingTotal},
        {"100000 x 100000 pixels", RedRectangle({0, 0, 100000, 100000})},
    };
    for (const auto& [name, bytes] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, bytes, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
    }
    const ImportOutcome huge =
        ImportBytes(FileKind::kEmfPicture, RedRectangle({0, 0, 100000, 100000}), TestOptions());
    EXPECT_EQ(huge.failure, "picture larger than the import limit");
}

constexpr std::uint32_t kExtTextOutW = 84;
constexpr std::uint32_t kPolyTextOutW = 97;
constexpr std::uint32_t kSmallTextOut = 108;
constexpr std::uint32_t kFont = 82;
constexpr std::uint32_t kPolyline16 = 87;
constexpr std::uint32_t kPolyPolygon16 = 91;
constexpr std::uint32_t kStretchDiBits = 81;
constexpr std::uint32_t kNoRectangle = 0x100;

// The fields of a text run: reference point, characters, string offset, options, rectangle, spacing
// offset; the offsets count from the record's start.
std::string TextRun(std::uint32_t characters, std::uint32_t stringAt, std::uint32_t spacingAt,
                    std::uint32_t options = 0) {
    return Words({20, 20, characters, stringAt, options, 0, 0, 100, 50, spacingAt});
}

// "Hi" at (20, 20): bounds, graphics mode, scales, the run, then the string and its spacing.
std::string TextOut(const std::string& run) {
    return Words({0, 0, 100, 50, 1, 0, 0}) + run + Words({0x00690048, 10, 10});
}

// A logical font of 12 units; `face` fills the 32 characters of its face name, with no terminator
// when it is that long.
std::string Font(const std::u16string& face) {
    std::string fields = Words({1, static_cast<std::uint32_t>(-12), 0, 0, 0, 400, 0, 0});
    std::u16string name = face;
    name.resize(32, u'\0');
    for (const char16_t c : name) {
        fields.push_back(static_cast<char>(c & 0xFF));
        fields.push_back(static_cast<char>(c >> 8));
    }
    return fields;
}

std::string Metafile(EmfWriter& writer) {
    return writer.Bytes({0, 0, 100, 50}, {0, 0, 2540, 1270});
}

std::string WithRecord(std::uint32_t type, const std::string& fields) {
    EmfWriter writer;
    writer.Raw(kFont, Font(u"Sans")).Record(kSelectObject, {1}).Raw(type, fields);
    return Metafile(writer);
}

// The converter looks a text's font up and then ends fontconfig for the whole process, which stops a
// program whose interface still holds fonts. Text records are refused, sound or not.
TEST(EmfPictureReaderTest, MetafilesHoldingTextAreRefused) {
    const std::string cases[] = {
        WithRecord(kExtTextOutW, TextOut(TextRun(2, 76, 80))),
        WithRecord(kExtTextOutW, TextOut(TextRun(0x20000000, 76, 80))),
        WithRecord(kPolyTextOutW, Words({0, 0, 100, 50, 1, 0, 0, 0x10000000})),
        WithRecord(kSmallTextOut, Words({20, 20, 2, kNoRectangle, 1, 0, 0}) + "OK"),
    };
    for (const std::string& bytes : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, bytes, TestOptions());
        EXPECT_EQ(outcome.failure, "metafile text cannot be drawn: only metafiles without text are read");
        EXPECT_TRUE(outcome.records.empty());
    }
}

// One of each kind the walk checks, each holding what it points to: the walk lets them through.
TEST(EmfPictureReaderTest, SoundRecordsOfTheCheckedKindsAreDrawn) {
    const std::string bitmap = Words({40, 4, 2, 0x00180001, 0, 0, 0, 0, 0, 0}) + std::string(24, '\x40');
    EmfWriter writer;
    writer.Raw(kFont, Font(u"Sans"))
        .Record(kSelectObject, {1})
        .Raw(kPolyline16, Words({0, 0, 100, 50, 2, 0x00010001, 0x00280050}))
        .Raw(kPolyPolygon16, Words({0, 0, 100, 50, 1, 3, 3, 0x000A000A, 0x000A0028, 0x00280028}))
        .Raw(kStretchDiBits,
             Words({0, 0, 100, 50, 0, 0, 0, 0, 4, 2, 80, 40, 120, 24, 0, 0xCC0020, 40, 20}) + bitmap);
    const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, Metafile(writer), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    EXPECT_NE(OnlyBitmap(outcome), nullptr);
}

// The converter reads what a record points to without checking that it lies in the record: a header
// description pointing past its record made it read past the file's end. Each of these is refused before
// it gets there.
TEST(EmfPictureReaderTest, RecordsPointingOutsideThemselvesAreRefusedBeforeConversion) {
    const std::string pixels =
        Words({40, 4, 2, 0x00180001, 0, 0, 0, 0, 0, 0}) + Words({0, 0});  // 4 x 2, 24-bit
    // The fuzz run's find: a description of no characters whose offset points past the header record.
    std::string strayDescription = RedRectangle();
    strayDescription[64] = 0;
    strayDescription[65] = 1;  // offset 256
    const std::pair<const char*, std::string> cases[] = {
        {"description offset past the header", strayDescription},
        {"font name without its end", WithRecord(kFont, Font(std::u16string(32, u'A')))},
        {"polyline of more points than it holds",
         WithRecord(kPolyline16, Words({0, 0, 100, 50, 1000, 0, 0}))},
        {"polygons taking more points than given",
         WithRecord(kPolyPolygon16, Words({0, 0, 100, 50, 2, 3, 3, 3, 0, 0, 0}))},
        {"bitmap rows longer than its bits",
         WithRecord(kStretchDiBits,
                    Words({0, 0, 100, 50, 0, 0, 0, 0, 4, 2, 80, 40, 120, 8, 0, 0xCC0020, 4, 2}) + pixels)},
        {"record of unknown kind", WithRecord(200, Words({0}))},
    };
    for (const auto& [name, bytes] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, bytes, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
        const bool refusedByTheWalk = outcome.failure.find("points outside itself") != std::string::npos ||
                                      outcome.failure.find("unknown kind") != std::string::npos;
        EXPECT_TRUE(refusedByTheWalk) << name << ": " << outcome.failure;
    }
}

}  // namespace
}  // namespace filebridge::testing
