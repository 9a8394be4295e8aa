// Export of the drawing as plotter and Illustrator-form files: round trips through the file library's
// import, and the target file kept whole whenever an export cannot write the data.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "CadMgrFixture.h"
#include "Filebridge.h"
#include "SettingsRecords.h"

namespace {

namespace fs = std::filesystem;
using cutrix::testing::Bezier;
using cutrix::testing::Line;

struct ExportCase {
    const char* name;
    const char* extension;
    void (CCadMgr::*exportFile)(const std::string&);
    const char* noDataText;
};

const ExportCase kPlt{"PLT", ".plt", &CCadMgr::ExportPlt, "Data can't exopt as plt format!"};
const ExportCase kAi{"AI", ".ai", &CCadMgr::ExportAI, "Data can't exopt as AI format!"};
constexpr const char* kCreateFailureText = "Create exopt file failure!";
constexpr const char* kSuccessText = "Exopt file success!";

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class CadMgrExportTest : public CadMgrFixture {
  protected:
    void SetUp() override {
        CadMgrFixture::SetUp();
        gFileParaSettings = FileParaSettings{};
        folder_ = fs::temp_directory_path() / ("cadmgr-export-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path File(const std::string& name) const { return folder_ / name; }
    fs::path WriteOld(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    std::vector<std::string> ShownTexts() const {
        std::vector<std::string> texts;
        for (const platform::ShownMessageBox& shown : owner.Shown()) {
            texts.push_back(shown.text);
        }
        return texts;
    }

    CCadCurve* AddCurve(std::initializer_list<CFileLine> segments, std::uint32_t colour, bool closed = false) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddRecords(curve->pathList, segments);
        curve->closed = closed ? 1 : 0;
        curve->CalRect();
        return Add(std::move(curve), colour);
    }

    // Lines and Beziers in three colours, the first colour again last: its layer comes first, so the
    // export order (layer by layer) differs from the order of the drawing.
    std::vector<const CCadCurve*> AddThreeColourDrawing() {
        const CCadCurve* square = AddCurve({Line({0, 0}, {40, 0}), Line({40, 0}, {40, 30}), Line({40, 30}, {0, 30}),
                                            Line({0, 30}, {0, 0})},
                                           0x0000FF, true);
        const CCadCurve* wave = AddCurve({Bezier({50, 10}, {60, 40}, {80, -20}, {90, 10}),
                                          Bezier({90, 10}, {95, 20}, {100, 25}, {120.5, 12.25})},
                                         0x123456);
        const CCadCurve* mixed =
            AddCurve({Line({-12.3, 5.5}, {-3.25, 17.75}), Bezier({-3.25, 17.75}, {0, 25}, {5, 25}, {8, 18})}, 0x00FF00);
        const CCadCurve* hook = AddCurve({Bezier({10, 40}, {20, 60}, {30, 60}, {33.3, 41.7})}, 0x0000FF);
        return {square, hook, wave, mixed};
    }

    std::vector<std::unique_ptr<CFileCurve>> Import(const fs::path& path) const {
        std::array<std::uint32_t, CCadMgr::kLayerTableSize> colours{};
        for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
            colours[slot] = manager->vectorLayerTable[slot].commonParams.COM_Color;
        }
        CDbList<CFileDraw*> records;
        EXPECT_EQ(_file_ImportFile(path.c_str(), 1, gFileParaSettings.pltPrecision, 1.0, colours.data(), 0xABCDEF, 0,
                                   0, &records),
                  0);
        std::vector<std::unique_ptr<CFileCurve>> curves;
        for (auto* node = records.head->next; node != records.head; node = node->next) {
            std::unique_ptr<CFileDraw> record(node->value);
            EXPECT_EQ(record->type, CFileDraw::kCurve);
            if (record->type == CFileDraw::kCurve) {
                curves.emplace_back(static_cast<CFileCurve*>(record.release()));
            }
        }
        return curves;
    }

    fs::path folder_;
};

std::vector<SDPoint> Dense(const CDbList<CFileLine>& path) {
    std::vector<SDPoint> points;
    for (const CFileLine& segment : cutrix::testing::Records(path)) {
        const int steps = segment.IsBezier() ? 2000 : 1;
        for (int step = 0; step <= steps; ++step) {
            const double t = static_cast<double>(step) / steps, u = 1 - t;
            if (!segment.IsBezier()) {
                points.push_back({u * segment.start.x + t * segment.end.x, u * segment.start.y + t * segment.end.y});
                continue;
            }
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            points.push_back({a * segment.start.x + b * segment.ctrl1.x + c * segment.ctrl2.x + d * segment.end.x,
                              a * segment.start.y + b * segment.ctrl1.y + c * segment.ctrl2.y + d * segment.end.y});
        }
    }
    return points;
}

// Distance from p to the polyline through the points.
double DistanceTo(SDPoint p, const std::vector<SDPoint>& points) {
    double best = INFINITY;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const SDPoint a = points[i], b = points[i + 1];
        const double lx = b.x - a.x, ly = b.y - a.y, length2 = lx * lx + ly * ly;
        const double t = length2 == 0 ? 0 : std::clamp(((p.x - a.x) * lx + (p.y - a.y) * ly) / length2, 0.0, 1.0);
        best = std::min(best, std::hypot(a.x + t * lx - p.x, a.y + t * ly - p.y));
    }
    return best;
}

TEST_F(CadMgrExportTest, PltRoundTripKeepsShapeWithinOnePlotterUnitAndColoursInLayerOrder) {
    const std::vector<const CCadCurve*> expected = AddThreeColourDrawing();
    const fs::path target = WriteOld("out.plt", "old content");
    for (const std::uint16_t precision : {1016, 40}) {
        SCOPED_TRACE(precision);
        owner.Clear();
        gFileParaSettings.pltPrecision = precision;
        manager->ExportPlt(target.string());
        EXPECT_EQ(ShownTexts(), std::vector<std::string>{kSuccessText});
        const std::vector<std::unique_ptr<CFileCurve>> imported = Import(target);
        ASSERT_EQ(imported.size(), expected.size());
        const double unit = 25.4 / precision;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(static_cast<std::uint32_t>(imported[i]->extra), expected[i]->color) << i;
            const std::vector<SDPoint> original = Dense(expected[i]->pathList);
            const std::vector<SDPoint> back = Dense(imported[i]->segments);
            for (const SDPoint p : back) {
                EXPECT_LE(DistanceTo(p, original), unit) << i;
            }
            for (const SDPoint p : original) {  // and nothing of the curve went missing
                EXPECT_LE(DistanceTo(p, back), unit) << i;
            }
        }
    }
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"out.plt"});
}

TEST_F(CadMgrExportTest, AiRoundTripKeepsSegmentsWithinAThousandthMmAndColoursInLayerOrder) {
    const std::vector<const CCadCurve*> expected = AddThreeColourDrawing();
    const fs::path target = WriteOld("out.ai", "old content");
    manager->ExportAI(target.string());
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{kSuccessText});
    const std::vector<std::unique_ptr<CFileCurve>> imported = Import(target);
    ASSERT_EQ(imported.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<std::uint32_t>(imported[i]->extra), expected[i]->color);
        const std::vector<CFileLine> back = cutrix::testing::Records(imported[i]->segments);
        const std::vector<CFileLine> original = cutrix::testing::Records(expected[i]->pathList);
        ASSERT_EQ(back.size(), original.size());
        for (std::size_t j = 0; j < back.size(); ++j) {
            EXPECT_EQ(back[j].type, original[j].type);
            cutrix::testing::ExpectPointNear(back[j].start, original[j].start, 0.001);
            cutrix::testing::ExpectPointNear(back[j].end, original[j].end, 0.001);
            if (original[j].IsBezier()) {
                cutrix::testing::ExpectPointNear(back[j].ctrl1, original[j].ctrl1, 0.001);
                cutrix::testing::ExpectPointNear(back[j].ctrl2, original[j].ctrl2, 0.001);
            }
        }
    }
}

TEST_F(CadMgrExportTest, TextExportsItsGlyphCurvesBesideABitmap) {
    Add(MakeBitmap(16, 8, {5, 5}), 0x0000FF);
    Add(MakeText(2), 0x00FF00);
    const fs::path target = File("text.ai");
    manager->ExportAI(target.string());
    EXPECT_EQ(ShownTexts(), std::vector<std::string>{kSuccessText});
    const std::vector<std::unique_ptr<CFileCurve>> imported = Import(target);
    ASSERT_EQ(imported.size(), 2u);
    cutrix::testing::ExpectPointNear(cutrix::testing::Records(imported[1]->segments).front().start, {4, 0}, 0.001);
}

TEST_F(CadMgrExportTest, ExportWithoutCurveDataLeavesAnExistingFileByteIdentical) {
    Add(MakeBitmap(16, 8, {5, 5}), 0x0000FF);
    Add(MakePoint(3, 4), 0x00FF00);
    for (const ExportCase& format : {kPlt, kAi}) {
        SCOPED_TRACE(format.name);
        owner.Clear();
        const std::string old = std::string("user's drawing\0\xFF", 16);
        const fs::path kept = WriteOld(std::string("kept") + format.extension, old);
        (manager.get()->*format.exportFile)(kept.string());
        EXPECT_EQ(ReadBytes(kept), old);
        const fs::path absent = File(std::string("absent") + format.extension);
        (manager.get()->*format.exportFile)(absent.string());
        EXPECT_FALSE(fs::exists(absent));
        EXPECT_EQ(ShownTexts(), (std::vector<std::string>{format.noDataText, format.noDataText}));
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{kept.filename().string()});
        fs::remove(kept);
    }
}

TEST_F(CadMgrExportTest, EmptyPathOrEmptyDrawingDoesNothing) {
    for (const ExportCase& format : {kPlt, kAi}) {
        SCOPED_TRACE(format.name);
        const fs::path target = WriteOld(std::string("target") + format.extension, "old");
        (manager.get()->*format.exportFile)(target.string());  // no element yet
        EXPECT_EQ(ReadBytes(target), "old");
        AddSquare(0, 0, 10);
        (manager.get()->*format.exportFile)("");
        EXPECT_TRUE(owner.Shown().empty());
        manager->DeleteAll();
    }
}

TEST_F(CadMgrExportTest, TargetThatCannotBeCreatedGivesTheCreateFailureMessage) {
    AddSquare(0, 0, 10);
    for (const ExportCase& format : {kPlt, kAi}) {
        SCOPED_TRACE(format.name);
        owner.Clear();
        const fs::path target = folder_ / "missing" / (std::string("out") + format.extension);
        (manager.get()->*format.exportFile)(target.string());
        EXPECT_EQ(ShownTexts(), std::vector<std::string>{kCreateFailureText});
        EXPECT_FALSE(fs::exists(target.parent_path()));
    }
}

// A write cut short (the file-size limit stands in for a full disk) keeps the old file and never
// reports success. Run in a child process so that the limit binds nothing else.
TEST_F(CadMgrExportTest, FailedWriteKeepsTheOldFile) {
    for (int row = 0; row < 200; ++row) {  // several hundred kilobytes of output, past any stream buffer
        std::vector<SDPoint> points;
        for (int column = 0; column < 200; ++column) {
            points.push_back({column * 1.001, row + (column % 2) * 0.5});
        }
        Add(MakeCurve(points), 0x0000FF);
    }
    for (const ExportCase& format : {kPlt, kAi}) {
        SCOPED_TRACE(format.name);
        const std::string old(100, 'k');
        const fs::path target = WriteOld(std::string("big") + format.extension, old);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{32 * 1024, 32 * 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            owner.Clear();
            (manager.get()->*format.exportFile)(target.string());
            ::_exit(ShownTexts() == std::vector<std::string>{kCreateFailureText} ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_EQ(ReadBytes(target), old);
        EXPECT_EQ(FolderEntries(), std::vector<std::string>{target.filename().string()});
        fs::remove(target);
    }
}

}  // namespace
