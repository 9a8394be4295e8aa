// The offset dialog's form: distance, direction (inward, outward, or by nesting) and whether the source
// curves go, kept in the drawing manager's settings block; OK offsets the selection.
#pragma once

#include <cstdint>
#include <optional>

#include "FieldInfo.h"
#include "FormProblem.h"

class CCadMgr;

namespace dialogs::edit {

// Directions as the drawing manager's offset word holds them.
enum class OffsetMode : std::uint16_t {
    kInward = 0,
    kOutward = 1,
    kByNesting = 2,  // outer curves outward, what lies inside them inward
};

inline constexpr int kOffsetDistanceEdit = 1054;
inline constexpr int kInwardRadio = 1055;
inline constexpr int kOutwardRadio = 1056;
inline constexpr int kByNestingRadio = 1058;
inline constexpr int kDeleteSourceBox = 1125;
inline constexpr double kMaxOffsetDistanceMm = 100.0;

// The direction is held as one switch per radio, exactly one of them on.
struct OffsetRecord {
    double distanceMm = 0.0;
    std::int32_t inward = 1;
    std::int32_t outward = 0;
    std::int32_t byNesting = 0;
    std::int32_t deleteSource = 0;

    OffsetMode Mode() const;
    void SetMode(OffsetMode mode);
};

template <RecordOf<OffsetRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"OffsetDistance", "mm", field_range::kSigned, 3, kOffsetDistanceEdit}, record.distanceMm);
    visit(FieldInfo{"Inward", "", field_range::kSwitch, 0, kInwardRadio}, record.inward);
    visit(FieldInfo{"Outward", "", field_range::kSwitch, 0, kOutwardRadio}, record.outward);
    visit(FieldInfo{"ByNesting", "", field_range::kSwitch, 0, kByNestingRadio}, record.byNesting);
    visit(FieldInfo{"DeleteSource", "", field_range::kSwitch, 0, kDeleteSourceBox}, record.deleteSource);
}

class OffsetForm {
  public:
    using Record = OffsetRecord;
    // A stored direction other than the three opens as inward.
    static OffsetRecord RecordOf(const CCadMgr& manager);

    void Load(const OffsetRecord& original) { copy_ = original; }
    OffsetRecord& Edited() { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    // Stores the distance brought into 0..100 mm, the direction and the switch, then offsets.
    void Apply(CCadMgr& manager) const;

  private:
    OffsetRecord copy_;
};

}  // namespace dialogs::edit
