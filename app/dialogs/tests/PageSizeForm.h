// A sample form over the drawing's page: its size and grid spacing, bound to the page dialog's edits.
// It stands for the dialogs to come in the tests of the kit and of the drawing glue.
#pragma once

#include <optional>

#include "CadMgr.h"
#include "FieldInfo.h"
#include "FormProblem.h"

namespace dialogs::testing {

struct PageSize {
    double widthMm = 0.0;
    double heightMm = 0.0;
    double gridStepMm = 0.0;
};

inline constexpr int kWidthEdit = 1026;
inline constexpr int kHeightEdit = 1027;
inline constexpr int kGridEdit = 1034;
inline constexpr int kGridBox = 1123;
inline constexpr ParaRange kPageSideMm{CadMgrSettings::kMinWorkSizeMm, CadMgrSettings::kMaxWorkSizeMm, false};
inline constexpr ParaRange kGridStepMm{10.0, CadMgrSettings::kMaxWorkSizeMm, false};

template <typename Visit>
void VisitFields(PageSize& page, Visit&& visit) {
    visit(FieldInfo{"Width", "mm", kPageSideMm, 3, kWidthEdit}, page.widthMm);
    visit(FieldInfo{"Height", "mm", kPageSideMm, 3, kHeightEdit}, page.heightMm);
    visit(FieldInfo{"GridStep", "mm", kGridStepMm, 3, kGridEdit}, page.gridStepMm);
}

class PageSizeForm {
  public:
    using Record = PageSize;

    static PageSize PageOf(const CCadMgr& manager);

    void Load(const PageSize& original) { copy_ = original; }
    PageSize& Edited() { return copy_; }
    // The grid spacing only with the grid shown.
    dialogkit::FormEnabling Enabled() const { return {{kGridEdit, gridShown_}}; }
    // A grid step wider than the page's smaller side shows no grid line at all.
    std::optional<dialogkit::FormProblem> Check() const;
    void Apply(CCadMgr& manager) const;

    void ShowGrid(bool shown) { gridShown_ = shown; }

  private:
    PageSize copy_;
    bool gridShown_ = true;
};

}  // namespace dialogs::testing
