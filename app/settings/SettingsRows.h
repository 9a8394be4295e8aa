// The rows of the two settings tables (small-circle speed limits and scanning reverse intervals) and
// the operations that keep each table sorted ascending by its first value.
#pragma once

#include "Archive.h"
#include "DbList.h"
#include "ReverseIntervalRow.h"

struct SpeedLimitRow {
    double diameterMm = 0.0;
    double speedMmPerS = 0.0;
};


// Two doubles in either direction: one speed-limit row, or a point pair of the curve records.
void SerializeDoublePair(platform::Archive& archive, double& first, double& second);

// Stable sorts by relinking the nodes: rows with equal first values keep their order, a list of fewer
// than two rows is left unchanged.
void SortAscending(CDbList<SpeedLimitRow>& rows);
void SortAscending(CDbList<ReverseIntervalRow>& rows);

// A speed-limit row entered on the general page: ignored when its diameter is not above 0; replaces the
// speed of a row with exactly the same diameter; otherwise appended, and the table sorted again.
void AddSpeedLimitRow(CDbList<SpeedLimitRow>& rows, const SpeedLimitRow& row);
