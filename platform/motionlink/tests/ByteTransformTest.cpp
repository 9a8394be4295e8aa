// The byte transform is a bijection, Zint_UBCmd applies it in place, and the inverse is what the
// encoder stores.
#include "ByteTransform.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ByteTransform, EveryByteRoundTripsBothWays) {
    std::set<int> opcodeBytes;
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        EXPECT_EQ(motionlink::StoredByteFromOpcode(motionlink::OpcodeByteFromStored(byte)), byte);
        EXPECT_EQ(motionlink::OpcodeByteFromStored(motionlink::StoredByteFromOpcode(byte)), byte);
        opcodeBytes.insert(motionlink::OpcodeByteFromStored(byte));
    }
    EXPECT_EQ(opcodeBytes.size(), 256u);
}

TEST(ByteTransform, UBCmdTransformsTheByteInPlace) {
    for (int value = 0; value < 256; ++value) {
        std::uint8_t byte = static_cast<std::uint8_t>(value);
        Zint_UBCmd(&byte);
        EXPECT_EQ(byte, motionlink::OpcodeByteFromStored(static_cast<std::uint8_t>(value)));
    }
    EXPECT_NE(Zint_UBCmd(nullptr), 0);
}

// An uploaded document's header is a tag in letters ended by the byte that transforms to 0.
TEST(ByteTransform, HeaderTagLettersNeverEndTheHeader) {
    const std::uint8_t terminator = motionlink::StoredByteFromOpcode(0);
    for (const char letter : {'Z', 'D', 'O', 'C'}) {
        EXPECT_NE(static_cast<std::uint8_t>(letter), terminator);
    }
}

}  // namespace
