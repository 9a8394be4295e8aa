// The opcode stream of a job. Every opcode byte has bit 7 set and every operand byte is 0x00..0x7F, so
// the first byte of each command can be found without decoding the ones before it.
//
// Operand numbers (most significant 7-bit group first):
//   absolute  5 groups, a signed 32-bit value (micrometres, micrometres per second, microseconds, raw)
//   relative  2 groups, a 14-bit two's-complement delta, -8192..8191 micrometres
//   power     2 groups, 0..16383 where 16383 is full power
//   byte      1 group, 0..127
#pragma once

#include <cstdint>

namespace motionlink::opcode {

// Commands the job reader decodes.
inline constexpr std::uint8_t kAxisMove = 0x80;         // axis byte, absolute distance; laser off
inline constexpr std::uint8_t kAxisMoveLaserOn = 0xA0;  // the same with the laser on
inline constexpr std::uint8_t kMoveAbsolute = 0x88;     // absolute x, absolute y
inline constexpr std::uint8_t kMoveRelative = 0x89;     // relative dx, relative dy
inline constexpr std::uint8_t kMoveRelativeX = 0x8A;    // relative dx
inline constexpr std::uint8_t kMoveRelativeY = 0x8B;    // relative dy
inline constexpr std::uint8_t kCutAbsolute = 0xA8;
inline constexpr std::uint8_t kCutRelative = 0xA9;
inline constexpr std::uint8_t kCutRelativeX = 0xAA;  // never ramps the power
inline constexpr std::uint8_t kCutRelativeY = 0xAB;  // never ramps the power
inline constexpr std::uint8_t kPowerBoth = 0xC7;     // power: start and end power of the next cuts
inline constexpr std::uint8_t kPowerEnd = 0xC8;      // power: end power of the next cuts
inline constexpr std::uint8_t kEnd = 0xD7;

// Two-byte commands: a prefix, then a selector below 0x80.
inline constexpr std::uint8_t kPowerPrefix = 0xC6;
inline constexpr std::uint8_t kLayerPower = 0x02;     // power; sets start and end power
inline constexpr std::uint8_t kDelay = 0x10;          // absolute microseconds
inline constexpr std::uint8_t kListMinPower1 = 0x31;  // layer byte, power
inline constexpr std::uint8_t kListMinPower2 = 0x32;  // layer byte, power
inline constexpr std::uint8_t kListMaxPower1 = 0x41;  // layer byte, power
inline constexpr std::uint8_t kListMaxPower2 = 0x42;  // layer byte, power
inline constexpr std::uint8_t kSpeedPrefix = 0xC9;
inline constexpr std::uint8_t kSpeed = 0x02;      // absolute micrometres per second
inline constexpr std::uint8_t kListSpeed = 0x04;  // layer byte, absolute micrometres per second
inline constexpr std::uint8_t kValuePrefix = 0xCA;
inline constexpr std::uint8_t kSkippedByte = 0x01;  // one byte, carries nothing
inline constexpr std::uint8_t kListValue = 0x06;    // layer byte, absolute raw value
inline constexpr std::uint8_t kParamByte = 0x22;    // byte

// Commands of our own that the reader skips: bit 7 set, not in the reader's table, operands only
// 0x00..0x7F, so the reader passes over them one byte at a time without producing anything.
inline constexpr std::uint8_t kRefPointMode = 0xE0;    // power-sized mode
inline constexpr std::uint8_t kAbsProcess = 0xE1;      // none
inline constexpr std::uint8_t kStartProcess = 0xE2;    // none
inline constexpr std::uint8_t kFeedRepeat = 0xE3;      // absolute count, absolute distance
inline constexpr std::uint8_t kRotateRatio = 0xE4;     // byte on, absolute high and low word of the double
inline constexpr std::uint8_t kProcessTopLeft = 0xE5;  // absolute x, absolute y
inline constexpr std::uint8_t kProcessBottomRight = 0xE6;  // absolute x, absolute y
inline constexpr std::uint8_t kProcessRepeat = 0xE7;       // absolute columns, rows, pitch x, pitch y
inline constexpr std::uint8_t kArrayDirection = 0xE8;      // byte x, byte y
inline constexpr std::uint8_t kWorkMode = 0xE9;            // power-sized mode
inline constexpr std::uint8_t kLayerNumber = 0xEA;         // power-sized number
inline constexpr std::uint8_t kLayerDevice = 0xEB;         // power-sized device
inline constexpr std::uint8_t kLayerBlower = 0xEC;         // byte on
inline constexpr std::uint8_t kForceSpeed = 0xED;          // absolute micrometres per second
inline constexpr std::uint8_t kAxisSpeed = 0xEE;           // absolute micrometres per second
inline constexpr std::uint8_t kLaserOnDelay = 0xEF;        // absolute microseconds, signed
inline constexpr std::uint8_t kLaserOffDelay = 0xF0;
inline constexpr std::uint8_t kLaserOnDelay2 = 0xF1;
inline constexpr std::uint8_t kLaserOffDelay2 = 0xF2;
inline constexpr std::uint8_t kMinPower = 0xF3;         // power laser 1, power laser 2, absolute mode
inline constexpr std::uint8_t kMaxPowerLaser2 = 0xF4;   // power laser 2, absolute mode (after kLayerPower)
inline constexpr std::uint8_t kLineStartLaser2 = 0xF5;  // power laser 2, absolute mode (after kPowerBoth)
inline constexpr std::uint8_t kLineEndLaser2 = 0xF6;    // power laser 2, absolute mode (after kPowerEnd)
inline constexpr std::uint8_t kLaserTubes = 0xF7;       // byte laser 1, byte laser 2
inline constexpr std::uint8_t kExtendedIo = 0xF8;       // four absolute words
inline constexpr std::uint8_t kBlockEnd = 0xF9;         // none

}  // namespace motionlink::opcode
