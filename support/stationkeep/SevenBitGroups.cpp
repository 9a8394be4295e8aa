#include "SevenBitGroups.h"

namespace stationkeep {

namespace {

constexpr std::uint8_t kGroupMask = 0x7F;
constexpr int kGroupBits = 7;

}  // namespace

std::uint32_t DecodeSevenBitGroups(const SevenBitValue& groups) {
    std::uint32_t value = 0;
    for (const std::uint8_t group : groups) {
        value = (value << kGroupBits) | (group & kGroupMask);
    }
    return value;
}

SevenBitValue EncodeSevenBitGroups(std::uint32_t value) {
    SevenBitValue groups{};
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
        *group = static_cast<std::uint8_t>(value & kGroupMask);
        value >>= kGroupBits;
    }
    return groups;
}

std::array<std::uint8_t, 4> LittleEndianBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::string DecodeVendorPassword(const SevenBitValue& first, const SevenBitValue& second) {
    const std::array<std::uint8_t, 4> low = LittleEndianBytes(DecodeSevenBitGroups(first));
    const std::array<std::uint8_t, 4> high = LittleEndianBytes(DecodeSevenBitGroups(second));
    const std::array<std::uint8_t, 6> characters = {low[0], low[1], low[2], low[3], high[2], high[3]};
    std::string password;
    for (const std::uint8_t character : characters) {
        if (character == 0) {
            break;
        }
        password.push_back(static_cast<char>(character));
    }
    return password;
}

}  // namespace stationkeep
