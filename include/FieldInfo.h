// What a record's field table says of one field: how it is named in files and tests, its unit, the range
// a loader accepts and a dialog clamps to, the decimals it is shown with and the control that edits it.
// Each record that a file, a dialog or the job writer reads has one public table,
// VisitFields(record, visit), calling visit(FieldInfo, member) once per field in the stored order.
#pragma once

#include <cmath>
#include <string_view>

struct ParaRange {
    double low;
    double high;
    bool wholeNumbers;  // switches, choices and integer counts

    // A finite number between the bounds, and a whole one where the field holds an integer.
    bool Contains(double value) const {
        return std::isfinite(value) && value >= low && value <= high &&
               (!wholeNumbers || std::trunc(value) == value);
    }
};

struct FieldInfo {
    std::string_view key;   // unique within its record
    std::string_view unit;  // "mm", "mm/s", "%", "ms", ... ; empty for switches, choices and counts
    ParaRange range;
    int decimals = 0;       // digits after the point where a dialog shows the value
    int controlId = 0;      // the dialog control that edits it; 0 where no dialog shows the field
};
