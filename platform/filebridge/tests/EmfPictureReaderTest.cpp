#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DibView.h"
#include "EmfPictureReader.h"
#include "EmfTestWriter.h"
#include "ImportTestSupport.h"
#include "TestFontConfig.h"

// Stands in for fontconfig's own FcFini in this process and counts its calls: the metafile converter's
// text path calls it, and in a program that still holds fonts that call stops the process.
std::atomic<int> fontconfigEnds{0};
extern "C" void FcFini() {
    ++fontconfigEnds;
}

namespace filebridge::testing {
namespace {

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
constexpr std::uint32_t kPairedSpacing = 0x2000;

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

// A logical font of `height` units; `face` fills the 32 characters of its face name, with no terminator
// when it is that long.
std::string Font(const std::u16string& face, std::uint32_t height = 12) {
    std::string fields =
        Words({1, static_cast<std::uint32_t>(-static_cast<std::int32_t>(height)), 0, 0, 0, 400, 0, 0});
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

// "Hi" in the tests' DejaVu Sans, 40 units high from its top-left corner at (20, 20) of a 200 x 100
// picture, as characters and as the face's glyph numbers (whose lookup is the converter's road to ending
// fontconfig).
constexpr std::uint32_t kGlyphIndices = 0x10;
const std::uint32_t kHiCharacters = 0x00690048;
const std::uint32_t kHiGlyphs = 0x004C002B;

std::string TextMetafile(std::uint32_t type, const std::string& fields) {
    EmfWriter writer;
    writer.Raw(kFont, Font(u"DejaVu Sans", 40)).Record(kSelectObject, {1}).Raw(type, fields);
    return writer.Bytes({0, 0, 200, 100}, {0, 0, 5080, 2540});
}

std::string HiText(std::uint32_t options, std::uint32_t characters) {
    return TextMetafile(kExtTextOutW, Words({0,  0,       200, 100, 1,   0,   0,  20,         20, 2,
                                             76, options, 0,   0,   200, 100, 80, characters, 25, 25}));
}

// Dark pixels inside the box from (left, top) to (right, bottom), and outside it.
struct InkCount {
    int inside = 0;
    int outside = 0;
};

InkCount CountInk(const platform::DibView& view, int left, int top, int right, int bottom) {
    InkCount ink;
    for (int y = 0; y < view.Height(); ++y) {
        for (int x = 0; x < view.Width(); ++x) {
            const std::uint32_t rgb = view.PixelRgb(x, y);
            const int green = static_cast<int>((rgb >> 8) & 0xFF);
            if (green < 128) {
                (x >= left && x < right && y >= top && y < bottom ? ink.inside : ink.outside) += 1;
            }
        }
    }
    return ink;
}

// Text is drawn with the fonts of a running GUI application, as in the program.
class EmfTextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        platform::testing::UseTestFontConfig();
        static int argc = 1;
        static char name[] = "FilebridgeTests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    static void TearDownTestSuite() { application_.reset(); }

  private:
    static inline std::unique_ptr<QGuiApplication> application_;
};

TEST_F(EmfTextTest, TextIsDrawnIntoThePictureWithoutEndingFontconfig) {
    const std::pair<const char*, std::string> cases[] = {
        {"characters", HiText(0, kHiCharacters)},
        {"glyph numbers", HiText(kGlyphIndices, kHiGlyphs)},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, bytes, TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const CFileDib* dib = OnlyBitmap(outcome);
        ASSERT_NE(dib, nullptr);
        const auto view = dib->dib.View();
        ASSERT_TRUE(view.has_value());
        ASSERT_EQ(view->Width(), 200);
        // "Hi" hangs from its top-left corner at (20, 20), about 30 pixels tall and 35 wide.
        const InkCount ink = CountInk(*view, 18, 20, 70, 60);
        EXPECT_GT(ink.inside, 150);
        EXPECT_EQ(ink.outside, 0);
    }
    EXPECT_EQ(fontconfigEnds.load(), 0);
}

// Without a GUI application Qt would stop the process at the first letter.
TEST(EmfPictureReaderTest, TextOutsideTheProgramIsRefused) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    const ImportOutcome outcome = ImportBytes(FileKind::kEmfPicture, HiText(0, kHiCharacters), TestOptions());
    EXPECT_EQ(outcome.failure, "metafile text can be drawn only in the program, with its fonts");
    EXPECT_TRUE(outcome.records.empty());
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
        {"text of more characters than it holds",
         WithRecord(kExtTextOutW, TextOut(TextRun(0x20000000, 76, 80)))},
        {"text spacing past its record", WithRecord(kExtTextOutW, TextOut(TextRun(2, 76, 84)))},
        {"text spacing pairs past its record",
         WithRecord(kExtTextOutW, TextOut(TextRun(2, 76, 80, kPairedSpacing)))},
        {"text runs more than held", WithRecord(kPolyTextOutW, Words({0, 0, 100, 50, 1, 0, 0, 0x10000000}))},
        {"short text longer than its record",
         WithRecord(kSmallTextOut, Words({20, 20, 200, kNoRectangle, 1, 0, 0}) + "OK")},
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
