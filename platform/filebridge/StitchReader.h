// Reads embroidery stitch files: DST (balanced-ternary records) and DSB (sign-and-magnitude records),
// both a 512-byte header followed by 3-byte records in 0.1 mm. Each run of stitches becomes one
// polyline; jumps, trims and colour changes end a run. Colour k draws in layer colour k mod 256.
// A file without its end record, or with fewer records than its header's "ST:" count, is cut short.
#pragma once

#include <string_view>

#include "DrawingCollector.h"
#include "ImportOptions.h"

namespace filebridge {

bool ReadDst(std::string_view bytes, const ImportOptions& options, DrawingCollector& out);
bool ReadDsb(std::string_view bytes, const ImportOptions& options, DrawingCollector& out);

}  // namespace filebridge
