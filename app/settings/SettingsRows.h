// The rows of the two settings tables (small-circle speed limits and scanning reverse intervals) and
// the operations that keep each table sorted ascending by its first value.
#pragma once

#include <optional>

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

// Reads a table kept ascending by its key (speed or diameter) at `key`: the first row whose key equals
// it gives its value; at the first row with a greater key the value is that row's scaled by key / its
// key when it is the first row, else interpolated linearly from the row before. Nothing when every
// row's key is smaller, nor for an empty table: the callers treat that end differently.
template <typename Row>
std::optional<double> LookupAscending(const CDbList<Row>& rows, double key, double Row::*keyOf,
                                      double Row::*valueOf) {
    const Row* before = nullptr;
    for (auto* node = rows.head->next; node != rows.head; node = node->next) {
        const Row& row = node->value;
        if (row.*keyOf == key) {
            return row.*valueOf;
        }
        if (row.*keyOf > key) {
            if (before == nullptr) {
                return row.*valueOf * key / row.*keyOf;
            }
            return before->*valueOf +
                   (row.*valueOf - before->*valueOf) * (key - before->*keyOf) / (row.*keyOf - before->*keyOf);
        }
        before = &row;
    }
    return std::nullopt;
}
