// Reads plotter files (HP-GL): IN, PU, PD, PA, PR and SP draw, CI circles, AA and AR arcs, EA, ER and
// EW outlines of rectangles and wedges, all arcs in chords as a plotter draws them (CT sets how the chord
// parameter is read); LB labels, DT, the filled shapes and every other command are skipped. Coordinate
// pairs may be split by commas or spaces, and ";" between commands is optional.
#pragma once

#include <string_view>

#include "DrawingCollector.h"
#include "ImportOptions.h"

namespace filebridge {

// Plotter units become mm at options.pltUnitsPerInch; pen n draws in layer colour n - 1, pen 0 and
// pens beyond the table in the default colour. False with the collector's reason on failure.
bool ReadPlt(std::string_view bytes, const ImportOptions& options, DrawingCollector& out);

}  // namespace filebridge
