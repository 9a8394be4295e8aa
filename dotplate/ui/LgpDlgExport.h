// Dotplate, the light-guide-plate designer: its one export.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "ReverseIntervalRow.h"

#define DOTPLATE_API __attribute__((visibility("default")))

// Runs the designer modally. `language` 0 Simplified Chinese, 1 Traditional Chinese, 2 English, 3
// other; `originCorner` 0..3 and `headPosition` 0..8 place jobs on the machine; `rows` are the
// caller's reverse-interval rows, copied (null for none). Returns 1 when the design was handed back
// in "lgp.ds" in the program folder, else 0.
DOTPLATE_API std::uint16_t Zint_LGPDlg(std::uint16_t language, std::uint16_t originCorner,
                                       std::uint16_t headPosition, const CDbList<ReverseIntervalRow>* rows);
