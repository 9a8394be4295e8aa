// The plate outline taken from an imported drawing; the plate's own steps are members of CLgpPlate.
#pragma once

#include <cstdint>

#include "LgpPlate.h"

namespace dotplate {

// Merges b into a at the ends that MatchEnds found (1 start–start, 2 a's start on b's end, 3 a's end
// on b's start, 4 end–end); b's touching end is first set exactly onto a's, and b is left empty.
void JoinCurves(CLgpCurve& a, CLgpCurve& b, int match);

// The one message of every failed import, Chinese for language 0.
const char* ImportFailureMessage(std::uint16_t languageIndex);

}  // namespace dotplate
