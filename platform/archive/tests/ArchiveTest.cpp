#include "Archive.h"
#include "TempHome.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using platform::Archive;
using platform::ArchiveError;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct PrimitiveCase {
    const char* name;
    std::function<void(Archive&)> store;
    Bytes expected;
    std::function<void(Archive&)> loadAndCheck;
};

std::vector<PrimitiveCase> PrimitiveCases() {
    return {
        {"u8", [](Archive& a) { a.WriteU8(0xAB); }, {0xAB}, [](Archive& a) { EXPECT_EQ(a.ReadU8(), 0xAB); }},
        {"u16",
         [](Archive& a) { a.WriteU16(0x1234); },
         {0x34, 0x12},
         [](Archive& a) { EXPECT_EQ(a.ReadU16(), 0x1234); }},
        {"i16",
         [](Archive& a) { a.WriteI16(-2); },
         {0xFE, 0xFF},
         [](Archive& a) { EXPECT_EQ(a.ReadI16(), -2); }},
        {"u32",
         [](Archive& a) { a.WriteU32(0xFF0600AB); },
         {0xAB, 0x00, 0x06, 0xFF},
         [](Archive& a) { EXPECT_EQ(a.ReadU32(), 0xFF0600ABu); }},
        {"i32",
         [](Archive& a) { a.WriteI32(-1); },
         {0xFF, 0xFF, 0xFF, 0xFF},
         [](Archive& a) { EXPECT_EQ(a.ReadI32(), -1); }},
        {"double",
         [](Archive& a) { a.WriteDouble(1.0); },
         {0, 0, 0, 0, 0, 0, 0xF0, 0x3F},
         [](Archive& a) { EXPECT_EQ(a.ReadDouble(), 1.0); }},
        {"negative double",
         [](Archive& a) { a.WriteDouble(-2.5); },
         {0, 0, 0, 0, 0, 0, 0x04, 0xC0},
         [](Archive& a) { EXPECT_EQ(a.ReadDouble(), -2.5); }},
        {"float",
         [](Archive& a) { a.WriteFloat(1.0f); },
         {0, 0, 0x80, 0x3F},
         [](Archive& a) { EXPECT_EQ(a.ReadFloat(), 1.0f); }},
        {"short string",
         [](Archive& a) { a.WriteString("ab"); },
         {0x02, 'a', 'b'},
         [](Archive& a) { EXPECT_EQ(a.ReadString(), "ab"); }},
        // A count is only believed when as many bytes follow it.
        {"small count",
         [](Archive& a) {
             a.WriteCount(3);
             a.WriteBytes(Bytes{'x', 'y', 'z'});
         },
         {0x03, 0x00, 'x', 'y', 'z'},
         [](Archive& a) { EXPECT_EQ(a.ReadCount(), 3u); }},
        {"bytes",
         [](Archive& a) {
             a.WriteBytes(Bytes{1, 2, 3});
         },
         {1, 2, 3},
         [](Archive& a) {
             EXPECT_EQ(a.ReadBytes(3), (Bytes{1, 2, 3}));
         }},
    };
}

}  // namespace

TEST(Archive, EveryPrimitiveHasItsExactEncodingAndRoundTrips) {
    for (const auto& c : PrimitiveCases()) {
        SCOPED_TRACE(c.name);
        Archive out = Archive::ForStoring();
        c.store(out);
        EXPECT_EQ(out.Bytes(), c.expected);
        Archive in = Archive::ForLoading(out.Bytes());
        c.loadAndCheck(in);
    }
}

TEST(Archive, EveryPrimitiveFailsCleanlyOnATruncatedStream) {
    for (const auto& c : PrimitiveCases()) {
        SCOPED_TRACE(c.name);
        Archive out = Archive::ForStoring();
        c.store(out);
        Bytes truncated = out.Bytes();
        truncated.pop_back();
        Archive in = Archive::ForLoading(truncated);
        EXPECT_THROW(c.loadAndCheck(in), ArchiveError);
    }
}

TEST(Archive, StringLengthPrefixesFollowTheThreeForms) {
    struct PrefixCase {
        std::size_t length;
        Bytes prefix;
    };
    const std::vector<PrefixCase> cases = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {65533, {0xFF, 0xFD, 0xFF}},
        {65534, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'q');
        Archive out = Archive::ForStoring();
        out.WriteString(text);
        const Bytes& bytes = out.Bytes();
        ASSERT_EQ(bytes.size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + static_cast<long>(c.prefix.size())), c.prefix);

        Archive in = Archive::ForLoading(bytes);
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_EQ(in.Remaining(), 0u);

        Bytes truncated(bytes.begin(), bytes.end() - 1);
        Archive shortIn = Archive::ForLoading(truncated);
        EXPECT_THROW(shortIn.ReadString(), ArchiveError);
    }
}

TEST(Archive, LargeCountsUseTheEscapedForm) {
    Archive out = Archive::ForStoring();
    out.WriteCount(0xFFFF);
    EXPECT_EQ(out.Bytes(), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
}

TEST(Archive, ACountLongerThanTheRemainingBytesIsRefusedBeforeAllocating) {
    Archive in = Archive::ForLoading(Bytes{0xFF, 0xFF, 0x00, 0x00, 0x00, 0x40});
    EXPECT_THROW(in.ReadCount(), ArchiveError);
}

TEST(Archive, AStringClaimingGigabytesIsRefused) {
    Archive in = Archive::ForLoading(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a'});
    EXPECT_THROW(in.ReadString(), ArchiveError);
}

TEST(Archive, StreamOperatorsExchangeFixedWidthValues) {
    Archive out = Archive::ForStoring();
    std::uint16_t type = 3;
    std::int32_t order = -7;
    double x = 12.25;
    std::string name = "layer";
    out << type << order << x << std::string_view(name);
    Archive in = Archive::ForLoading(out.Bytes());
    std::uint16_t type2 = 0;
    std::int32_t order2 = 0;
    double x2 = 0;
    std::string name2;
    in >> type2 >> order2 >> x2 >> name2;
    EXPECT_EQ(type2, type);
    EXPECT_EQ(order2, order);
    EXPECT_EQ(x2, x);
    EXPECT_EQ(name2, name);
}

TEST(Archive, WritingToALoadingArchiveIsAnError) {
    Archive in = Archive::ForLoading(Bytes{1});
    EXPECT_THROW(in.WriteU8(1), ArchiveError);
}

TEST(Archive, RoundTripsThroughARealFile) {
    Archive out = Archive::ForStoring();
    out.WriteString("ZintFILEVER2.0");
    out.WriteDouble(0.001);
    const auto file = cutrix::testing::TempHome() / "drawing.lcx";
    ASSERT_TRUE(out.SaveToFile(file));
    Archive in = Archive::ForLoadingFile(file);
    EXPECT_EQ(in.ReadString(), "ZintFILEVER2.0");
    EXPECT_EQ(in.ReadDouble(), 0.001);
}

TEST(Archive, AMissingFileCannotBeOpenedForLoading) {
    EXPECT_THROW(Archive::ForLoadingFile(cutrix::testing::TempHome() / "absent"), ArchiveError);
}

TEST(Archive, StoringIntoAGivenBufferDropsItsContentAndKeepsItsMemory) {
    std::vector<std::uint8_t> buffer(4096, 0xEE);
    const std::uint8_t* memory = buffer.data();
    platform::Archive ar = platform::Archive::ForStoring(std::move(buffer));
    ar.WriteU16(0x0102);
    EXPECT_EQ(ar.Bytes(), (std::vector<std::uint8_t>{0x02, 0x01}));
    std::vector<std::uint8_t> taken = ar.TakeBytes();
    EXPECT_EQ(taken.data(), memory);
    EXPECT_TRUE(ar.Bytes().empty());
    EXPECT_EQ(platform::Archive::ForStoring(std::move(taken)).Bytes().size(), 0u);
}

// Stored values gather in a buffer before they join the bytes. Values of every width cross the buffer's
// end at every offset, a block larger than the buffer goes between them, and the bytes are asked for
// midway and after a move: the archive still reads back every value in order.
TEST(Archive, ValuesStoredAcrossBufferEndsAndMidwayLooksReadBackInOrder) {
    constexpr int kRounds = 3000;  // 15 bytes a round: many buffers, their ends at every offset
    const Bytes block(10000, 0x5A);
    Archive ar = Archive::ForStoring();
    for (int round = 0; round < kRounds; ++round) {
        ar.WriteU8(static_cast<std::uint8_t>(round));
        ar.WriteU16(static_cast<std::uint16_t>(round * 3));
        ar.WriteU32(static_cast<std::uint32_t>(round) * 100003u);
        ar.WriteDouble(round * 0.25);
        if (round % 1000 == 500) {
            ASSERT_EQ(ar.Bytes().size(), (round + 1) * 15u + (round / 1000) * block.size());
            ar.WriteBytes(block);
        }
    }
    Archive moved = std::move(ar);
    Archive loading = Archive::ForLoading(moved.TakeBytes());
    for (int round = 0; round < kRounds; ++round) {
        ASSERT_EQ(loading.ReadU8(), static_cast<std::uint8_t>(round));
        ASSERT_EQ(loading.ReadU16(), static_cast<std::uint16_t>(round * 3));
        ASSERT_EQ(loading.ReadU32(), static_cast<std::uint32_t>(round) * 100003u);
        ASSERT_EQ(loading.ReadDouble(), round * 0.25);
        if (round % 1000 == 500) {
            ASSERT_EQ(loading.ReadBytes(block.size()), block);
        }
    }
    EXPECT_EQ(loading.Remaining(), 0u);
}

namespace {

// Values of every width and a block larger than the gathering buffer: the stream of a save.
void StoreMixedRecords(Archive& ar) {
    const Bytes block(10000, 0xA5);
    for (int round = 0; round < 2000; ++round) {
        ar.WriteString(round % 7 == 0 ? std::string(300, 'n') : "curve");
        ar.WriteU16(static_cast<std::uint16_t>(round));
        ar.WriteDouble(round * -0.5);
        if (round % 500 == 250) {
            ar.WriteBytes(block);
        }
    }
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

TEST(Archive, StoringIntoAStreamWritesTheBytesOfAStoreInMemory) {
    Archive inMemory = Archive::ForStoring();
    StoreMixedRecords(inMemory);

    const auto path = cutrix::testing::TempHome() / "streamed.bin";
    File file(std::fopen(path.c_str(), "wb"));
    ASSERT_NE(file, nullptr);
    Archive streamed = Archive::ForStoringInto(file.get());
    StoreMixedRecords(streamed);
    EXPECT_TRUE(streamed.Bytes().empty());  // nothing is held in memory
    ASSERT_TRUE(streamed.Flush());
    ASSERT_EQ(std::fclose(file.release()), 0);

    Archive reread = Archive::ForLoadingFile(path);
    ASSERT_EQ(reread.Remaining(), inMemory.Bytes().size());
    EXPECT_EQ(reread.ReadBytes(reread.Remaining()), inMemory.Bytes());
}

// A full disk must not pass for a saved document.
TEST(Archive, AStreamThatRefusesItsBytesFailsTheFlush) {
    File full(std::fopen("/dev/full", "wb"));
    ASSERT_NE(full, nullptr);
    std::setvbuf(full.get(), nullptr, _IONBF, 0);  // every write reaches the device at once
    Archive ar = Archive::ForStoringInto(full.get());
    StoreMixedRecords(ar);
    EXPECT_FALSE(ar.Flush());

    Archive withoutStream = Archive::ForStoringInto(nullptr);
    withoutStream.WriteU32(1);
    EXPECT_FALSE(withoutStream.Flush());
}

TEST(Archive, ABorrowedViewLoadsLikeOwnedBytesAndSurvivesAMove) {
    Archive stored = Archive::ForStoring();
    StoreMixedRecords(stored);
    const Bytes& bytes = stored.Bytes();
    for (const bool borrowed : {true, false}) {
        SCOPED_TRACE(borrowed ? "view" : "owned");
        Archive first = borrowed ? Archive::ForLoadingView(bytes) : Archive::ForLoading(bytes);
        EXPECT_EQ(first.ReadString(), std::string(300, 'n'));
        Archive moved = std::move(first);  // halfway through a record stream
        EXPECT_EQ(moved.ReadU16(), 0u);
        EXPECT_EQ(moved.ReadDouble(), 0.0);
        EXPECT_EQ(moved.ReadString(), "curve");
        EXPECT_EQ(moved.Position(), 300u + 3 + 2 + 8 + 6);
        EXPECT_EQ(moved.Remaining(), bytes.size() - moved.Position());
        EXPECT_THROW(moved.ReadBytes(moved.Remaining() + 1), ArchiveError);
    }
}
