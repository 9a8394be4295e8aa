// The walks over a record's field table (VisitFields) that every record shares: the archive exchange in
// a stored layout, the range check and the comparison. A record names its fields only in its table.
#pragma once

#include <vector>

#include "Archive.h"
#include "FieldInfo.h"

// The newest layout of every record: a field whose sinceLayout is above the layout given is left out.
constexpr int kNewestLayout = 1;

// Stores the record's fields, or loads them, in table order.
template <typename Record>
void ExchangeFields(platform::Archive& archive, Record& record, int layout = kNewestLayout) {
    VisitFields(record, [&](const FieldInfo& info, auto& member) {
        if (info.sinceLayout <= layout) {
            archive.Exchange(member);
        }
    });
}

// True when every field lies within the range of its row.
template <typename Record>
bool FieldsInRange(const Record& record) {
    bool inRange = true;
    VisitFields(record, [&](const FieldInfo& info, const auto& member) {
        inRange = inRange && info.range.Contains(static_cast<double>(member));
    });
    return inRange;
}

// Every field's value in table order; each field type the tables hold is exact as a double.
template <typename Record>
std::vector<double> FieldValues(const Record& record) {
    std::vector<double> values;
    VisitFields(record, [&](const FieldInfo&, const auto& member) { values.push_back(static_cast<double>(member)); });
    return values;
}

template <typename Record>
bool FieldsEqual(const Record& left, const Record& right) {
    return FieldValues(left) == FieldValues(right);
}
