// The walks over a record's field table (VisitFields) that every record shares: the archive exchange in
// a stored layout, the range check, the comparison and the copy into a record made from another. A
// record names its fields only in its table.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "Archive.h"
#include "CutrixAssert.h"
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

// Whether a table row holds a number; rows may also hold text, which has no range.
template <typename Member>
constexpr bool kIsNumberField = std::is_arithmetic_v<std::remove_cvref_t<Member>>;

// True when every number field lies within the range of its row.
template <typename Record>
bool FieldsInRange(const Record& record) {
    bool inRange = true;
    VisitFields(record, [&](const FieldInfo& info, const auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            inRange = inRange && info.range.Contains(static_cast<double>(member));
        }
    });
    return inRange;
}

// Every number field's value in table order; each number type the tables hold is exact as a double.
template <typename Record>
std::vector<double> FieldValues(const Record& record) {
    std::vector<double> values;
    VisitFields(record, [&](const FieldInfo&, const auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            values.push_back(static_cast<double>(member));
        }
    });
    return values;
}

// Every text field's value in table order.
template <typename Record>
std::vector<std::string> FieldTexts(const Record& record) {
    std::vector<std::string> texts;
    VisitFields(record, [&](const FieldInfo&, const auto& member) {
        if constexpr (!kIsNumberField<decltype(member)>) {
            texts.push_back(member);
        }
    });
    return texts;
}

template <typename Record>
bool FieldsEqual(const Record& left, const Record& right) {
    return FieldValues(left) == FieldValues(right) && FieldTexts(left) == FieldTexts(right);
}

// For each number row of the target, the index among the source's number rows of the row with its key,
// or -1 where the source has none.
template <typename Source, typename Target>
std::vector<int> PairRowsByKey() {
    const Source sourceRows{};
    const Target targetRows{};
    std::vector<std::string_view> sourceKeys;
    VisitFields(sourceRows, [&](const FieldInfo& info, const auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            sourceKeys.push_back(info.key);
        }
    });
    std::vector<int> pairing;
    VisitFields(targetRows, [&](const FieldInfo& info, const auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            const auto found = std::find(sourceKeys.begin(), sourceKeys.end(), info.key);
            pairing.push_back(found == sourceKeys.end() ? -1 : static_cast<int>(found - sourceKeys.begin()));
        }
    });
    return pairing;
}

// Copies each number field of the source into the target's row of the same key; target rows whose key
// the source lacks keep their values. Records that another record is made from (the job writer's flat
// layer record) name each field by the key of the field it comes from, so the pairing is written once.
template <typename Source, typename Target>
void CopyFieldsByKey(const Source& source, Target& target) {
    static const std::vector<int> pairing = PairRowsByKey<Source, Target>();
    constexpr std::size_t kMostRows = 64;
    std::array<double, kMostRows> values{};
    std::size_t count = 0;
    VisitFields(source, [&](const FieldInfo&, const auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            CUTRIX_ASSERT(count < kMostRows);
            values[count++] = static_cast<double>(member);
        }
    });
    std::size_t row = 0;
    VisitFields(target, [&](const FieldInfo&, auto& member) {
        if constexpr (kIsNumberField<decltype(member)>) {
            const int from = pairing[row++];
            if (from >= 0) {
                member = static_cast<std::remove_reference_t<decltype(member)>>(
                    values[static_cast<std::size_t>(from)]);
            }
        }
    });
}
