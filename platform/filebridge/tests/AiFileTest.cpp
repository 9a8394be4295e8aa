#include <gtest/gtest.h>

#include <cstdlib>

#include "ExportTestSupport.h"

namespace filebridge::testing {
namespace {

TEST(AiFileTest, RoundTripKeepsSegmentsWithinAThousandthMmAndColours) {
    ScratchFolder folder;
    const std::vector<ExportCurve> drawing = ThreeColourDrawing();
    const ImportOutcome outcome = ImportPath(WriteAiFile(folder, drawing), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    ASSERT_EQ(outcome.records.size(), drawing.size());
    for (std::size_t i = 0; i < drawing.size(); ++i) {
        const auto& curve = static_cast<const CFileCurve&>(*outcome.records[i]);
        EXPECT_EQ(static_cast<std::uint32_t>(curve.extra), drawing[i].colour);
        const std::vector<CFileLine> segments = SegmentsOf(curve);
        ASSERT_EQ(segments.size(), drawing[i].segments.size());
        for (std::size_t j = 0; j < segments.size(); ++j) {
            const CFileLine& a = segments[j];
            const CFileLine& b = drawing[i].segments[j];
            EXPECT_EQ(a.type, b.type);
            for (const auto& [p, q] : {std::pair{a.start, b.start}, {a.end, b.end}}) {
                EXPECT_NEAR(p.x, q.x, 0.001);
                EXPECT_NEAR(p.y, q.y, 0.001);
            }
            if (a.IsBezier()) {
                EXPECT_NEAR(a.ctrl1.x, b.ctrl1.x, 0.001);
                EXPECT_NEAR(a.ctrl2.y, b.ctrl2.y, 0.001);
            }
        }
    }
}

TEST(AiFileTest, TrailerStatesTheBoundingBoxInPoints) {
    ScratchFolder folder;
    const std::string text = ReadFile(WriteAiFile(folder, ThreeColourDrawing()));
    EXPECT_NE(text.find("%%BoundingBox: (atend)"), std::string::npos);
    // x from -12.3 mm, y from -20 mm (a control point), to 120.5 mm and 40 mm.
    EXPECT_NE(text.find("%%Trailer\n%%BoundingBox: -35 -57 342 114\n"), std::string::npos) << text;
}

TEST(AiFileTest, GhostscriptRunsTheExportedFile) {
    if (std::system("command -v gs > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "ghostscript not installed";
    }
    ScratchFolder folder;
    const std::string path = WriteAiFile(folder, ThreeColourDrawing());
    const std::string command = "gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=bbox " + path + " 2> " +
                                folder.File("bbox.txt") + " > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_NE(ReadFile(folder.File("bbox.txt")).find("%%BoundingBox:"), std::string::npos);
}

struct AiCase {
    const char* name;
    const char* body;
    std::size_t curves;
    std::uint32_t colour;  // of the first curve
};

TEST(AiReaderTest, PaintsPathsInTheirColourAndSkipsTheRest) {
    const AiCase cases[] = {
        {"stroke colour from K", "0 0 0 1 K 0 0 m 72 0 l S", 1, 0x000000},
        {"fill colour from Xa", "1 0 0 Xa 0 0 m 72 0 l 72 72 l f", 1, 0x0000FF},
        {"grey stroke", "0.5 G 0 0 m 10 10 l S", 1, 0x808080},
        {"custom colour with tint", "0 1 1 0 (Red) 0 X 0 0 m 10 0 l S", 1, 0x0000FF},
        {"unpainted path discarded", "0 0 m 10 10 l n 0 0 m 5 5 l S", 1, 0xABCDEF},
        {"v and y curves", "0 0 m 10 10 20 0 v 30 10 40 0 y S", 1, 0xABCDEF},
        {"prolog definitions are not drawing", "/m {moveto} bind def /x {1 2 m 3 4 l S} def (a) pop", 0, 0},
        {"two subpaths", "0 0 m 10 0 l 20 0 m 30 0 l S", 2, 0xABCDEF},
    };
    for (const AiCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportOutcome outcome = ImportBytes(FileKind::kAi, std::string("%!PS-Adobe-3.0\n") + c.body, TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        ASSERT_EQ(curves.size(), c.curves);
        if (!curves.empty()) {
            EXPECT_EQ(curves[0].colour, c.colour);
        }
    }
}

// The last cut falls inside the trailer's bounding box, which the header deferred with "(atend)".
TEST(AiReaderTest, FileCutShortIsRefused) {
    ScratchFolder folder;
    const std::string whole = ReadFile(WriteAiFile(folder, ThreeColourDrawing()));
    const std::size_t trailerBox = whole.rfind("%%BoundingBox: -35");
    ASSERT_NE(trailerBox, std::string::npos);
    ExpectRefusedWhenCut("ai", whole, ThreeColourDrawing().size(), whole.size() - trailerBox - 20);
}

// What a file announces is what it must hold; a file that announces nothing has no end to check.
TEST(AiReaderTest, AnnouncedPartsMustBeThere) {
    const std::string body = "0 0 m 72 0 l S\n";
    const std::pair<std::string, bool> cases[] = {
        {"%!PS-Adobe-3.0\n" + body, true},
        {"%!PS-Adobe-3.0\n%%EndComments\n" + body + "%%Trailer\n", true},
        {"%!PS-Adobe-3.0\n%%EndComments\n" + body, false},
        {"%!PS-Adobe-3.0\n%%BoundingBox: (atend)\n" + body + "%%Trailer\n%%BoundingBox: 0 0 72 1\n", true},
        {"%!PS-Adobe-3.0\n%%BoundingBox: (atend)\n" + body + "%%Trailer\n", false},
        {"%!PS-Adobe-3.0\n%%BeginProlog\n%%BeginResource: procset p\n%%EndResource\n%%EndProlog\n" + body, true},
        {"%!PS-Adobe-3.0\n%%BeginProlog\n%%BeginResource: procset p\n%%EndProlog\n" + body, true},
        {"%!PS-Adobe-3.0\n%%BeginProlog\n%%BeginResource: procset p\n%%EndResource\n" + body, false},
        {"%!PS-Adobe-2.0\n%%EndComments\n" + body + "%%Trailer\n%EOF\n%%EndDocument\n", true},
    };
    for (const auto& [text, whole] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kAi, text, TestOptions());
        EXPECT_EQ(outcome.Succeeded(), whole) << text << outcome.failure;
    }
}

TEST(AiReaderTest, RefusesPdfAndPoison) {
    for (const char* text : {"%PDF-1.5\n1 0 obj", "%!PS\n0 0 m 1e308 0 l S", "%!PS\n0 0 m nan 0 l S"}) {
        EXPECT_FALSE(ImportBytes(FileKind::kAi, text, TestOptions()).Succeeded()) << text;
    }
}

TEST(AiReaderTest, ImportsThePsToEditFiles) {
    if (std::system("command -v pstoedit > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pstoedit not installed";
    }
    ScratchFolder folder;
    const std::string ps = folder.Write("in.ps", "%!PS\nnewpath 72 72 moveto 144 72 lineto 144 144 lineto closepath "
                                                 "1 0 0 setrgbcolor stroke\nnewpath 200 200 50 0 360 arc stroke\nshowpage\n");
    for (const auto& [format, name] : {std::pair{"ps2ai", "out.ai"}, std::pair{"hpgl", "out.plt"}}) {
        SCOPED_TRACE(format);
        const std::string out = folder.File(name);
        const std::string command = std::string("pstoedit -q -f ") + format + " " + ps + " " + out + " > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const ImportOutcome outcome = ImportPath(out, TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const Box box = BoxOf(CurvesOf(outcome));
        // The triangle starts at 1 inch; the circle reaches 250 points.
        EXPECT_NEAR(box.x2 - box.x1, (250.0 - 72.0) * 25.4 / 72.0, 1.0);
    }
}

}  // namespace
}  // namespace filebridge::testing
