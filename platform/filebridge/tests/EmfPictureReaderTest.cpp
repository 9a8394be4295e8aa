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

  private:
    static void Put(std::string& bytes, std::uint32_t word) {
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<char>((word >> (8 * i)) & 0xFF));
        }
    }

    std::string body_;
    std::uint32_t records_ = 0;
};

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
    const ImportOutcome huge = ImportBytes(FileKind::kEmfPicture, RedRectangle({0, 0, 100000, 100000}), TestOptions());
    EXPECT_EQ(huge.failure, "picture larger than the import limit");
}

}  // namespace
}  // namespace filebridge::testing
