// What a record's field table says of one field: how it is named in files and tests, its unit, the range
// a loader accepts and a dialog clamps to, the decimals it is shown with and the control that edits it.
// Each record that a file, a dialog or the job writer reads has one public table,
// VisitFields(record, visit), calling visit(FieldInfo, member) once per field in the stored order.
#pragma once

#include <cmath>
#include <cstdint>
#include <concepts>
#include <string_view>
#include <type_traits>

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

// Ranges that records of every family share.
namespace field_range {

constexpr double kUnbounded = 1.7976931348623157e308;

constexpr ParaRange kSwitch{0, 1, true};
// A choice among the options 0 to last.
constexpr ParaRange Choice(int last) {
    return ParaRange{0, static_cast<double>(last), true};
}
// A finite amount that cannot be negative, where nothing narrower is set.
constexpr ParaRange kAmount{0, kUnbounded, false};
// A finite amount of either sign: a position or an offset.
constexpr ParaRange kSigned{-kUnbounded, kUnbounded, false};
constexpr ParaRange kPercent{0, 100, false};
// A colour value 0x00BBGGRR.
constexpr ParaRange kColour{0, 0xFFFFFF, true};
// Words that no window edits and no rule bounds, by their width.
constexpr ParaRange kAnyWord8{0, 255, true};
constexpr ParaRange kAnyWord16{0, 65535, true};
constexpr ParaRange kAnyWord32{0, 4294967295.0, true};
constexpr ParaRange kAnySigned32{-2147483648.0, 2147483647.0, true};

}  // namespace field_range

// Where a field is kept in the program-wide parameter store: a group and an index within it. Doubles are
// float entries, integers int entries, unless `asSwitch` makes them bool entries.
struct StoreKey {
    std::int32_t group = -1;  // -1: the field is not kept in the store
    std::uint32_t index = 0;
    bool asSwitch = false;

    bool IsKept() const { return group >= 0; }
};

struct FieldInfo {
    std::string_view key{};   // unique within its record, together with `element`
    std::string_view unit{};  // "mm", "mm/s", "%", "ms", ... ; empty for switches, choices and counts
    ParaRange range{};
    int decimals = 0;       // digits after the point where a dialog shows the value
    int controlId = 0;      // the dialog control that edits it; 0 where no dialog shows the field
    int element = -1;       // the element of an array member (an axis), -1 for a plain member
    StoreKey store{};       // its place in the parameter store, where the record is kept there
    // The first stored layout of the record that holds the field (0 the oldest); a record of an older
    // layout neither stores nor reads it.
    int sinceLayout = 0;
};

// Lets one VisitFields template serve a record and a const record alike:
//   template <RecordOf<CUserPara> Record, typename Visit> void VisitFields(Record& record, Visit&& visit);
template <typename T, typename Record>
concept RecordOf = std::same_as<std::remove_const_t<T>, Record>;
