// The rotation angle dialog's form: an angle in degrees, 0 at every opening; OK turns the selection by
// it about the centre of the selection.
#pragma once

#include <optional>

#include "FieldInfo.h"
#include "FormProblem.h"

class CCadMgr;

namespace dialogs::edit {

inline constexpr int kRotateAngleEdit = 1049;

struct RotateAngleRecord {
    double angleDeg = 0.0;
};

template <RecordOf<RotateAngleRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"RotateAngle", "°", field_range::kSigned, 3, kRotateAngleEdit}, record.angleDeg);
}

class RotateAngleForm {
  public:
    using Record = RotateAngleRecord;

    void Load(const RotateAngleRecord& original) { copy_ = original; }
    RotateAngleRecord& Edited() { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    // Nothing turns for an angle of 0 or an empty selection; the manager reports a turn itself.
    void Apply(CCadMgr& manager) const;

  private:
    RotateAngleRecord copy_;
};

}  // namespace dialogs::edit
