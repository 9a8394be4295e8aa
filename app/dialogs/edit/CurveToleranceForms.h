// The forms of the three curve clean-up dialogs (close, combine, delete overlap): each edits a
// tolerance that the drawing manager keeps in its settings block, then runs its operation on the
// selection.
#pragma once

#include <cstdint>
#include <optional>

#include "FieldInfo.h"
#include "FormProblem.h"

class CCadMgr;

namespace dialogs::edit {

// Close curves: any finite tolerance is taken and a negative one counts as 0; there is no upper bound.
struct CloseCurveRecord {
    double toleranceMm = 0.0;
    std::int32_t forceClose = 0;
};
inline constexpr int kCloseToleranceEdit = 1006;
inline constexpr int kForceCloseBox = 1005;

template <RecordOf<CloseCurveRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"CloseTolerance", "mm", field_range::kSigned, 3, kCloseToleranceEdit}, record.toleranceMm);
    visit(FieldInfo{"ForceClose", "", field_range::kSwitch, 0, kForceCloseBox}, record.forceClose);
}

class CloseCurveForm {
  public:
    using Record = CloseCurveRecord;
    static CloseCurveRecord RecordOf(const CCadMgr& manager);

    void Load(const CloseCurveRecord& original) { copy_ = original; }
    CloseCurveRecord& Edited() { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    // Stores the tolerance (at least 0) and the switch, then closes the selected curves with them.
    void Apply(CCadMgr& manager) const;

  private:
    CloseCurveRecord copy_;
};

// Combine curves: the tolerance must lie within 0.005..5 mm; outside it the dialog stays open.
struct CombineCurveRecord {
    double toleranceMm = 0.0;
};
inline constexpr int kCombineToleranceEdit = 1000;
inline constexpr ParaRange kCombineToleranceMm{0.005, 5.0, false};

template <RecordOf<CombineCurveRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"CombineTolerance", "mm", kCombineToleranceMm, 3, kCombineToleranceEdit}, record.toleranceMm);
}

class CombineCurveForm {
  public:
    using Record = CombineCurveRecord;
    static CombineCurveRecord RecordOf(const CCadMgr& manager);

    void Load(const CombineCurveRecord& original) { copy_ = original; }
    CombineCurveRecord& Edited() { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    // Stores the tolerance and merges the selected open curves whose ends lie within it.
    void Apply(CCadMgr& manager) const;

  private:
    CombineCurveRecord copy_;
};

// Delete overlap: the tolerance is brought into 0.001..1 mm, on opening and on OK; without the switch
// the operation works at 0.001 mm whatever is stored.
struct OverlapRecord {
    double toleranceMm = 0.0;
    std::int32_t toleranceOn = 0;
};
inline constexpr int kOverlapToleranceEdit = 1062;
inline constexpr int kOverlapToleranceBox = 1064;
inline constexpr double kMinOverlapToleranceMm = 0.001;
inline constexpr double kMaxOverlapToleranceMm = 1.0;

template <RecordOf<OverlapRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"OverlapTolerance", "mm", field_range::kSigned, 3, kOverlapToleranceEdit}, record.toleranceMm);
    visit(FieldInfo{"OverlapToleranceOn", "", field_range::kSwitch, 0, kOverlapToleranceBox}, record.toleranceOn);
}

double ClampOverlapTolerance(double toleranceMm);

class OverlapForm {
  public:
    using Record = OverlapRecord;
    // The stored values, the tolerance already brought into its range.
    static OverlapRecord RecordOf(const CCadMgr& manager);

    void Load(const OverlapRecord& original) { copy_ = original; }
    OverlapRecord& Edited() { return copy_; }
    // The tolerance only with its switch on.
    dialogkit::FormEnabling Enabled() const { return {{kOverlapToleranceEdit, copy_.toleranceOn != 0}}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    // Stores both, then removes the overlapping segments of the selection (which tells the owner itself).
    void Apply(CCadMgr& manager) const;

  private:
    OverlapRecord copy_;
};

}  // namespace dialogs::edit
