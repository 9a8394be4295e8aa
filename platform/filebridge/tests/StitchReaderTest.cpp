#include <gtest/gtest.h>

#include "ImportTestSupport.h"

namespace filebridge::testing {
namespace {

std::string WithHeader(std::initializer_list<std::uint8_t> records) {
    std::string bytes(512, ' ');
    bytes.replace(0, 10, "LA:sample\r");
    for (const std::uint8_t byte : records) {
        bytes += static_cast<char>(byte);
    }
    return bytes;
}

// Both files: stitch (+9, 0), stitch (0, +3), jump (+81, 0), stitch (-1, -1), colour change,
// stitch (+27, 0), end, and a stitch after the end that must not be read.
const std::string kDst = WithHeader({0x04, 0x00, 0x03, 0x00, 0x80, 0x03, 0x00, 0x00, 0x87, 0x42, 0x00, 0x03, 0x00,
                                     0x00, 0xC3, 0x00, 0x04, 0x03, 0x00, 0x00, 0xF3, 0x01, 0x00, 0x03});
const std::string kDsb = WithHeader({0x80, 0, 9, 0x80, 3, 0, 0x81, 0, 81, 0xE0, 1, 1, 0xE8, 0, 0, 0x80, 0, 27, 0xF8, 0,
                                     0, 0x80, 0, 5});

TEST(StitchReaderTest, StitchRunsBecomePolylinesInTheirColours) {
    for (const auto& [kind, bytes] : {std::pair{FileKind::kDst, kDst}, std::pair{FileKind::kDsb, kDsb}}) {
        SCOPED_TRACE(kind == FileKind::kDst ? "DST" : "DSB");
        const ImportOptions options = TestOptions();
        const ImportOutcome outcome = ImportBytes(kind, bytes, options);
        ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
        const std::vector<Polyline> curves = CurvesOf(outcome);
        const std::vector<std::vector<SDPoint>> expected = {
            {{0, 0}, {0.9, 0}, {0.9, 0.3}}, {{9.0, 0.3}, {8.9, 0.2}}, {{8.9, 0.2}, {11.6, 0.2}}};
        ASSERT_EQ(curves.size(), expected.size());
        for (std::size_t i = 0; i < curves.size(); ++i) {
            ASSERT_EQ(curves[i].points.size(), expected[i].size());
            for (std::size_t j = 0; j < expected[i].size(); ++j) {
                EXPECT_NEAR(curves[i].points[j].x, expected[i][j].x, 1e-9);
                EXPECT_NEAR(curves[i].points[j].y, expected[i][j].y, 1e-9);
            }
        }
        EXPECT_EQ(curves[0].colour, options.layerColours[0]);
        EXPECT_EQ(curves[2].colour, options.layerColours[1]);
    }
}

// A header stating `stated` records, then `stitches` runs of the record `stitch`, then `end`.
std::string StitchFile(int stated, int stitches, const std::string& stitch, const std::string& end) {
    const std::string count = std::to_string(stated);
    std::string bytes = "LA:sample" + std::string(10, ' ') + "\rST:" + std::string(7 - count.size(), ' ') + count + "\r";
    bytes.resize(512, ' ');
    for (int i = 0; i < stitches; ++i) {
        bytes += stitch;
    }
    return bytes + end;
}

// A file cut anywhere lacks its end record; one whose end record came too soon holds fewer stitches than
// its header states (one fewer is let be: writers differ on whether the count includes the end record).
TEST(StitchReaderTest, FilesCutShortAreRefused) {
    struct Case {
        const char* extension;
        FileKind kind;
        std::string stitch;  // +0.9 mm along x
        std::string end;
    };
    const Case cases[] = {
        {"dst", FileKind::kDst, std::string("\x04\x00\x03", 3), std::string("\x00\x00\xF3", 3)},
        {"dsb", FileKind::kDsb, std::string("\x80\x00\x09", 3), std::string("\xF8\x00\x00", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extension);
        ExpectRefusedWhenCut(c.extension, StitchFile(400, 400, c.stitch, c.end), 1, 3);
        for (const auto& [stated, held] : {std::pair{400, 398}, std::pair{400, 132}}) {
            const ImportOutcome outcome = ImportBytes(c.kind, StitchFile(stated, held, c.stitch, c.end), TestOptions());
            EXPECT_EQ(outcome.failure.rfind(kCutShortReason, 0), 0u) << held << ": " << outcome.failure;
        }
        EXPECT_TRUE(ImportBytes(c.kind, StitchFile(401, 400, c.stitch, c.end), TestOptions()).Succeeded())
            << "a stated count that includes the end record";
    }
}

}  // namespace
}  // namespace filebridge::testing
