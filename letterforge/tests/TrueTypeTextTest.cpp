// TrueType and OpenType text to curves, checked against FreeType's own decomposition of the same
// glyphs put through the layout rules: 0.01 layout units per outline unit, the block scaled by
// S = h' / 0.0072 / 16384 about its lower-left corner.
#include "TrueTypeText.h"

#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <thread>

#include "ShxFontWriter.h"
#include "TestFontConfig.h"
#include "TextCurves.h"

namespace letterforge {
namespace {

using testing::CreateText;
using testing::Curves;

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr double kOutlineUnitsPerFontUnit = 8.0;  // 16384 / 2048
constexpr double kLayout = 0.01;

// The glyphs of one text in DejaVu Sans, laid out by hand from FreeType's own outlines.
class ReferenceLayout {
  public:
    ReferenceLayout() {
        FT_Init_FreeType(&library);
        FT_New_Face(library, kDejaVuSans, 0, &face);
    }
    ~ReferenceLayout() {
        FT_Done_Face(face);
        FT_Done_FreeType(library);
    }

    // Lines bottom first; only letters and spaces.
    Curves Build(const std::vector<std::string>& linesBottomFirst, double height, double charSpace, double widthRatio) {
        const double scale = std::floor(height * 1000 + 0.5) * 0.001 * 138.8888888888889 / 16384;
        const double lineHeight = (1901 + 483) * kOutlineUnitsPerFontUnit * kLayout;
        Curves curves;
        double y = 0.0;
        for (const std::string& line : linesBottomFirst) {
            double x = 0.0;
            for (char character : line) {
                FT_Load_Char(face, static_cast<FT_ULong>(character), FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING);
                const double advance = face->glyph->metrics.horiAdvance * kOutlineUnitsPerFontUnit * kLayout;
                if (character != ' ') {
                    AddGlyph(curves, x, y, widthRatio);
                }
                x += advance * widthRatio + (character == ' ' ? 0.0 : charSpace / scale);
            }
            y += lineHeight;
        }
        ScaleAboutLowerLeft(curves, scale);
        return curves;
    }

  private:
    struct Walk {
        Curves* curves;
        SDPoint current;
        double penX, penY, ratio;
        SDPoint Map(const FT_Vector* v) const {
            return {penX + ratio * (v->x * kLayout), penY + v->y * kLayout};
        }
    };

    static int MoveTo(const FT_Vector* to, void* user) {
        Walk& walk = *static_cast<Walk*>(user);
        walk.curves->emplace_back();
        walk.current = walk.Map(to);
        return 0;
    }
    static int LineTo(const FT_Vector* to, void* user) {
        Walk& walk = *static_cast<Walk*>(user);
        const SDPoint end = walk.Map(to);
        if (end.x != walk.current.x || end.y != walk.current.y) {
            walk.curves->back().push_back(cutrix::testing::Line(walk.current, end));
        }
        walk.current = end;
        return 0;
    }
    static int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
        Walk& walk = *static_cast<Walk*>(user);
        const SDPoint p0 = walk.current, c = walk.Map(control), e = walk.Map(to);
        walk.curves->back().push_back(cutrix::testing::Bezier(
            p0, {p0.x + (c.x - p0.x) * 2 / 3, p0.y + (c.y - p0.y) * 2 / 3},
            {c.x + (e.x - c.x) / 3, c.y + (e.y - c.y) / 3}, e));
        walk.current = e;
        return 0;
    }
    static int CubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
        Walk& walk = *static_cast<Walk*>(user);
        const SDPoint e = walk.Map(to);
        walk.curves->back().push_back(cutrix::testing::Bezier(walk.current, walk.Map(c1), walk.Map(c2), e));
        walk.current = e;
        return 0;
    }

    void AddGlyph(Curves& curves, double penX, double penY, double widthRatio) {
        FT_Outline& outline = face->glyph->outline;
        // In outline units, where every implied midpoint is a whole number.
        for (int i = 0; i < outline.n_points; ++i) {
            outline.points[i].x *= static_cast<FT_Pos>(kOutlineUnitsPerFontUnit);
            outline.points[i].y *= static_cast<FT_Pos>(kOutlineUnitsPerFontUnit);
        }
        const FT_Outline_Funcs funcs{MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
        Walk walk{&curves, {}, penX, penY, widthRatio};
        FT_Outline_Decompose(&outline, &funcs, &walk);
    }

    static void ScaleAboutLowerLeft(Curves& curves, double scale) {
        SDPoint low{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
        for (const auto& curve : curves) {
            for (const CFileLine& segment : curve) {
                for (int step = 0; step <= 100; ++step) {
                    const SDPoint p = segment.GetPoint(step / 100.0);
                    low = {std::min(low.x, p.x), std::min(low.y, p.y)};
                }
            }
        }
        for (auto& curve : curves) {
            for (CFileLine& segment : curve) {
                for (SDPoint* p : {&segment.start, &segment.end, &segment.ctrl1, &segment.ctrl2}) {
                    *p = {low.x + scale * (p->x - low.x), low.y + scale * (p->y - low.y)};
                }
            }
        }
    }

    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

void ExpectSameCurves(const Curves& actual, const Curves& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t c = 0; c < expected.size(); ++c) {
        ASSERT_EQ(actual[c].size(), expected[c].size()) << "curve " << c;
        for (std::size_t s = 0; s < expected[c].size(); ++s) {
            SCOPED_TRACE("curve " + std::to_string(c) + " segment " + std::to_string(s));
            const CFileLine& a = actual[c][s];
            const CFileLine& e = expected[c][s];
            ASSERT_EQ(a.type, e.type);
            cutrix::testing::ExpectPointNear(a.start, e.start, 1e-9);
            cutrix::testing::ExpectPointNear(a.end, e.end, 1e-9);
            if (e.IsBezier()) {
                cutrix::testing::ExpectPointNear(a.ctrl1, e.ctrl1, 1e-9);
                cutrix::testing::ExpectPointNear(a.ctrl2, e.ctrl2, 1e-9);
            }
        }
    }
}

void ExpectClosed(const Curves& curves) {
    for (const auto& curve : curves) {
        ASSERT_FALSE(curve.empty());
        cutrix::testing::ExpectChained(curve, 1e-9);
        cutrix::testing::ExpectPointNear(curve.back().end, curve.front().start, 1e-9);
    }
}

double LowestY(const Curves& curves) {
    double lowest = std::numeric_limits<double>::infinity();
    for (const auto& curve : curves) {
        for (const CFileLine& segment : curve) {
            lowest = std::min({lowest, segment.start.y, segment.end.y});
        }
    }
    return lowest;
}

// FNV-1a over every field of every record, in list order, with the curve and segment counts: any
// change of a single bit of the output changes it.
class RecordHash {
  public:
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes) {
            hash = (hash ^ byte) * 0x100000001b3ULL;
        }
    }
    void Add(SDPoint point) {
        Add(point.x);
        Add(point.y);
    }
    std::uint64_t Value() const { return hash; }

  private:
    std::uint64_t hash = 0xcbf29ce484222325ULL;
};

std::uint64_t OutputHash(const std::string& text, const std::string& font, double height, double charSpace,
                         double lineSpace, double widthRatio) {
    CDbList<CFileCurve*> list;
    _text_create(nullptr, text, 0, font, height, charSpace, lineSpace, widthRatio, &list);
    RecordHash hash;
    hash.Add(list.GetCount());
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        const CFileCurve& curve = *node->value;
        hash.Add(curve.type);
        hash.Add(curve.extra);
        hash.Add(curve.segments.GetCount());
        for (auto* at = curve.segments.head->next; at != curve.segments.head; at = at->next) {
            const CFileLine& s = at->value;
            for (auto word : {s.type, s.attr1, s.attr2, s.nodeSelected, s.startJoint, s.endJoint}) {
                hash.Add(word);
            }
            for (SDPoint point : {s.start, s.end, s.ctrl1, s.ctrl2}) {
                hash.Add(point);
            }
            hash.Add(s.scratch);
        }
        delete node->value;
    }
    return hash.Value();
}

class TrueTypeTextTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }
};

TEST_F(TrueTypeTextTest, TextsEqualFreeTypesOutlinesThroughTheLayoutRules) {
    struct Case {
        const char* text;
        std::vector<std::string> linesBottomFirst;
        double height, charSpace, widthRatio;
    };
    const Case cases[] = {
        {"A\nB", {"B", "A"}, 8.0, 0.0, 1.0},
        {"A\n", {"", "A"}, 8.0, 0.0, 1.0},
        {"AB", {"AB"}, 8.0, 1.5, 0.5},
        {"Hi there", {"Hi there"}, 12.5, 0.0, 1.0},
        {"VA\n\nW", {"W", "", "VA"}, 3.0, 0.25, 0.0},
    };
    ReferenceLayout reference;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Curves curves = CreateText(c.text, 0, "DejaVu Sans", c.height, c.charSpace, 0.0, c.widthRatio);
        ASSERT_FALSE(curves.empty());
        ExpectSameCurves(curves, reference.Build(c.linesBottomFirst, c.height, c.charSpace,
                                                 c.widthRatio > 0 ? c.widthRatio : 1.0));
        ExpectClosed(curves);
    }
}

TEST_F(TrueTypeTextTest, LowerLineSitsOnTheOriginAndTheUpperOneLineStepHigher) {
    const Curves curves = CreateText("A\nB", 0, "DejaVu Sans", 8.0);
    // B has three contours and a flat bottom on the baseline; A's feet sit on its own baseline.
    ASSERT_EQ(curves.size(), 5u);
    const Curves upper(curves.begin() + 3, curves.end());
    const double lineStepMm = (1901 + 483) * 8 * 0.01 * 8.0 * 138.8888888888889 / 16384;
    EXPECT_NEAR(LowestY(Curves(curves.begin(), curves.begin() + 3)), 0.0, 1e-9);
    EXPECT_NEAR(LowestY(upper), lineStepMm, 1e-9);
}

TEST_F(TrueTypeTextTest, EquivalentInputsGiveTheSameCurves) {
    struct Case {
        const char* name;
        Curves first;
        Curves second;
    };
    const Case cases[] = {
        {"height rounded to 0.001", CreateText("Ag", 0, "DejaVu Sans", 10.0004), CreateText("Ag", 0, "DejaVu Sans", 10.0)},
        {"trailing space only moves the pen", CreateText("Ag ", 0, "DejaVu Sans", 5.0), CreateText("Ag", 0, "DejaVu Sans", 5.0)},
        {"a missing Hebrew letter comes from the fallback face", CreateText("\u05d0", 0, "DejaVu Serif", 5.0),
         CreateText("\u05d0", 0, "DejaVu Sans", 5.0)},
        {"width ratio 0 counts as 1", CreateText("Ag", 0, "DejaVu Sans", 5.0, 0, 0, 0.0),
         CreateText("Ag", 0, "DejaVu Sans", 5.0, 0, 0, 1.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(c.first.empty());
        ExpectSameCurves(c.first, c.second);
    }
}

TEST_F(TrueTypeTextTest, CharacterNoFaceHoldsIsTheFallbacksMissingGlyph) {
    const Curves middle = CreateText("中", 0, "DejaVu Sans", 5.0);
    ASSERT_FALSE(middle.empty());
    ExpectClosed(middle);
    ExpectSameCurves(middle, CreateText("文", 0, "DejaVu Sans", 5.0));
}

TEST_F(TrueTypeTextTest, CompactFontOutlinesAreCubicBeziers) {
    const Curves curves = CreateText("O", 0, "Cantarell", 10.0);
    ASSERT_EQ(curves.size(), 2u);
    ExpectClosed(curves);
    for (const auto& curve : curves) {
        for (const CFileLine& segment : curve) {
            EXPECT_TRUE(segment.IsBezier());
        }
    }
}

TEST_F(TrueTypeTextTest, TextsThatDrawNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    struct Case {
        const char* name;
        Curves curves;
    };
    const Case cases[] = {
        {"empty", CreateText("", 0, "DejaVu Sans", 8.0)},
        {"blank", CreateText(" \t\n \r\n", 0, "DejaVu Sans", 8.0)},
        {"height rounding to 0", CreateText("A", 0, "DejaVu Sans", 0.0004)},
        {"negative height", CreateText("A", 0, "DejaVu Sans", -3.0)},
        {"height NaN", CreateText("A", 0, "DejaVu Sans", nan)},
        {"character space infinite", CreateText("AB", 0, "DejaVu Sans", 8.0, infinity)},
        {"line space NaN", CreateText("A\nB", 0, "DejaVu Sans", 8.0, 0.0, nan)},
        {"width ratio NaN", CreateText("A", 0, "DejaVu Sans", 8.0, 0.0, 0.0, nan)},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.curves.empty()) << c.name;
    }
}

TEST_F(TrueTypeTextTest, AnyNonZeroShxFlagTakesTheFontNameAsAnShxFile) {
    testing::InstallFont("box.shx", testing::IndexLayoutFont({{'A', {'A', 1, 0x34, 0x40, 2, 0}}}));
    const Curves one = CreateText("A", 1, "box.shx", 6.0);
    ASSERT_EQ(one.size(), 1u);
    ExpectSameCurves(CreateText("A", 2, "box.shx", 6.0), one);
}

TEST_F(TrueTypeTextTest, FacesKeptBetweenTextsDrawAsFreshlyOpenedOnes) {
    const Curves first = CreateText("Ag\u05d0", 0, "DejaVu Sans", 6.0);
    ASSERT_FALSE(first.empty());
    // More families than are kept open, so that the first face is closed and opened again.
    for (const char* family : {"DejaVu Serif", "Cantarell", "No Such Family", "Another Missing Family", "Sans"}) {
        EXPECT_FALSE(CreateText("Ag", 0, family, 6.0).empty()) << family;
    }
    ExpectSameCurves(CreateText("Ag\u05d0", 0, "DejaVu Sans", 6.0), first);
    ExpectSameCurves(CreateText("Ag\u05d0", 0, "DejaVu Sans", 6.0), first);
    Curves onOtherThread;
    std::thread([&] { onOtherThread = CreateText("Ag\u05d0", 0, "DejaVu Sans", 6.0); }).join();
    ExpectSameCurves(onOtherThread, first);
}

// Long texts pinned bit for bit: repeated glyphs, every kind of gap, a fallback face and its missing
// glyph, width ratios and spacing, quadratic and cubic outlines.
TEST_F(TrueTypeTextTest, LongMixedTextsKeepTheirExactCurves) {
    std::string mixed;
    for (int copy = 0; copy < 6; ++copy) {
        mixed += "Ünïcødé ÀÉÎ ñ ß\tTab\r\nGreek αβγ Ωμέγα\nHebrew \u05d0\u05d1\u05d2 中文\n\n  {braces} 0123456789 "
                 ".,;:!? @#$%&*() \xff\n";
    }
    std::string pangrams;
    for (int copy = 0; copy < 20; ++copy) {
        pangrams += "The quick brown fox jumps over the lazy dog 0123456789, PACK MY BOX WITH FIVE DOZEN JUGS.\n";
    }
    struct Case {
        const char* name;
        const std::string& text;
        const char* font;
        double height, charSpace, lineSpace, widthRatio;
        std::uint64_t hash;
    };
    const Case cases[] = {
        {"pangrams", pangrams, "DejaVu Sans", 8.0, 0.0, 0.0, 1.0, 0xd858ad4ea7db81f4ULL},
        {"mixed, stretched and spaced", mixed, "DejaVu Serif", 7.5, 0.3, 2.5, 0.7, 0x6454f45ec61e8bc9ULL},
        {"cubic outlines", pangrams, "Cantarell", 10.0, -0.2, -1.0, 1.3, 0xc6accf03baf0ad24ULL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OutputHash(c.text, c.font, c.height, c.charSpace, c.lineSpace, c.widthRatio), c.hash) << c.name;
    }
}

TEST(GlyphOutlineToCurves, RecordsOverrunningTheirPolygonEndTheWalk) {
    // One polygon header claiming more bytes than there are, then one whose record claims more points.
    std::vector<std::uint8_t> records = {0xFF, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CurveList curves;
    GlyphOutlineToCurves(records, 0, 0, 1.0, curves);
    EXPECT_TRUE(curves.empty());
    records = {24, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 9, 0, 0, 0, 1, 0, 0, 0, 1, 0};
    GlyphOutlineToCurves(records, 0, 0, 1.0, curves);
    EXPECT_TRUE(curves.empty());
}

}  // namespace
}  // namespace letterforge
