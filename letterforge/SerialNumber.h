// Serial numbers: counting over digit and letter alphabets, skip rules and the serial text.
#pragma once

#include <cstdint>
#include <string>

#include "TextParam.h"

namespace letterforge {

// The serial plus amount; each digit or letter counts in its own alphabet (0-9, a-z, A-Z), other
// characters stay and pass the carry or borrow on. The length never changes: a carry or borrow left
// after the first character is dropped (ZZ9 + 1 = AA0, AA0 - 1 = ZZ9).
std::string SnAdd(const std::string& serial, std::int64_t amount);

// The serial after one skip rule: "x" advances the serial when it equals x; "x*" advances its head x
// and resets the rest; "*x" advances a serial that ends with its only x; "*x*" advances the head up to
// an x strictly inside and resets the rest. A rest is reset to the first character of each alphabet.
std::string SnApplySkipRule(const std::string& serial, const std::string& rule);

// 'a' for a lower-case letter, 'A' for an upper-case letter, '0' for a digit, else the character.
char SnAlphabetFirst(char character);

// The serial shown: prefix, the serial (without its leading zeros, one character kept, when they are
// not to be kept) and suffix.
std::string SerialText(const CTextParam& params);

// Moves params.snCurrent on as one output does: by the increment when advance is set, then the skip
// rules when on, then back to the start when the number before was the reset value.
void AdvanceSerial(CTextParam& params, bool advance);

}  // namespace letterforge
