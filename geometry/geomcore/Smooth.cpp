// The smoothing entry point: circle recognition first, then one of the two fitting methods.
#include <algorithm>
#include <vector>

#include "CornerSplitFit.h"
#include "Geomcore.h"
#include "GreedyBezierFit.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Fewer records than this are left as they are.
constexpr int kMinSmoothedRecords = 3;

bool AllFinite(const std::vector<CFileLine>& records) {
    return std::all_of(records.begin(), records.end(),
                       [](const CFileLine& record) { return record.HasFiniteCoordinates(); });
}

}  // namespace

// The tolerance is part of the callers' interface but takes no part in the fit. A source with a
// non-finite coordinate, a missing target for a result that belongs there, or a target that is the
// source itself give status 1 and change nothing.
GeomStatus _math_c_smooth(FileLineList* source, FileLineList* target, double /*toleranceMm*/, double strength,
                          int mode, int inPlace) {
    if (source == nullptr || source == target || (target == nullptr && inPlace == 0)) {
        return 1;
    }
    const std::vector<CFileLine> records = CopyRecords(*source);
    if (!AllFinite(records)) {
        return 1;
    }
    strength = strength > 0.0 ? std::min(strength, 1.0) : 0.0;
    if (target != nullptr) {
        FreeRecords(*target);
    }
    if (static_cast<int>(records.size()) < kMinSmoothedRecords || strength == 0.0) {
        if (inPlace == 0) {
            for (const CFileLine& record : records) {
                AppendRecord(*target, record);
            }
        }
        return 0;
    }
    FileLineList fitted;
    int found = 0;
    ArcRecord circle;
    if (_math_c_arcfit(source, &fitted, &found, &circle) != 0) {
        if (mode == 0) {
            CornerSplitFit(records, strength, fitted);
        } else {
            GreedyBezierFit(records, strength, fitted);
        }
    }
    if (inPlace != 0) {
        FreeRecords(*source);
        MoveRecords(fitted, *source);
    } else {
        MoveRecords(fitted, *target);
    }
    return 0;
}
