// Reads DXF drawings: the parser reads the groups, and we build the geometry: lines, polylines with
// bulges, arcs, circles, ellipses, splines, points and, when asked, texts; blocks expanded at every
// INSERT (nested, scaled, rotated, mirrored, as MINSERT arrays), entities placed by their extrusion,
// colours resolved from true colour, colour index, ByLayer and ByBlock. Paper space, dimensions,
// hatches and 3D entities are skipped.
#pragma once

#include <string_view>

#include "DrawingCollector.h"
#include "ImportOptions.h"

namespace filebridge {

bool ReadDxf(std::string_view bytes, const ImportOptions& options, DrawingCollector& out);

}  // namespace filebridge
