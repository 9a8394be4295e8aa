#include <gtest/gtest.h>

#include <array>

#include "Filebridge.h"
#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

std::string Dxf(const std::string& blocks, const std::string& entities) {
    std::string text;
    if (!blocks.empty()) {
        text += "0\nSECTION\n2\nBLOCKS\n" + blocks + "0\nENDSEC\n";
    }
    return text + "0\nSECTION\n2\nENTITIES\n" + entities + "0\nENDSEC\n0\nEOF\n";
}

std::string Block(const std::string& name, const std::string& entities) {
    return "0\nBLOCK\n8\n0\n2\n" + name + "\n70\n0\n10\n0\n20\n0\n30\n0\n3\n" + name + "\n" + entities +
           "0\nENDBLK\n8\n0\n";
}

std::string Insert(const std::string& name, int columns = 1, int rows = 1) {
    return "0\nINSERT\n8\n0\n2\n" + name + "\n10\n0\n20\n0\n30\n0\n70\n" + std::to_string(columns) +
           "\n71\n" + std::to_string(rows) + "\n44\n1\n45\n1\n";
}

std::string Line(const std::string& x2) {
    return "0\nLINE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n" + x2 + "\n21\n5\n31\n0\n";
}

std::string LwPolyline(const std::string& count) {
    return "0\nLWPOLYLINE\n8\n0\n90\n" + count + "\n70\n0\n10\n0\n20\n0\n10\n5\n20\n5\n";
}

std::string Spline(const std::string& group, const std::string& count) {
    return "0\nSPLINE\n8\n0\n70\n8\n71\n3\n" + group + "\n" + count + "\n10\n0\n20\n0\n30\n0\n";
}

TEST(FileImportTest, RefusesHostileAndDamagedFilesWithAReason) {
    const std::string good = Dxf(Block("B", Line("3")), Line("10") + Insert("B"));
    const std::pair<const char*, std::string> cases[] = {
        {"vertex count 2000000000", Dxf("", LwPolyline("2000000000"))},
        {"vertex count -5", Dxf("", LwPolyline("-5"))},
        {"vertex count beyond int", Dxf("", LwPolyline("99999999999999"))},
        {"knot count 2000000000", Dxf("", Spline("72", "2000000000"))},
        {"control count -1", Dxf("", Spline("73", "-1"))},
        {"fit count 2000000000", Dxf("", Spline("74", "2000000000"))},
        {"NaN coordinate", Dxf("", Line("nan"))},
        {"coordinate 1e308", Dxf("", Line("1e308"))},
        {"coordinate beyond 1000000 mm", Dxf("", Line("1000001"))},
        {"block inserting itself", Dxf(Block("A", Line("1") + Insert("A")), Insert("A"))},
        {"blocks inserting each other", Dxf(Block("A", Insert("C")) + Block("C", Insert("A")), Insert("A"))},
        {"100000 x 100000 MINSERT", Dxf(Block("B", Line("1")), Insert("B", 100000, 100000))},
        {"100000 x 100000 MINSERT of an empty block", Dxf(Block("E", ""), Insert("E", 100000, 100000))},
    };
    for (const auto& [name, text] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kDxf, text, TestOptions());
        EXPECT_FALSE(outcome.Succeeded()) << name;
        EXPECT_FALSE(outcome.failure.empty()) << name;
        EXPECT_TRUE(outcome.records.empty()) << name;
    }
    const ImportOutcome outcome = ImportBytes(FileKind::kDxf, good, TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    EXPECT_EQ(outcome.records.size(), 2u);
}

std::string Ellipse(const std::string& start, const std::string& end) {
    return "0\nELLIPSE\n8\n0\n10\n0\n20\n0\n30\n0\n11\n5\n21\n1\n31\n0\n40\n0.5\n41\n" + start + "\n42\n" +
           end + "\n";
}

// An ellipse whose end parameter lies before its start is drawn through a further turn; one whose end
// lies many turns before it is left out, promptly, and the rest of the file still imports. An end far
// after the start draws one whole turn; a sweep beyond any number is left out.
TEST(FileImportTest, EllipseParametersFarApartAreLeftOutWithoutStallingTheImport) {
    const std::pair<std::string, std::size_t> cases[] = {
        {Dxf("", Ellipse("5", "0.5") + Line("10")), 2},
        {Dxf("", Ellipse("6.6e109", "30") + Line("10")), 1},
        {Dxf("", Ellipse("1e300", "-1e300") + Line("10")), 1},
        {Dxf("", Ellipse("0.5", "3.67e29") + Line("10")), 2},
        {Dxf("", Ellipse("1e30", "1e30") + Line("10")), 2},
        {Dxf("", Ellipse("-1e308", "1e308") + Line("10")), 1},
    };
    for (const auto& [text, records] : cases) {
        const ImportOutcome outcome = ImportBytes(FileKind::kDxf, text, TestOptions());
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        EXPECT_EQ(outcome.records.size(), records);
    }
}

// A block, a line, a 2 x 2 array of the block and a polyline: six curves when whole.
TEST(FileImportTest, DxfCutShortIsRefused) {
    ExpectRefusedWhenCut("dxf", Dxf(Block("B", Line("3")), Line("10") + Insert("B", 2, 2) + LwPolyline("2")), 6, 4);
    const std::pair<const char*, std::string> damaged[] = {
        {"one byte", "0"},
        {"a section begun inside another", "0\nSECTION\n2\nENTITIES\n" + Line("10") + Dxf("", Line("5"))},
        {"a section open at EOF", "0\nSECTION\n2\nENTITIES\n" + Line("10") + "0\nEOF\n"},
    };
    for (const auto& [name, text] : damaged) {
        const ImportOutcome outcome = ImportBytes(FileKind::kDxf, text, TestOptions());
        EXPECT_EQ(outcome.failure.rfind(kCutShortReason, 0), 0u) << name << ": " << outcome.failure;
    }
}

// Every kind, cut after each tenth of its bytes: a failure or sound records, never a crash.
TEST(FileImportTest, FilesCutShortGiveFailureOrSoundRecords) {
    const std::string dst = std::string(512, ' ') + std::string("\x04\x00\x03\x00\x80\x03\x00\x00\xF3", 9);
    const std::pair<FileKind, std::string> files[] = {
        {FileKind::kDxf, Dxf(Block("B", Line("3")), Line("10") + Insert("B", 2, 2) + LwPolyline("2"))},
        {FileKind::kPlt, "IN;SP1;PU0,0;PD100,0,100,100,0,100;PU;SP0;"},
        {FileKind::kAi, "%!PS-Adobe-3.0\n/m {moveto} def\n1 0 0 Xa 0 0 m 10 0 l 10 10 20 0 30 5 c f\n"},
        {FileKind::kDst, dst},
        {FileKind::kDsb, dst},
    };
    for (const auto& [kind, bytes] : files) {
        for (int tenth = 0; tenth < 10; ++tenth) {
            const ImportOutcome outcome =
                ImportBytes(kind, bytes.substr(0, bytes.size() * tenth / 10), TestOptions());
            for (const auto& record : outcome.records) {
                if (record->type == CFileDraw::kCurve) {
                    for (const CFileLine& segment : SegmentsOf(static_cast<const CFileCurve&>(*record))) {
                        EXPECT_TRUE(segment.HasFiniteCoordinates());
                    }
                }
            }
            EXPECT_TRUE(outcome.Succeeded() || outcome.records.empty());
        }
    }
}

TEST(FileImportTest, ImportFileAppendsOnlyOnSuccess) {
    ScratchFolder folder;
    std::array<std::uint32_t, 256> colours{};
    colours[1] = 0x00FF00;
    const std::string plt = folder.Write("pen2.PLT", "IN;SP2;PU0,0;PD10,0;PU;SP0;");
    const std::pair<std::string, short> cases[] = {
        {plt, 0},
        {folder.Write("broken.dxf", Dxf("", LwPolyline("-5"))), 1},
        {folder.File("missing.plt"), 1},
        {folder.Write("design.ska", "anything"), 1},
        {folder.Write("design.pnt", "anything"), 1},
        {folder.Write("design.2pnt", "anything"), 1},
        {folder.Write("noextension", "IN;"), 1},
    };
    for (const auto& [path, result] : cases) {
        CDbList<CFileDraw*> records;
        EXPECT_EQ(_file_ImportFile(path.c_str(), 1, 1016.0, 1.0, colours.data(), 0, 0, 1, &records), result)
            << path;
        EXPECT_EQ(records.GetCount(), result == 0 ? 1 : 0) << path;
        for (auto* node = records.head->next; node != records.head; node = node->next) {
            EXPECT_EQ(static_cast<CFileCurve*>(node->value)->extra, 0x00FF00);
            delete node->value;
        }
    }
}

// The reason a file was refused is kept for the caller to show: without it the user only learns that
// something failed. A success afterwards clears it, so an old reason never explains a new import.
TEST(FileImportTest, RefusedImportLeavesItsReasonAndASuccessClearsIt) {
    ScratchFolder folder;
    std::array<std::uint32_t, 256> colours{};
    const std::string plt = folder.Write("square.plt", "IN;SP1;PU0,0;PD10,0,10,10;PU;SP0;");
    struct Case {
        std::string path;
        bool imports;
        std::string reasonStart;  // the part of the reason that names what went wrong
    };
    const std::string unsupported = folder.Write("design.ska", "anything");
    const std::string missing = folder.File("missing.dxf");
    const Case cases[] = {
        {unsupported, false, "file kind not supported: " + unsupported},
        {plt, true, ""},
        {missing, false, "cannot open " + missing},
        {folder.Write("broken.dxf", Dxf("", LwPolyline("-5"))), false, ""},
        {plt, true, ""},
    };
    for (const Case& c : cases) {
        CDbList<CFileDraw*> records;
        const short result = _file_ImportFile(c.path.c_str(), 1, 1016.0, 1.0, colours.data(), 0, 0, 1, &records);
        const std::string reason = _file_LastImportFailure();
        EXPECT_EQ(result == 0, c.imports) << c.path;
        EXPECT_EQ(reason.empty(), c.imports) << c.path << ": " << reason;
        EXPECT_EQ(reason.substr(0, c.reasonStart.size()), c.reasonStart) << c.path;
        for (CFileDraw* record : records) {
            delete record;
        }
    }
}

TEST(FileImportTest, OutOfRangeSettingsFallBackToUsableValues) {
    struct Case {
        double precision, unitScale, expectedPrecision, expectedScale;
    };
    const Case cases[] = {{1016.0, 25.4, 1016.0, 25.4},
                          {1.0, 0.0, 10.0, 1.0},
                          {1e9, -3.0, 10000.0, 1.0},
                          {NAN, NAN, 1016.0, 1.0},
                          {40.0, INFINITY, 40.0, 1.0}};
    for (const Case& c : cases) {
        const ImportOptions options = ImportOptions::Sanitised(c.precision, c.unitScale, nullptr, 0, false);
        EXPECT_EQ(options.pltUnitsPerInch, c.expectedPrecision);
        EXPECT_EQ(options.mmPerDxfUnit, c.expectedScale);
    }
}

}  // namespace
}  // namespace filebridge::testing
