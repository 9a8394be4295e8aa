// The page setup dialog's form: page size, grid, the view's keyboard steps and the canvas colours of
// the drawing manager. OK stores them (the page size into the work size too) with the grid spacing
// kept to a fifth of the page's smaller side, so that a grid always shows at least five cells.
#pragma once

#include <cstdint>
#include <optional>

#include "FieldInfo.h"
#include "FormProblem.h"

class CCadMgr;

namespace dialogs::edit {

inline constexpr int kPageWidthEdit = 1026;
inline constexpr int kPageHeightEdit = 1027;
inline constexpr int kNudgeEdit = 1028;
inline constexpr int kLargeStepEdit = 1030;
inline constexpr int kRotationEdit = 1032;
inline constexpr int kGridSpacingEdit = 1034;
inline constexpr int kGridShownBox = 1123;
inline constexpr int kBackgroundSwatch = 1120;
inline constexpr int kWorkAreaSwatch = 1121;
inline constexpr int kGridSwatch = 1122;
inline constexpr double kMinGridSpacingMm = 10.0;

struct PageRecord {
    double widthMm = 0.0;
    double heightMm = 0.0;
    std::uint32_t gridShown = 0;
    double gridSpacingMm = 0.0;
    double nudgeDistanceMm = 0.0;
    double largeStepRatio = 0.0;
    double rotationAngleDeg = 0.0;
    std::uint32_t backgroundColor = 0;  // 0x00BBGGRR
    std::uint32_t workAreaColor = 0;
    std::uint32_t gridColor = 0;
};

// Every number is taken as typed; OK brings page and grid into their ranges.
template <RecordOf<PageRecord> Record, typename Visit>
void VisitFields(Record& record, Visit&& visit) {
    using namespace field_range;
    visit(FieldInfo{"PageWidth", "mm", kSigned, 3, kPageWidthEdit}, record.widthMm);
    visit(FieldInfo{"PageHeight", "mm", kSigned, 3, kPageHeightEdit}, record.heightMm);
    visit(FieldInfo{"GridShown", "", kSwitch, 0, kGridShownBox}, record.gridShown);
    visit(FieldInfo{"GridSpacing", "mm", kSigned, 3, kGridSpacingEdit}, record.gridSpacingMm);
    visit(FieldInfo{"NudgeDistance", "mm", kSigned, 3, kNudgeEdit}, record.nudgeDistanceMm);
    visit(FieldInfo{"LargeStepRatio", "", kSigned, 3, kLargeStepEdit}, record.largeStepRatio);
    visit(FieldInfo{"RotationAngle", "°", kSigned, 3, kRotationEdit}, record.rotationAngleDeg);
    visit(FieldInfo{"BackgroundColor", "", kColour, 0}, record.backgroundColor);
    visit(FieldInfo{"WorkAreaColor", "", kColour, 0}, record.workAreaColor);
    visit(FieldInfo{"GridColor", "", kColour, 0}, record.gridColor);
}

// The grid spacing for a page: at least 10 mm, then at most a fifth of the smaller side cut to whole
// millimetres (0 on a page under 5 mm, which draws no grid).
double PageGridSpacing(double widthMm, double heightMm, double typedSpacingMm);

class PageForm {
  public:
    using Record = PageRecord;
    static PageRecord RecordOf(const CCadMgr& manager);

    void Load(const PageRecord& original) { copy_ = original; }
    PageRecord& Edited() { return copy_; }
    dialogkit::FormEnabling Enabled() const { return {}; }
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    void Apply(CCadMgr& manager) const;

  private:
    PageRecord copy_;
};

}  // namespace dialogs::edit
