// Lead-in and lead-out records from the dialog's controls; see the header.
#include "LeadRecords.h"

#include <cmath>

#include "CadCurve.h"

namespace {

constexpr double kShortestLeadMm = 0.1;
constexpr double kFullTurnDegrees = 360.0;

}  // namespace

LeadEntries LeadEntriesOf(const CutInOutPara& record) {
    return {record.enabled != 0, record.kind, record.lineMode, record.side == 1, record.length, record.angle};
}

double WrapLeadAngle(double angleDegrees) {
    if (!std::isfinite(angleDegrees)) {
        return 0.0;
    }
    if (angleDegrees >= 0.0 && angleDegrees <= kFullTurnDegrees) {
        return angleDegrees;
    }
    double wrapped = std::fmod(angleDegrees, kFullTurnDegrees);
    if (wrapped < 0.0) {
        wrapped += kFullTurnDegrees;
    }
    // Lowering a positive angle turn by turn stops at 360, not at 0.
    if (wrapped == 0.0 && angleDegrees > 0.0) {
        return kFullTurnDegrees;
    }
    return wrapped + 0.0;  // never -0
}

CutInOutPara BuildLeadRecord(const LeadEntries& entries) {
    CutInOutPara record = CCadCurve::DefaultLead();
    record.enabled = entries.enabled ? 1 : 0;
    record.kind = static_cast<std::uint16_t>(entries.lineType);
    record.lineMode = static_cast<std::uint16_t>(entries.position);
    record.side = entries.male ? 1 : 0;
    const double length = std::isfinite(entries.lengthMm) ? entries.lengthMm : 0.0;
    record.length = length < kShortestLeadMm ? kShortestLeadMm : length;
    record.angle = WrapLeadAngle(entries.angleDegrees);
    return record;
}

LeadControls LeadControlsFor(const LeadEntries& entries) {
    LeadControls controls;
    controls.enabled = entries.enabled;
    if (entries.lineType == 1) {
        controls.positionShown = false;
        controls.angleShown = false;
        controls.sidesShown = true;
        return controls;
    }
    controls.angleShown = entries.position == 0;
    controls.lengthShown = entries.position != 1;
    return controls;
}
