// The headless half of the lead-in and lead-out dialog: what each side's controls hold, the records
// built from them on OK, and which controls each side shows.
#pragma once

#include "Geomcore.h"

// One side's controls (the lead-in's or the lead-out's).
struct LeadEntries {
    bool enabled = false;
    int lineType = 0;  // 0 line, 1 arc
    int position = 0;  // line only: 0 with angle, 1 at centre, 2 from/to centre
    bool male = false;
    double lengthMm = 5.0;
    double angleDegrees = 0.0;
    bool operator==(const LeadEntries&) const = default;
};

// The controls of one side as a stored record shows them.
LeadEntries LeadEntriesOf(const CutInOutPara& record);
// The record OK builds from a fresh curve's lead (computed parts reset), the length at least 0.1 mm, the
// angle in 0..360.
CutInOutPara BuildLeadRecord(const LeadEntries& entries);
// An angle brought into 0..360 by whole turns; a positive whole number of turns stays 360, and angles
// too large to carry a fraction of a turn still end in range.
double WrapLeadAngle(double angleDegrees);

// Which of one side's controls are shown and which enabled.
struct LeadControls {
    bool enabled = false;  // every value control of the side
    bool lengthShown = true;
    bool positionShown = true;
    bool angleShown = true;
    bool sidesShown = false;
    bool operator==(const LeadControls&) const = default;
};
LeadControls LeadControlsFor(const LeadEntries& entries);
