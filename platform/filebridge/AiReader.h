// Reads the PostScript-based Illustrator form: paths of m l c v y h painted by s S f F b B (n and N
// discard them), colours by k K g G x X Xa XA. Procedures, strings, literal names and comments are
// skipped, so a prolog's definitions are never taken for drawing. PDF-based files fail.
#pragma once

#include <string_view>

#include "DrawingCollector.h"
#include "ImportOptions.h"

namespace filebridge {

// Points become mm; a stroked path takes the stroke colour, a filled one the fill colour.
bool ReadAi(std::string_view bytes, const ImportOptions& options, DrawingCollector& out);

}  // namespace filebridge
