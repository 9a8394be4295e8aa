// The fill area dialog's form: the width and height of an area to fill with copies, returned exactly as
// typed (negative values included); the opener decides what to do with them.
#pragma once

#include <optional>

#include "FieldInfo.h"
#include "FormProblem.h"

namespace dialogs::edit {

inline constexpr int kBestrewWidthEdit = 1162;
inline constexpr int kBestrewHeightEdit = 1163;

struct BestrewRecord {
    double widthMm = 0.0;
    double heightMm = 0.0;
};

template <RecordOf<BestrewRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    visit(FieldInfo{"BestrewWidth", "mm", field_range::kSigned, 3, kBestrewWidthEdit}, record.widthMm);
    visit(FieldInfo{"BestrewHeight", "mm", field_range::kSigned, 3, kBestrewHeightEdit}, record.heightMm);
}

class BestrewForm {
  public:
    using Record = BestrewRecord;

    void Load(const BestrewRecord& original) { copy_ = original; }
    BestrewRecord& Edited() { return copy_; }
    const BestrewRecord& Edited() const { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }

  private:
    BestrewRecord copy_;
};

}  // namespace dialogs::edit
