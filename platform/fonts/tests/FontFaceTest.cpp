// FontFace: faces found by family, the fallback for a character, and outlines in record form.
#include "FontFace.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "TestFontConfig.h"

namespace platform {
namespace {

struct Record {
    std::uint16_t type;
    std::vector<std::pair<double, double>> points;
};

struct Polygon {
    std::pair<double, double> start;
    std::vector<Record> records;
};

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

double Fixed(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::int32_t>(U32(bytes, at)) / 65536.0;
}

std::vector<Polygon> Parse(const std::vector<std::uint8_t>& bytes) {
    std::vector<Polygon> polygons;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = at + U32(bytes, at);
        EXPECT_EQ(U32(bytes, at + 4), kOutlinePolygonType);
        Polygon polygon{{Fixed(bytes, at + 8), Fixed(bytes, at + 12)}, {}};
        for (at += kOutlinePolygonHeaderBytes; at < end;) {
            Record record{static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8), {}};
            const int count = bytes[at + 2] | bytes[at + 3] << 8;
            at += kOutlineRecordHeaderBytes;
            for (int i = 0; i < count; ++i, at += kOutlinePointBytes) {
                record.points.emplace_back(Fixed(bytes, at), Fixed(bytes, at + 4));
            }
            polygon.records.push_back(record);
        }
        EXPECT_EQ(at, end);
        polygons.push_back(polygon);
    }
    return polygons;
}

std::set<std::uint16_t> RecordTypes(const std::vector<Polygon>& polygons) {
    std::set<std::uint16_t> types;
    for (const Polygon& polygon : polygons) {
        for (const Record& record : polygon.records) {
            types.insert(record.type);
        }
    }
    return types;
}

class FontFaceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing::UseTestFontConfig(); }
};

TEST_F(FontFaceTest, FamilyNameFindsItsFace) {
    for (const char* family : {"DejaVu Sans", "DejaVu Serif", "Cantarell"}) {
        const auto face = FontFace::OpenFamily(family);
        ASSERT_NE(face, nullptr) << family;
        EXPECT_EQ(face->FamilyName(), family);
    }
}

TEST_F(FontFaceTest, LetterLOfStraightLinesIsOnePolygonAtEightOutlineUnitsPerFontUnit) {
    // DejaVu Sans has 2048 units per em: every outline coordinate is eight times the font's.
    const auto face = FontFace::OpenFamily("DejaVu Sans");
    GlyphOutline outline;
    ASSERT_TRUE(face->LoadOutline(U'L', outline));
    const std::vector<Polygon> polygons = Parse(outline.records);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(RecordTypes(polygons), std::set<std::uint16_t>{kOutlineLines});
    // The closing segment back to the start is the reader's: five more corners of the six.
    EXPECT_EQ(polygons[0].records[0].points.size(), 5u);
    EXPECT_EQ(outline.advanceX, 1141 * 8);
    for (const auto& [x, y] : polygons[0].records[0].points) {
        EXPECT_EQ(static_cast<long>(x) % 8, 0);
        EXPECT_EQ(static_cast<long>(y) % 8, 0);
    }
}

TEST_F(FontFaceTest, TrueTypeCurvesAreQuadraticAndCompactFontCurvesCubic) {
    struct Case {
        const char* family;
        std::uint16_t curveType;
    };
    for (const Case& c : {Case{"DejaVu Sans", kOutlineQuadratic}, Case{"Cantarell", kOutlineCubic}}) {
        const auto face = FontFace::OpenFamily(c.family);
        GlyphOutline outline;
        ASSERT_TRUE(face->LoadOutline(U'O', outline)) << c.family;
        const std::vector<Polygon> polygons = Parse(outline.records);
        EXPECT_EQ(polygons.size(), 2u) << c.family;
        EXPECT_TRUE(RecordTypes(polygons).count(c.curveType)) << c.family;
        for (const Polygon& polygon : polygons) {
            for (const Record& record : polygon.records) {
                if (record.type == kOutlineCubic) {
                    EXPECT_EQ(record.points.size() % 3, 0u) << c.family;
                }
            }
        }
    }
}

TEST_F(FontFaceTest, HeightIsWindowsAscentPlusDescentInOutlineUnits) {
    // DejaVu Sans: Windows ascent 1901 and descent 483 font units.
    EXPECT_EQ(FontFace::OpenFamily("DejaVu Sans")->Height(), (1901 + 483) * 8);
}

TEST_F(FontFaceTest, FallbackIsAFaceThatHoldsTheCharacter) {
    constexpr char32_t kAlef = 0x05D0;
    const auto serif = FontFace::OpenFamily("DejaVu Serif");
    EXPECT_FALSE(serif->HasGlyph(kAlef));
    const auto fallback = FontFace::OpenFallback("Tahoma", kAlef);
    ASSERT_NE(fallback, nullptr);
    EXPECT_TRUE(fallback->HasGlyph(kAlef));
    EXPECT_EQ(fallback->FamilyName(), "DejaVu Sans");
}

TEST_F(FontFaceTest, CharacterNoFaceHoldsStillGivesAFallbackWithItsMissingGlyph) {
    constexpr char32_t kMiddle = 0x4E2D;
    const auto fallback = FontFace::OpenFallback("Tahoma", kMiddle);
    ASSERT_NE(fallback, nullptr);
    EXPECT_FALSE(fallback->HasGlyph(kMiddle));
    GlyphOutline outline;
    ASSERT_TRUE(fallback->LoadOutline(kMiddle, outline));
    EXPECT_FALSE(outline.records.empty());
}

}  // namespace
}  // namespace platform
