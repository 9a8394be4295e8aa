#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "AciPalette.h"
#include "DxfText.h"
#include "ImportTestSupport.h"
#include "TestFontConfig.h"

namespace filebridge::testing {
namespace {

// Writes the drawing with the DXF library of the system's Python, and beside it that library's own
// reading of the drawing: its tight box ("B x1 y1 x2 y2") and points along every primitive ("P x y").
constexpr const char* kScriptHead = R"(import sys, ezdxf
from ezdxf import bbox, disassemble
from ezdxf.math import Vec3
doc = ezdxf.new('R2010')
msp = doc.modelspace()
)";
constexpr const char* kScriptTail = R"(
doc.saveas(sys.argv[1])
with open(sys.argv[2], 'w') as out:
    box = bbox.extents(msp)
    if box.has_data:
        out.write('B %.9f %.9f %.9f %.9f\n' % (box.extmin.x, box.extmin.y, box.extmax.x, box.extmax.y))
    for p in disassemble.to_primitives(disassemble.recursive_decompose(msp), 0.0005):
        for v in p.vertices():
            out.write('P %.9f %.9f\n' % (v.x, v.y))
)";

struct Reference {
    bool hasBox = false;
    Box box;
    std::vector<SDPoint> points;
};

class DxfReaderTest : public ::testing::Test {
  protected:
    static bool HasPythonLibrary() {
        return std::system("/usr/bin/python3 -c 'import ezdxf' > /dev/null 2>&1") == 0;
    }

    // The DXF file's path; `reference` gets the library's reading.
    std::string Make(const std::string& name, const std::string& body, Reference& reference) {
        const std::string script = folder_.Write(name + ".py", std::string(kScriptHead) + body + kScriptTail);
        const std::string dxf = folder_.File(name + ".dxf"), expected = folder_.File(name + ".txt");
        const std::string command = "/usr/bin/python3 " + script + " " + dxf + " " + expected;
        EXPECT_EQ(std::system(command.c_str()), 0) << body;
        std::istringstream lines(ReadFile(expected));
        std::string tag;
        while (lines >> tag) {
            if (tag == "B") {
                lines >> reference.box.x1 >> reference.box.y1 >> reference.box.x2 >> reference.box.y2;
                reference.hasBox = true;
            } else {
                SDPoint p;
                lines >> p.x >> p.y;
                reference.points.push_back(p);
            }
        }
        return dxf;
    }

    ScratchFolder folder_;
};

struct ShapeCase {
    const char* name;
    const char* body;
    int closed;  // 1 every curve closed, 0 none, -1 some
};

TEST_F(DxfReaderTest, ShapesMatchTheReferenceReading) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    const ShapeCase cases[] = {
        {"line", "msp.add_line((1, 2), (30, -4))", 0},
        {"circle", "msp.add_circle((10, 5), 7.5)", 1},
        {"arc across zero degrees", "msp.add_arc((3, 4), 20, 300, 45)", 0},
        {"lwpolyline with bulges of both signs",
         "msp.add_lwpolyline([(0, 0, 0.5), (20, 0, -1.0), (40, 0, 2.5), (40, 20, 0), (0, 20, -0.3)], "
         "format='xyb', close=True)",
         1},
        {"old-style 2d polyline", "msp.add_polyline2d([(0, 0), (10, 5), (20, 0)])", 0},
        {"full ellipse turned", "msp.add_ellipse((5, 5), major_axis=(10, 6), ratio=0.4)", 1},
        {"elliptic arc",
         "msp.add_ellipse((0, 0), major_axis=(0, 12), ratio=0.5, start_param=0.3, end_param=4.0)", 0},
        {"open cubic spline",
         "msp.add_open_spline([(0, 0), (10, 20), (20, -5), (30, 10), (45, 0), (50, 12)])", 0},
        {"quadratic spline", "msp.add_open_spline([(0, 0), (10, 20), (20, -5), (30, 10)], degree=2)", 0},
        {"rational spline", "msp.add_rational_spline([(0, 0), (10, 20), (20, -5), (30, 10)], [1, 3, 0.5, 1])",
         0},
        {"degree 5 spline",
         "msp.add_open_spline([(0, 0), (5, 9), (10, -3), (15, 8), (20, 1), (25, 7), (30, 0)], "
         "degree=5)",
         0},
        {"spline from a control frame", "msp.add_spline_control_frame([(0, 0), (10, 8), (20, 0), (30, 5)])",
         0},
        {"extrusion 0 0 -1",
         "msp.add_circle((10, 5), 3, dxfattribs={'extrusion': (0, 0, -1)})\n"
         "msp.add_arc((10, 5), 6, 0, 90, dxfattribs={'extrusion': (0, 0, -1)})\n"
         "msp.add_lwpolyline([(0, 0, 0.4), (8, 3)], format='xyb', dxfattribs={'extrusion': (0, 0, -1)})",
         -1},
        {"tilted extrusion", "msp.add_circle((2, 3), 5, dxfattribs={'extrusion': (0.3, 0.2, 0.9)})", 1},
        {"nested mirrored inserts",
         "inner = doc.blocks.new('INNER', base_point=(1, 1))\n"
         "inner.add_lwpolyline([(0, 0, 0.3), (5, 0), (5, 3)], format='xyb')\n"
         "inner.add_circle((2, 2), 1.5)\n"
         "outer = doc.blocks.new('OUTER')\n"
         "outer.add_blockref('INNER', (10, 0), dxfattribs={'xscale': -1, 'rotation': 30})\n"
         "outer.add_line((0, 0), (3, 4))\n"
         "msp.add_blockref('OUTER', (100, 50), dxfattribs={'xscale': 2, 'yscale': -2, 'rotation': 75})\n"
         "msp.add_blockref('OUTER', (0, 0), dxfattribs={'extrusion': (0, 0, -1)})",
         -1},
        {"minsert",
         "b = doc.blocks.new('B')\nb.add_circle((0, 0), 1)\n"
         "msp.add_blockref('B', (5, 5), dxfattribs={'column_count': 3, 'row_count': 2, "
         "'column_spacing': 4, 'row_spacing': 6, 'rotation': 20})",
         1},
    };
    for (const ShapeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reference reference;
        const std::string path = Make("case", c.body, reference);
        const ImportOutcome outcome = ImportPath(path, TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        ASSERT_FALSE(curves.empty());
        const Box box = BoxOf(curves);
        ASSERT_TRUE(reference.hasBox);
        EXPECT_NEAR(box.x1, reference.box.x1, 0.01);
        EXPECT_NEAR(box.y1, reference.box.y1, 0.01);
        EXPECT_NEAR(box.x2, reference.box.x2, 0.01);
        EXPECT_NEAR(box.y2, reference.box.y2, 0.01);
        double worst = 0.0;
        for (const SDPoint p : reference.points) {
            worst = std::max(worst, DistanceToPolylines(p, curves));
        }
        EXPECT_LE(worst, 0.01);
        for (const Polyline& curve : curves) {
            EXPECT_TRUE(c.closed < 0 || curve.closed == (c.closed == 1));
        }
    }
}

// An arc mirrored inside one insert and scaled unevenly and turned by another: its box, sampled from the
// arc's equation through both placements, is (103.6686, 63.7279) to (105.7080, 69.4522).
TEST_F(DxfReaderTest, ArcThroughMirroredAndUnevenInsertsKeepsItsShape) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    Reference reference;
    const std::string path =
        Make("nested-arc",
             "inner = doc.blocks.new('INNER', base_point=(1, 1))\n"
             "inner.add_arc((2, 2), 1.5, 10, 200)\n"
             "outer = doc.blocks.new('OUTER')\n"
             "outer.add_blockref('INNER', (10, 0), dxfattribs={'xscale': -1, 'rotation': 30})\n"
             "msp.add_blockref('OUTER', (100, 50), dxfattribs={'xscale': 2, 'yscale': -0.5, "
             "'rotation': 75})",
             reference);
    const ImportOutcome outcome = ImportPath(path, TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const Box box = BoxOf(CurvesOf(outcome));
    EXPECT_NEAR(box.x1, 103.6686, 0.001);
    EXPECT_NEAR(box.y1, 63.7279, 0.001);
    EXPECT_NEAR(box.x2, 105.7080, 0.001);
    EXPECT_NEAR(box.y2, 69.4522, 0.001);
}

TEST_F(DxfReaderTest, FitPointSplinePassesThroughItsPoints) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    Reference reference;
    const std::string path = Make("fit", "msp.add_spline([(0, 0), (10, 8), (20, 0), (30, 5)])", reference);
    const ImportOutcome outcome = ImportPath(path, TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const std::vector<Polyline> curves = CurvesOf(outcome);
    for (const SDPoint p : {SDPoint{0, 0}, SDPoint{10, 8}, SDPoint{20, 0}, SDPoint{30, 5}}) {
        EXPECT_LE(DistanceToPolylines(p, curves), 1e-9);
    }
}

TEST_F(DxfReaderTest, ColoursResolveThroughLayersAndBlocks) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    Reference reference;
    const std::string path = Make("colours",
                                  "doc.layers.add('CYAN', color=4)\n"
                                  "doc.layers.add('TRUE', true_color=0x123456)\n"
                                  "msp.add_line((0, 0), (1, 0), dxfattribs={'color': 1})\n"
                                  "msp.add_line((0, 1), (1, 1), dxfattribs={'color': 7})\n"
                                  "msp.add_line((0, 2), (1, 2), dxfattribs={'true_color': 0xFF8000})\n"
                                  "msp.add_line((0, 3), (1, 3), dxfattribs={'layer': 'CYAN'})\n"
                                  "msp.add_line((0, 4), (1, 4), dxfattribs={'color': 135})\n"
                                  "b = doc.blocks.new('B')\n"
                                  "b.add_line((0, 5), (1, 5), dxfattribs={'color': 0})\n"
                                  "msp.add_blockref('B', (0, 0), dxfattribs={'color': 3})\n"
                                  "msp.add_point((7, 8), dxfattribs={'color': 5})",
                                  reference);
    ImportOptions options = TestOptions();
    options.mmPerDxfUnit = 25.4;
    const ImportOutcome outcome = ImportPath(path, options);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    std::vector<std::uint32_t> colours;
    const CFilePoint* point = nullptr;
    for (const auto& record : outcome.records) {
        if (record->type == CFileDraw::kCurve) {
            colours.push_back(static_cast<std::uint32_t>(static_cast<const CFileCurve&>(*record).extra));
        } else if (record->type == CFileDraw::kPoint) {
            point = static_cast<const CFilePoint*>(record.get());
        }
    }
    const std::vector<std::uint32_t> expected = {RgbColour(255, 0, 0),     0,
                                                 RgbColour(0xFF, 0x80, 0), RgbColour(0, 255, 255),
                                                 AciColour(135),           RgbColour(0, 255, 0)};
    EXPECT_EQ(colours, expected);
    EXPECT_EQ(AciColour(8), RgbColour(128, 128, 128));
    ASSERT_NE(point, nullptr);
    EXPECT_NEAR(point->x, 7 * 25.4, 1e-9);
    EXPECT_NEAR(point->y, 8 * 25.4, 1e-9);
    EXPECT_EQ(static_cast<std::uint32_t>(point->value), RgbColour(0, 0, 255));
}

TEST_F(DxfReaderTest, SkipsPaperSpaceDimensionsAndHatches) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    Reference reference;
    const std::string path =
        Make("skipped",
             "msp.add_line((0, 0), (10, 0))\n"
             "doc.layout('Layout1').add_line((0, 0), (99, 99))\n"
             "msp.add_linear_dim(base=(0, 5), p1=(0, 0), p2=(10, 0)).render()\n"
             "h = msp.add_hatch(color=2)\nh.paths.add_polyline_path([(0, 0), (5, 0), (5, 5)])",
             reference);
    const ImportOutcome outcome = ImportPath(path, TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const std::vector<Polyline> curves = CurvesOf(outcome);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_NEAR(BoxOf(curves).x2, 10.0, 1e-9);
}

TEST_F(DxfReaderTest, TextIsDrawnOnlyWhenAsked) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    platform::testing::UseTestFontConfig();
    Reference reference;
    const std::string path =
        Make("text",
             "msp.add_text('AB', dxfattribs={'height': 10, 'insert': (5, 5)})\n"
             "msp.add_mtext('C\\\\PD', dxfattribs={'char_height': 5, 'insert': (0, -20)})",
             reference);
    ImportOptions options = TestOptions();
    EXPECT_TRUE(ImportPath(path, options).records.empty());
    options.drawDxfText = true;
    const ImportOutcome outcome = ImportPath(path, options);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    const std::vector<Polyline> curves = CurvesOf(outcome);
    ASSERT_FALSE(curves.empty());
    const Box box = BoxOf(curves);
    EXPECT_NEAR(box.y2, 15.0, 1.0);  // capital height 10 above the baseline at 5
    EXPECT_GT(box.x2, 15.0);         // two letters
    EXPECT_LT(box.y1, -30.0);        // the MTEXT's second line, below its first under the top at -20
}

// The records of a drawing as one number: kind, colour and every field of every segment in order, the
// coordinates to a nanometre. Work on the reader's speed must leave it as it is.
std::uint64_t RecordDigest(const ImportOutcome& outcome) {
    std::uint64_t digest = 14695981039346656037ULL;
    const auto mix = [&digest](std::int64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            digest = (digest ^ ((static_cast<std::uint64_t>(value) >> (8 * byte)) & 0xFF)) * 1099511628211ULL;
        }
    };
    const auto mixPoint = [&mix](SDPoint p) {
        mix(std::llround(p.x * 1e6));
        mix(std::llround(p.y * 1e6));
    };
    for (const auto& record : outcome.records) {
        mix(record->type);
        if (record->type == CFileDraw::kPoint) {
            const auto& point = static_cast<const CFilePoint&>(*record);
            mixPoint({point.x, point.y});
            mix(point.value);
            continue;
        }
        const auto& curve = static_cast<const CFileCurve&>(*record);
        mix(curve.extra);
        for (const CFileLine& segment : SegmentsOf(curve)) {
            mix(segment.type);
            mixPoint(segment.start);
            mixPoint(segment.end);
            mixPoint(segment.ctrl1);
            mixPoint(segment.ctrl2);
        }
    }
    return digest;
}

TEST_F(DxfReaderTest, EveryKindGivesTheRecordsOfItsStoredDigest) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    platform::testing::UseTestFontConfig();
    Reference reference;
    const std::string path =
        Make("every-kind",
             "doc.layers.add('CYAN', color=4)\n"
             "msp.add_line((1, 2), (30, -4), dxfattribs={'color': 1})\n"
             "msp.add_circle((10, 5), 7.5, dxfattribs={'layer': 'CYAN'})\n"
             "msp.add_arc((3, 4), 20, 300, 45, dxfattribs={'true_color': 0xFF8000})\n"
             "msp.add_lwpolyline([(0, 0, 0.5), (20, 0, -1.0), (40, 0, 2.5), (40, 20, 0), (0, 20, -0.3)], "
             "format='xyb', close=True)\n"
             "msp.add_polyline2d([(0, 0), (10, 5), (20, 0)], close=True)\n"
             "msp.add_ellipse((5, 5), major_axis=(10, 6), ratio=0.4, start_param=0.3, end_param=4.0)\n"
             "msp.add_open_spline([(0, 0), (10, 20), (20, -5), (30, 10), (45, 0), (50, 12)])\n"
             "msp.add_rational_spline([(0, 0), (10, 20), (20, -5), (30, 10)], [1, 3, 0.5, 1])\n"
             "msp.add_spline([(0, 0), (10, 8), (20, 0), (30, 5)])\n"
             "msp.add_point((7, 8), dxfattribs={'color': 5})\n"
             "msp.add_circle((2, 3), 5, dxfattribs={'extrusion': (0.3, 0.2, 0.9)})\n"
             "msp.add_text('AB', dxfattribs={'height': 10, 'insert': (5, 5), 'rotation': 15})\n"
             "msp.add_mtext('C\\\\PD', dxfattribs={'char_height': 5, 'insert': (0, -20)})\n"
             "inner = doc.blocks.new('INNER', base_point=(1, 1))\n"
             "inner.add_lwpolyline([(0, 0, 0.3), (5, 0), (5, 3)], format='xyb', dxfattribs={'color': 0})\n"
             "inner.add_circle((2, 2), 1.5)\n"
             "inner.add_point((1, 2))\n"
             "outer = doc.blocks.new('OUTER')\n"
             "outer.add_blockref('INNER', (10, 0), dxfattribs={'xscale': -1, 'rotation': 30, 'color': 6})\n"
             "outer.add_arc((0, 0), 4, 10, 200, dxfattribs={'layer': 'CYAN'})\n"
             "msp.add_blockref('OUTER', (100, 50), dxfattribs={'xscale': 2, 'yscale': -2, 'rotation': 75})\n"
             "msp.add_blockref('OUTER', (0, 0), dxfattribs={'extrusion': (0, 0, -1), 'color': 2})\n"
             "msp.add_blockref('INNER', (5, 5), dxfattribs={'column_count': 3, 'row_count': 2, "
             "'column_spacing': 4, 'row_spacing': 6, 'rotation': 20})",
             reference);
    ImportOptions options = TestOptions();
    options.drawDxfText = true;
    options.mmPerDxfUnit = 25.4;
    const ImportOutcome outcome = ImportPath(path, options);
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    EXPECT_EQ(outcome.records.size(), 45u);  // each contour of a letter is a curve of its own
    EXPECT_EQ(RecordDigest(outcome), 5242847603532416275u);
}

}  // namespace
}  // namespace filebridge::testing

namespace filebridge::testing {
namespace {

constexpr const char* kTextStyles =
    "doc.layers.add('RED', color=1)\n"
    "doc.layers.add('BLUE', color=5)\n"
    "doc.styles.new('SERIF', dxfattribs={'font': 'DejaVuSerif.ttf'})\n"
    "doc.styles.new('MONO', dxfattribs={'font': 'DejaVuSansMono.ttf'})\n"
    "doc.styles.new('UNKNOWN', dxfattribs={'font': 'nosuchfont.shx'})\n";

struct TextCase {
    const char* name;
    const char* body;
    std::size_t curves;  // one per closed contour of the glyphs
    int aci;             // colour of every curve, by the layer
    Box box;             // of the ink, mm; stored from a reading that was looked at
    std::size_t leftOut;
    bool textsOn = true;
};

// Texts never reached the drawing through Import: every text below comes as the outlines of its letters,
// in its layer's colour and where its placement puts it; one that cannot be made is named, not dropped.
TEST_F(DxfReaderTest, TextsBecomeLetterOutlinesOnTheirLayers) {
    if (!HasPythonLibrary()) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    platform::testing::UseTestFontConfig();
    const TextCase cases[] = {
        {"serif text at its baseline",
         "msp.add_text('CUTRIX', dxfattribs={'height': 10, 'style': 'SERIF', 'layer': 'RED', 'insert': (10, "
         "20)})",
         7,
         1,
         {10.780, 19.803, 67.359, 30.308},
         0},
        {"serif text turned a quarter",
         "msp.add_text('CUTRIX', dxfattribs={'height': 10, 'style': 'SERIF', 'layer': 'RED', 'insert': (10, "
         "20), "
         "'rotation': 90})",
         7,
         1,
         {-0.308, 20.780, 10.197, 77.359},
         0},
        {"mono text right-aligned and turned",
         "msp.add_text('Ab8', dxfattribs={'height': 5, 'style': 'MONO', 'layer': 'BLUE', 'rotation': 30})"
         ".set_placement((100, 0), align=ezdxf.enums.TextEntityAlignment.BOTTOM_RIGHT)",
         7,
         5,
         {87.794, -6.439, 99.480, 3.986},
         0},
        {"paragraph text of two lines hanging from its top left",
         "msp.add_mtext('{\\\\fDejaVu Sans|b1;AB}\\\\PCD', dxfattribs={'char_height': 5, 'style': 'MONO', "
         "'layer': 'BLUE', 'insert': (0, -20)})",
         8,
         5,
         {0.054, -33.245, 9.786, -20.000},
         0},
        {"paragraph text turned, centred on its point",
         "msp.add_mtext('OK', dxfattribs={'char_height': 8, 'style': 'SERIF', 'layer': 'RED', 'insert': (50, "
         "50), "
         "'rotation': 45, 'attachment_point': 5})",
         3,
         1,
         {43.412, 42.050, 57.895, 58.984},
         0},
        {"unknown font falls back to the default face",
         "msp.add_text('HI', dxfattribs={'height': 4, 'style': 'UNKNOWN', 'layer': 'RED', 'insert': (0, 0)})",
         2,
         1,
         {0.545, 0.000, 5.271, 4.050},
         0},
        {"text left out while text import is off is named beside the line drawn",
         "msp.add_line((0, 0), (30, 0), dxfattribs={'layer': 'BLUE'})\n"
         "msp.add_text('GONE', dxfattribs={'height': 3, 'style': 'SERIF', 'layer': 'RED'})",
         1,
         5,
         {0, 0, 30, 0},
         1,
         false},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        Reference reference;
        const std::string path = Make("text", std::string(kTextStyles) + c.body, reference);
        ImportOptions options = TestOptions();
        options.drawDxfText = c.textsOn;
        const ImportOutcome outcome = ImportPath(path, options);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        EXPECT_EQ(curves.size(), c.curves);
        for (const Polyline& curve : curves) {
            EXPECT_EQ(curve.colour, AciColour(c.aci));
            EXPECT_TRUE(curve.closed || c.leftOut != 0);
        }
        const Box box = BoxOf(curves);
        EXPECT_NEAR(box.x1, c.box.x1, 0.01);
        EXPECT_NEAR(box.y1, c.box.y1, 0.01);
        EXPECT_NEAR(box.x2, c.box.x2, 0.01);
        EXPECT_NEAR(box.y2, c.box.y2, 0.01);
        EXPECT_EQ(outcome.leftOutCount, c.leftOut);
        ASSERT_EQ(outcome.leftOutNames.size(), c.leftOut);
        if (c.leftOut != 0) {
            EXPECT_NE(outcome.leftOutNames[0].find("TEXT \"GONE\" on layer RED"), std::string::npos)
                << outcome.leftOutNames[0];
            EXPECT_EQ(LastLeftOut(), outcome.leftOutNames[0] + "\n");
        }
    }
}

}  // namespace
}  // namespace filebridge::testing

namespace filebridge::testing {
namespace {

TEST(DxfTextTest, TextWithoutAUsableHeightMakesNothing) {
    for (const double height : {0.0, -2.0, std::nan("")}) {
        DxfTextEntity entity;
        entity.text = "AB";
        entity.height = height;
        std::vector<std::vector<CFileLine>> curves;
        EXPECT_FALSE(MakeDxfTextCurves(entity, curves)) << height;
        EXPECT_TRUE(curves.empty());
    }
}

TEST(DxfTextTest, ParagraphCodesLeaveThePlainText) {
    const std::pair<const char*, const char*> cases[] = {
        {"{\\fArial|b1;Bold} plain", "Bold plain"},
        {"one\\Ptwo", "one\ntwo"},
        {"\\LUnder\\l and \\H2.5x;tall", "Under and tall"},
        {"1\\S1/2; inch", "11/2 inch"},
        {"a\\~b \\\\ c", "a b \\ c"},
    };
    for (const auto& [text, plain] : cases) {
        EXPECT_EQ(MtextPlainText(text), plain) << text;
    }
}

TEST(DxfTextTest, StyleNamesTheFaceByItsFontFile) {
    EXPECT_EQ(StyleFontFamily("Standard", "C:\\Windows\\Fonts\\DejaVuSerif.ttf"), "DejaVuSerif");
    EXPECT_EQ(StyleFontFamily("Standard", "txt"), "txt");
    EXPECT_EQ(StyleFontFamily("Standard", ""), "Standard");
}

}  // namespace
}  // namespace filebridge::testing
