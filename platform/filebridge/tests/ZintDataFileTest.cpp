#include "ZintDataFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "GeometryTestHelpers.h"

namespace {

using cutrix::testing::Bezier;
using cutrix::testing::Line;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A design of two curves in one group and one curve in the next, as the designer writes it.
std::vector<std::uint8_t> WriteDesign() {
    FilePtr file(std::tmpfile());
    CDbList<CFileLine> dot, outline;
    dot.AddTail(Bezier({-2, 0}, {-2, 1}, {0, 1}, {0, 1}));
    dot.AddTail(Line({0, 1}, {-2, 0}));
    outline.AddTail(Line({0, 0}, {100, 0}));
    const std::uint32_t two = 2, one = 1;
    EXPECT_EQ(_file_ZintData_Start(file.get()), 0);
    EXPECT_EQ(_file_ZintData_Save(file.get(), &two, 4), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file.get(), &dot, 0), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file.get(), &outline, 255), 0);
    EXPECT_EQ(_file_ZintData_Save(file.get(), &one, 4), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file.get(), &outline, 0xFF0000), 0);
    EXPECT_EQ(_file_ZintData_End(file.get()), 0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::ftell(file.get())));
    std::rewind(file.get());
    EXPECT_EQ(std::fread(bytes.data(), 1, bytes.size(), file.get()), bytes.size());
    return bytes;
}

FilePtr StreamOf(const std::vector<std::uint8_t>& bytes) {
    FilePtr file(std::tmpfile());
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    std::rewind(file.get());
    return file;
}

TEST(ZintDataFileTest, GroupsAndCurvesReadBackInTheOrderWritten) {
    FilePtr file = StreamOf(WriteDesign());
    std::uint32_t count = 0, colour = 7;
    ASSERT_EQ(_file_ZintData_Load(file.get(), &count, 4), 0);
    EXPECT_EQ(count, 2u);
    CDbList<CFileLine> first, second, outline;
    ASSERT_EQ(_file_ZintData_LoadCurve(file.get(), &first, &colour), 0);
    EXPECT_EQ(colour, 0u);
    ASSERT_EQ(first.GetCount(), 2);
    first.MoveFirst();
    EXPECT_TRUE(first.cursor->value.IsBezier());
    EXPECT_EQ(first.cursor->value.ctrl2.y, 1.0);
    ASSERT_EQ(_file_ZintData_LoadCurve(file.get(), &second, &colour), 0);
    EXPECT_EQ(colour, 255u);
    ASSERT_EQ(_file_ZintData_Load(file.get(), &count, 4), 0);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(_file_ZintData_LoadCurve(file.get(), &outline, &colour), 0);
    EXPECT_EQ(colour, 0xFF0000u);
    EXPECT_EQ(outline.GetCount(), 1);
}

TEST(ZintDataFileTest, AFileWithoutTheSignatureIsRefused) {
    std::vector<std::uint8_t> bytes = WriteDesign();
    bytes[0] = 'X';
    FilePtr file = StreamOf(bytes);
    std::uint32_t count = 0;
    EXPECT_EQ(_file_ZintData_Load(file.get(), &count, 4), 1);
}

TEST(ZintDataFileTest, ADamagedCurveAppendsNothingAndAllocatesNothingForItsCount) {
    struct Case {
        const char* damage;
        void (*apply)(std::vector<std::uint8_t>&);
    };
    const Case cases[] = {
        // Signature, count, and the first curve less its last byte.
        {"cut by one byte", [](std::vector<std::uint8_t>& bytes) { bytes.resize(8 + 4 + 8 + 2 * CFileLine::kStoredBytes - 1); }},
        {"2^31 segments", [](std::vector<std::uint8_t>& bytes) { bytes[8 + 4 + 4 + 3] = 0x80; }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.damage);
        std::vector<std::uint8_t> bytes = WriteDesign();
        test.apply(bytes);
        FilePtr file = StreamOf(bytes);
        std::uint32_t count = 0, colour = 0;
        ASSERT_EQ(_file_ZintData_Load(file.get(), &count, 4), 0);
        CDbList<CFileLine> segments;
        EXPECT_EQ(_file_ZintData_LoadCurve(file.get(), &segments, &colour), 1);
        EXPECT_EQ(segments.GetCount(), 0);
    }
}

TEST(ZintDataFileTest, AWriteThatCannotReachTheDiskFailsAtTheEnd) {
    FilePtr file(std::fopen("/dev/full", "wb"));
    ASSERT_NE(file, nullptr);
    CDbList<CFileLine> segments;
    segments.AddTail(Line({0, 0}, {1, 1}));
    _file_ZintData_Start(file.get());
    _file_ZintData_SaveCurve(file.get(), &segments, 0);
    EXPECT_EQ(_file_ZintData_End(file.get()), 1);
}

TEST(ZintDataFileTest, NullArgumentsFail) {
    std::uint32_t colour = 0;
    CDbList<CFileLine> segments;
    EXPECT_EQ(_file_ZintData_Start(nullptr), 1);
    EXPECT_EQ(_file_ZintData_SaveCurve(nullptr, &segments, 0), 1);
    EXPECT_EQ(_file_ZintData_LoadCurve(nullptr, &segments, &colour), 1);
    EXPECT_EQ(_file_ZintData_Load(nullptr, &colour, 4), 1);
}

}  // namespace
