// The byte transform between a stored job (file or wire bytes) and the opcode stream that the job
// reader walks. It is a bijection of our own: every stored byte stands for exactly one opcode byte.
#pragma once

#include <cstdint>

#include "JobStatus.h"

namespace motionlink {

// What Zint_UBCmd does to one stored byte.
std::uint8_t OpcodeByteFromStored(std::uint8_t storedByte);

// The inverse: the stored byte that stands for one opcode byte. The encoder stores every opcode byte
// this way; StoredByteFromOpcode(0) ends the header of an uploaded document.
std::uint8_t StoredByteFromOpcode(std::uint8_t opcodeByte);

}  // namespace motionlink

// Turns the stored byte at `byte` into its opcode byte, in place. Needs no connection; a null pointer
// is refused with kJobBadArgument.
std::uint16_t Zint_UBCmd(std::uint8_t* byte);
