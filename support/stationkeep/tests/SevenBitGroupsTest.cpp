// The controller's five-byte parameter form both ways, and the vendor password it carries.
#include "SevenBitGroups.h"

#include <gtest/gtest.h>

namespace stationkeep {
namespace {

TEST(SevenBitGroupsTest, DecodesMostSignificantGroupFirst) {
    struct Case {
        SevenBitValue groups;
        std::uint32_t value;
    };
    const Case cases[] = {
        {{0x00, 0x00, 0x00, 0x00, 0x41}, 65},
        {{0x01, 0x00, 0x00, 0x00, 0x00}, 1u << 28},
        {{0x00, 0x00, 0x00, 0x01, 0x00}, 128},
        {{0x0F, 0x7F, 0x7F, 0x7F, 0x7F}, 0xFFFFFFFF},
        {{0x00, 0x00, 0x00, 0x00, 0xC1}, 65},  // the eighth bit of a group is not part of the number
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeSevenBitGroups(c.groups), c.value) << c.value;
    }
}

TEST(SevenBitGroupsTest, EncodingRoundTrips) {
    for (const std::uint32_t value : {0u, 1u, 65u, 127u, 128u, 1u << 28, 0x12345678u, 0xFFFFFFFFu}) {
        const SevenBitValue groups = EncodeSevenBitGroups(value);
        for (const std::uint8_t group : groups) {
            EXPECT_LT(group, 0x80) << value;
        }
        EXPECT_EQ(DecodeSevenBitGroups(groups), value);
    }
}

TEST(SevenBitGroupsTest, LittleEndianBytesStartWithTheLowestByte) {
    EXPECT_EQ(LittleEndianBytes(0x04030201), (std::array<std::uint8_t, 4>{1, 2, 3, 4}));
}

std::uint32_t Characters(const char (&text)[5]) {
    return std::uint32_t{static_cast<std::uint8_t>(text[0])} | std::uint32_t{static_cast<std::uint8_t>(text[1])} << 8 |
           std::uint32_t{static_cast<std::uint8_t>(text[2])} << 16 |
           std::uint32_t{static_cast<std::uint8_t>(text[3])} << 24;
}

TEST(SevenBitGroupsTest, VendorPasswordTakesFourThenTwoCharactersAndEndsAtItsFirstNul) {
    struct Case {
        std::uint32_t first;
        std::uint32_t second;
        const char* password;
    };
    const Case cases[] = {
        {Characters("AB12"), Characters("\0\0CD"), "AB12CD"},
        {Characters("AB12"), Characters("xy\0\0"), "AB12"},  // the second number's low bytes are not read
        {Characters("AB\0\0"), Characters("\0\0CD"), "AB"},  // nothing after a NUL counts
        {0, 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeVendorPassword(EncodeSevenBitGroups(c.first), EncodeSevenBitGroups(c.second)), c.password);
    }
}

}  // namespace
}  // namespace stationkeep
