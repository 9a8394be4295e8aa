// The array copy dialog's rules: counts, spacings, the direction in which the grid grows, the steps
// between copies and the counts that fill an area.
#pragma once

#include <cstdint>
#include <string_view>

#include "CadRect.h"

class CCadMgr;

namespace dialogs::edit {

// The copy operation takes 16-bit counts: more would wrap around to a few copies.
inline constexpr std::int64_t kMaxArrayCount = 65535;
// The counts proposed when an area cannot be divided (a zero step).
inline constexpr std::uint16_t kUndividedFillCount = 10;

// The whole number at the start of the text brought into 1..65535; no number counts as 1.
std::uint16_t ReadArrayCount(std::string_view text);

// A gap between neighbouring copies (mm): never so negative that a copy passes its neighbour (at least
// minus the extent), then rounded to 0.001 mm with halves away from zero.
double ArraySpacing(double typedMm, double extentMm);

// Directions 0..3: where the columns and rows grow.
//   0: right and down   1: left and down   2: left and up   3: right and up
struct ArrayDirection {
    std::uint16_t value = 0;

    // A stored value above 3 counts as 3.
    static ArrayDirection FromStored(std::uint16_t stored);
    ArrayDirection Next() const { return {static_cast<std::uint16_t>((value + 1) % 4)}; }
    int ColumnSign() const { return value == 0 || value == 3 ? 1 : -1; }
    int RowSign() const { return value == 2 || value == 3 ? 1 : -1; }
};

struct ArraySteps {
    double dx = 0.0;  // mm from one column to the next
    double dy = 0.0;  // mm from one row to the next
};
ArraySteps StepsOf(const CCadRect& selection, double xSpacingMm, double ySpacingMm, ArrayDirection direction);

struct ArrayCounts {
    std::uint16_t columns = 1;
    std::uint16_t rows = 1;
};
// The counts that fill the area with copies of the selection at the spacings. A zero step leaves its
// count at 10; an area no larger than the selection holds one.
ArrayCounts FillCounts(double areaWidthMm, double areaHeightMm, const CCadRect& selection, double xSpacingMm,
                       double ySpacingMm);

// The direction the last copy grew in, kept while the program runs (not saved); 0 at start.
ArrayDirection& LastArrayDirection();

// Copies the selection into the grid and tells the drawing manager once.
void ArrayCopy(CCadMgr& manager, ArrayCounts counts, ArraySteps steps);

// Before the dialog opens: with more than one element selected, arrays leave the selection. True when
// something is left to copy.
bool PrepareArraySelection(CCadMgr& manager);

}  // namespace dialogs::edit
