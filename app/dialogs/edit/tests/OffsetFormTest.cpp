#include "OffsetForm.h"

#include <gtest/gtest.h>

#include "CadMgrFixture.h"
#include "RecordForm.h"

namespace {

using namespace dialogs::edit;

class OffsetFormTest : public CadMgrFixture {};

TEST_F(OffsetFormTest, DistanceIsBroughtIntoZeroToHundredOnOk) {
    struct Case {
        const char* typed;
        double storedMm;
    };
    for (const Case c : {Case{"150", 100.0}, Case{"-2", 0.0}, Case{"2.5", 2.5}}) {
        OffsetForm form;
        form.Load(OffsetForm::RecordOf(*manager));
        dialogkit::FormEntries entries;
        entries.EnterText(kOffsetDistanceEdit, c.typed);
        ASSERT_FALSE(dialogkit::SubmitEntries(form, entries));
        form.Apply(*manager);
        EXPECT_DOUBLE_EQ(manager->offsetDistance, c.storedMm) << c.typed;
    }
}

TEST_F(OffsetFormTest, UnknownStoredModeOpensInwardAndIsStoredBackAsInward) {
    manager->offsetWord = 7;
    OffsetForm form;
    form.Load(OffsetForm::RecordOf(*manager));
    EXPECT_EQ(form.Edited().Mode(), OffsetMode::kInward);
    EXPECT_EQ(form.Edited().inward + form.Edited().outward + form.Edited().byNesting, 1);
    form.Apply(*manager);
    EXPECT_EQ(manager->offsetWord, 0);
}

TEST_F(OffsetFormTest, RadiosChooseTheModeAndTheDeleteBoxTheSourceCurves) {
    struct Case {
        int radio;
        OffsetMode mode;
    };
    for (const Case c : {Case{kInwardRadio, OffsetMode::kInward}, Case{kOutwardRadio, OffsetMode::kOutward},
                         Case{kByNestingRadio, OffsetMode::kByNesting}}) {
        OffsetForm form;
        form.Load(OffsetForm::RecordOf(*manager));
        dialogkit::FormEntries entries;
        for (int radio : {kInwardRadio, kOutwardRadio, kByNestingRadio}) {
            entries.EnterNumber(radio, radio == c.radio ? 1 : 0);
        }
        entries.EnterNumber(kDeleteSourceBox, 1);
        ASSERT_FALSE(dialogkit::SubmitEntries(form, entries));
        EXPECT_EQ(form.Edited().Mode(), c.mode);
        EXPECT_EQ(form.Edited().deleteSource, 1);
    }
}

TEST_F(OffsetFormTest, OutwardOffsetOfASquareGrowsItByTheDistance) {
    AddSquare(0, 0, 10);
    manager->SelectAll();
    OffsetForm form;
    OffsetRecord record = OffsetForm::RecordOf(*manager);
    record.distanceMm = 2.0;
    record.SetMode(OffsetMode::kOutward);
    form.Load(record);
    form.Apply(*manager);
    ASSERT_EQ(Selected().size(), 1u);
    const CCadRect grown = Selected().front()->rect;
    EXPECT_NEAR(grown.x1, -2.0, 1e-6);
    EXPECT_NEAR(grown.x2, 12.0, 1e-6);
    EXPECT_EQ(Elements().size(), 2u);
}

}  // namespace
