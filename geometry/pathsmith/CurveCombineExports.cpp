// Zint_CurveCombine (placeholder until the merge engine lands).
#include "Pathsmith.h"

short Zint_CurveCombine(CDbList<CMyCurve*>*) {
    return 0;
}
