// The cutting-order options dialog without its window: the handlers of its boxes over a copy of the
// order settings, which boxes are greyed, and OK, which stores the copy and orders the drawing at once.
#pragma once

#include <optional>

#include "FormProblem.h"
#include "SettingsRecords.h"

class CCadMgr;

class COptimDlg {
  public:
    static constexpr int kLayerOrderCheck = 1000;
    static constexpr int kInsideToOutsideCheck = 1255;
    static constexpr int kInnerModeCombo = 1256;
    static constexpr int kBandHeightEdit = 1260;
    static constexpr int kDirectionCombo = 1262;
    static constexpr int kAutoStartDirCheck = 1001;
    static constexpr int kStartPointCheck = 1002;
    static constexpr int kBlockFrame = 1061;
    static constexpr int kHeightLabel = 1259;
    static constexpr int kDirectionLabel = 1261;

    // The band height an entry is kept within, mm.
    static constexpr double kMinBandHeightMm = 1.0;
    static constexpr double kMaxBandHeightMm = 100000.0;
    static constexpr std::uint16_t kFindCuttingPort = 1;
    static constexpr std::uint16_t kLastDirection = 3;

    void LoadSettings(const OptimSettings& settings) { edited_ = settings; }
    const OptimSettings& Edited() const { return edited_; }

    void OnLayerOrder(bool checked) { edited_.orderOfLayer = checked ? 1 : 0; }
    void OnInsideToOutside(bool checked) { edited_.insideToOutside = checked ? 1 : 0; }
    void OnAutoStartDir(bool checked) { edited_.autoStartPointAndDirection = checked ? 1 : 0; }
    void OnStartPointOptimize(bool checked) { edited_.startPointOptimise = checked ? 1 : 0; }
    void OnInnerModeChange(int selection);

    // Which boxes may be used for the copy: the nesting mode only with nesting on; with nesting that
    // also finds the cutting port, that mode picks the start points and both start-point boxes are
    // greyed (keeping their ticks); otherwise choosing start nodes of closed curves rules out choosing
    // start and direction of every curve.
    dialogkit::FormEnabling UpdateEnables() const;

    // The band height as OK stores it: kept within 1 to 100000 mm.
    static double ClampBandHeight(double heightMm);

    // OK: the height entry (nothing when it is no number: the problem to show, and nothing is stored)
    // and the direction are taken into the copy, the copy becomes `settings`, and the drawing is ordered
    // by it in one change: across layers from the start corner of the drawing's extent, or layer by layer
    // when the order of layers is kept.
    std::optional<dialogkit::FormProblem> OnOK(std::optional<double> heightEntryMm, int directionSelection,
                                               OptimSettings& settings, CCadMgr& manager);

  private:
    OptimSettings edited_;
};
