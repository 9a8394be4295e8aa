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

TEST(StitchReaderTest, CutShortFilesFailOrStopAtTheLastWholeRecord) {
    for (const FileKind kind : {FileKind::kDst, FileKind::kDsb}) {
        const std::string& bytes = kind == FileKind::kDst ? kDst : kDsb;
        EXPECT_FALSE(ImportBytes(kind, bytes.substr(0, 511), TestOptions()).Succeeded());
        const ImportOutcome cut = ImportBytes(kind, bytes.substr(0, 512 + 3 * 2 + 1), TestOptions());
        ASSERT_TRUE(cut.Succeeded());
        EXPECT_EQ(CurvesOf(cut).size(), 1u);
    }
}

}  // namespace
}  // namespace filebridge::testing
