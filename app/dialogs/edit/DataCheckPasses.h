// The data check's passes over the selected curves: open contours, curves crossing themselves or each
// other, and segments lying on each other. Each pass writes a progress line, an end line and its
// summary into a report and collects the faulty curves; RunDataCheck runs the chosen passes and leaves
// exactly the faulty curves selected.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

#include "DataCheckReport.h"
#include "DataCheckSettings.h"

class CCadCurve;
class CCadElement;
class CCadMgr;

namespace dialogs::edit {

// The faulty elements in the order found, each once. Holds pointers only.
class DataCheckResults {
  public:
    void AddUniqueResult(CCadElement* element);
    const std::vector<CCadElement*>& Elements() const { return elements_; }

  private:
    std::vector<CCadElement*> elements_;
    std::unordered_set<const CCadElement*> listed_;
};

class DataCheckPasses {
  public:
    // Lets the window repaint while a pass runs. It must not deliver user input: the passes hold
    // pointers into the drawing, which an edit meanwhile would leave dangling.
    using Pump = std::function<void()>;
    // How often the pump runs at most: often enough for the progress line to move, rarely enough that
    // 2·10^8 curve pairs do not spend their time repainting.
    static constexpr std::chrono::milliseconds kPumpInterval{50};
    // The overlap distance without "Enable error", mm.
    static constexpr double kDefaultOverlapTolerance = 0.001;

    DataCheckPasses(DataCheckReport& report, const DataCheckSettings& options, Pump pump = {});

    // Each pass looks at the curve elements of `selection` only; the others still count for the progress.
    // An empty selection writes nothing.
    void CheckClosure(const std::vector<CCadElement*>& selection, DataCheckResults& results);
    void CheckSelfCross(const std::vector<CCadElement*>& selection, DataCheckResults& results);
    // Counts the curves that cross some curve after them in the selection, listing each with the first
    // such partner only.
    void CheckCross(const std::vector<CCadElement*>& selection, DataCheckResults& results);
    // Inside each curve (dropping its zero-length segments), then between curves; counts segment pairs.
    void CheckOverlap(const std::vector<CCadElement*>& selection, DataCheckResults& results);

    // True when two segments of the curve lie on each other; adds the pairs to `counter`. Zero-length
    // segments (under 0.001 mm on both axes) leave the curve first.
    static bool CurveSelfOverlaps(CCadCurve& curve, double tolerance, long& counter);
    // True when a segment of a lies on a segment of b; adds the pairs to `counter`.
    static bool CurvesOverlap(const CCadCurve& a, const CCadCurve& b, double tolerance, long& counter);
    static bool CurvesCross(const CCadCurve& a, const CCadCurve& b);

    // True when a pass changed a curve: closed it, or dropped a zero-length segment.
    bool ChangedDrawing() const { return changedDrawing_; }

  private:
    // The progress line of one pass: its start text with the running percentage, then its end text.
    class Progress {
      public:
        Progress(DataCheckReport& report, std::string startText, double stepPercent);
        void Advance();
        void Finish(const std::string& endText);

      private:
        DataCheckReport& report_;
        std::string startText_;
        double stepPercent_;
        double percent_ = 0.0;
        int line_;
    };

    void MaybePump();
    void PumpNow();
    void AddCount(const char* key, long count, std::uint32_t colour);
    void Summary(long found, const char* noneKey, const char* foundKey);

    DataCheckReport& report_;
    DataCheckSettings options_;
    Pump pump_;
    std::chrono::steady_clock::time_point lastPump_;
    unsigned pumpCalls_ = 0;
    bool changedDrawing_ = false;
};

// What one run of the check did.
struct DataCheckOutcome {
    bool ran = false;             // false: nothing was selected, no pass ran
    bool changedDrawing = false;  // the drawing manager was told once, for one undo step
};

// The "Check" button: runs the passes chosen in `options` over the selection in the fixed order
// (closure, self-crossing, crossing, overlap), then selects exactly the faulty curves and repaints.
// A change to the drawing is notified once.
DataCheckOutcome RunDataCheck(CCadMgr& manager, const DataCheckSettings& options, DataCheckReport& report,
                              DataCheckPasses::Pump pump = {});

}  // namespace dialogs::edit
