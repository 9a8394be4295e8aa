// The rules of the import and export commands that need no window: the file chooser's filter, the
// plotter precision and DXF unit scale handed to the file library, which imports are offered smoothing,
// and which writer an export name selects.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "SettingsRecords.h"

// The open-file filter of the Import command: "name|patterns|" pairs, both groups of supported files
// first, then one pair per kind; only the patterns of kinds the file library reads here, and only the
// pairs left with a pattern. A kind offered but unreadable gave "No data!" after the user chose it.
const std::string& ImportFilter();
// The filter's pairs with only the patterns that `readable` accepts.
std::string ReadableImportFilter(std::string_view filter,
                                 const std::function<bool(std::string_view)>& readable);

// The plotter precision kept within 10..10000 units per inch (stored back) and returned.
double ClampPltPrecision(FileParaSettings& settings);

// Millimetres per DXF unit from the unit code: mm 1.0, cm 10.0, inch 25.4, custom its scale when positive
// (else 1.0); an unknown code is reset to mm. The scale is stored back.
double ImportUnitScale(FileParaSettings& settings);

// True for the files whose curves arrive as short chords (plotter and embroidery files), after whose
// import the smoothing prompt is offered; by extension, case-insensitively.
bool OffersSmoothing(std::string_view path);

enum class ExportKind { kPlt, kAi };
// A name ending in ".plt" (any case) is written as PLT, every other name as AI.
ExportKind ExportKindOf(std::string_view path);
