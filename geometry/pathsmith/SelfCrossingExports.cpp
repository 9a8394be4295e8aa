// Zint_IsSelfCross.
#include "Contours.h"
#include "ExportGuard.h"
#include "Pathsmith.h"

short Zint_IsSelfCross(CDbList<CLineEx>* segments) {
    return pathsmith::Guarded([&]() -> short {
        if (segments == nullptr || segments->IsEmpty() || !pathsmith::HasFiniteCoordinates(*segments)) {
            return 1;
        }
        return pathsmith::ContourCrossesItself(pathsmith::ChordsOf(*segments)) ? 0 : 1;
    });
}
