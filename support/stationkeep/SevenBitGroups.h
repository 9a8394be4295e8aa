// The controller's five-byte parameter form: a 32-bit number as five 7-bit groups, most significant
// group first; and the vendor password that two such parameters carry.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace stationkeep {

using SevenBitValue = std::array<std::uint8_t, 5>;

// b0 << 28 + b1 << 21 + b2 << 14 + b3 << 7 + b4; each byte's eighth bit is not part of the number.
std::uint32_t DecodeSevenBitGroups(const SevenBitValue& groups);
SevenBitValue EncodeSevenBitGroups(std::uint32_t value);

// The number's four bytes, least significant first.
std::array<std::uint8_t, 4> LittleEndianBytes(std::uint32_t value);

// The six characters of the vendor password held by parameters 1280 and 1281: the four bytes of the
// first number from the least significant up, then bytes 2 and 3 of the second. The password ends at
// its first NUL, so a password shorter than six characters compares as typed.
std::string DecodeVendorPassword(const SevenBitValue& first, const SevenBitValue& second);

}  // namespace stationkeep
