// The file parameters dialog by control ids: OK holds what was typed to its ranges, Cancel keeps the
// settings, and the custom DXF factor shows only for the custom unit.
#include <gtest/gtest.h>

#include "FileParaDlg.h"
#include "LayerDialogFixture.h"

namespace {

using File = CFileParaDlg;
using FileParaDlgTest = LayerDialogFixture;

TEST_F(FileParaDlgTest, OkHoldsTypedValuesToTheirRanges) {
    FileParaSettings settings;
    File dialog(nullptr, settings);
    Get<QComboBox>(dialog, File::kPltPrecisionList).setEditText("20000");
    Get<QLineEdit>(dialog, File::kExportPrecisionEdit).setText("350");
    Get<QLineEdit>(dialog, File::kCloseErrorEdit).setText("7.5");
    Get<QComboBox>(dialog, File::kVelocityUnitList).setCurrentIndex(0);
    Get<QLineEdit>(dialog, File::kSmoothPrecisionEdit).setText("90");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(settings.pltPrecision, 10000);
    EXPECT_DOUBLE_EQ(settings.exportPrecision, 3.0);
    EXPECT_EQ(settings.closeErrorMm, 3.0);
    EXPECT_EQ(settings.velocityUnit, 0);
    EXPECT_EQ(settings.smoothPrecision, 0.3);
}

TEST_F(FileParaDlgTest, CancelKeepsTheSettingsButOpeningMendedTheTolerance) {
    FileParaSettings settings;
    settings.closeErrorMm = 7.5;
    File dialog(nullptr, settings);
    EXPECT_EQ(Text(dialog, File::kCloseErrorEdit), "3");
    Get<QComboBox>(dialog, File::kPltPrecisionList).setEditText("5");
    Click(dialog, dialogkit::kCancelButton);
    EXPECT_EQ(settings.pltPrecision, 1016);
    EXPECT_EQ(settings.closeErrorMm, 3.0);
}

TEST_F(FileParaDlgTest, CustomFactorShowsOnlyForTheCustomUnit) {
    FileParaSettings settings;
    File dialog(nullptr, settings);
    dialog.show();
    EXPECT_FALSE(Get<QLineEdit>(dialog, File::kDxfFactorEdit).isVisible());
    Get<QComboBox>(dialog, File::kDxfUnitList).setCurrentIndex(3);
    EXPECT_TRUE(Get<QLineEdit>(dialog, File::kDxfFactorEdit).isVisible());
    Get<QLineEdit>(dialog, File::kDxfFactorEdit).setText("0");
    Click(dialog, dialogkit::kOkButton);
    EXPECT_EQ(settings.dxfUnit, 3);
    EXPECT_EQ(settings.dxfScale, 1.0);
}

}  // namespace
