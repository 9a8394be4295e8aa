// Lead-in and lead-out records as OK builds them from the dialog's controls, and what each side shows.
#include <gtest/gtest.h>

#include <vector>

#include "CadCurve.h"
#include "LeadRecords.h"

namespace {

struct AngleCase {
    double typed;
    double stored;
};

TEST(LeadRecords, AnglesEndInOneTurnWithoutLooping) {
    const std::vector<AngleCase> cases = {
        {-30.0, 330.0}, {725.0, 5.0},  {360.0, 360.0}, {720.0, 360.0},
        {0.0, 0.0},     {-360.0, 0.0}, {45.5, 45.5},   {-725.0, 355.0},
    };
    for (const AngleCase& c : cases) {
        EXPECT_DOUBLE_EQ(WrapLeadAngle(c.typed), c.stored) << c.typed;
    }
}

TEST(LeadRecords, AngleTooLargeForTurnByTurnReductionStillEndsInRange) {
    for (const double huge : {1e300, -1e300, 1.7e308}) {
        const double wrapped = WrapLeadAngle(huge);
        EXPECT_GE(wrapped, 0.0) << huge;
        EXPECT_LE(wrapped, 360.0) << huge;
    }
}

TEST(LeadRecords, RecordTakesTheControlsAndResetsWhatIsComputed) {
    LeadEntries entries;
    entries.enabled = true;
    entries.lineType = 1;
    entries.position = 2;
    entries.male = true;
    entries.lengthMm = 0.05;
    entries.angleDegrees = -30.0;
    const CutInOutPara record = BuildLeadRecord(entries);
    EXPECT_EQ(record.enabled, 1);
    EXPECT_EQ(record.kind, 1);
    EXPECT_EQ(record.lineMode, 2);
    EXPECT_EQ(record.side, 1);
    EXPECT_EQ(record.length, 0.1);
    EXPECT_EQ(record.angle, 330.0);
    const CutInOutPara fresh = CCadCurve::DefaultLead();
    EXPECT_EQ(record.radius, fresh.radius);
    EXPECT_EQ(record.arcStartAngle, fresh.arcStartAngle);
    EXPECT_EQ(record.arcEndAngle, fresh.arcEndAngle);
    EXPECT_EQ(record.leadPoint.x, 0.0);
    EXPECT_EQ(record.arcCentre.y, 0.0);
}

TEST(LeadRecords, StoredRecordFillsTheControlsAndComesBackUnchanged) {
    CutInOutPara stored = CCadCurve::DefaultLead();
    stored.enabled = 1;
    stored.kind = 0;
    stored.lineMode = 0;
    stored.length = 3.0;
    stored.angle = 90.0;
    const LeadEntries entries = LeadEntriesOf(stored);
    EXPECT_EQ(entries, (LeadEntries{true, 0, 0, false, 3.0, 90.0}));
    const CutInOutPara again = BuildLeadRecord(entries);
    EXPECT_EQ(again.length, 3.0);
    EXPECT_EQ(again.angle, 90.0);
}

struct ControlsCase {
    const char* what;
    LeadEntries entries;
    LeadControls controls;
};

TEST(LeadRecords, EachLineTypeAndPositionShowsItsOwnControls) {
    const std::vector<ControlsCase> cases = {
        {"line with angle", {true, 0, 0}, {true, true, true, true, false}},
        {"line at centre", {true, 0, 1}, {true, false, true, false, false}},
        {"line from centre", {true, 0, 2}, {true, true, true, false, false}},
        {"arc hides position and angle", {true, 1, 0}, {true, true, false, false, true}},
        {"disabled arc", {false, 1, 2}, {false, true, false, false, true}},
    };
    for (const ControlsCase& c : cases) {
        EXPECT_EQ(LeadControlsFor(c.entries), c.controls) << c.what;
    }
}

}  // namespace
