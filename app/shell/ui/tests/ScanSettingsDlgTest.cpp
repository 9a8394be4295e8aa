#include "ScanSettingsDlg.h"

#include <QComboBox>

#include "SettingsGlobals.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

class ScanSettingsDlgTest : public platform::WidgetTest {
  protected:
    static QComboBox* Choice(const QDialog& dialog, int id) {
        for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
            if (platform::ControlId(*box) == id) {
                return box;
            }
        }
        return nullptr;
    }
};

TEST_F(ScanSettingsDlgTest, ItStartsAtTheDevicesValuesAndGivesBackWhatIsChosen) {
    LanguageIndex = kLanguageEnglish;
    const platform::ScanSettings offered{{"Gray", "Color"}, "Gray",         {"Flatbed", "ADF"},
                                         "Flatbed",         {75, 150, 300}, 150};
    CScanSettingsDlg dialog(offered);
    QComboBox* mode = Choice(dialog, CScanSettingsDlg::kModeId);
    QComboBox* source = Choice(dialog, CScanSettingsDlg::kSourceId);
    QComboBox* resolution = Choice(dialog, CScanSettingsDlg::kResolutionId);
    ASSERT_TRUE(mode && source && resolution);
    EXPECT_EQ(mode->currentText(), QStringLiteral("Gray"));
    EXPECT_EQ(resolution->count(), 3);
    EXPECT_EQ(resolution->currentText(), QStringLiteral("150"));

    mode->setCurrentText(QStringLiteral("Color"));
    source->setCurrentText(QStringLiteral("ADF"));
    resolution->setCurrentText(QStringLiteral("300"));
    const platform::ScanSettings chosen = dialog.Settings();
    EXPECT_EQ(chosen.mode, "Color");
    EXPECT_EQ(chosen.source, "ADF");
    EXPECT_EQ(chosen.resolution, 300);
    EXPECT_EQ(chosen.modes, offered.modes);
}

TEST_F(ScanSettingsDlgTest, AChoiceTheDeviceDoesNotOfferIsNotShownAndStaysEmpty) {
    const platform::ScanSettings offered{{"Lineart", "Gray"}, "Gray", {}, "", {}, 0};
    CScanSettingsDlg dialog(offered);
    EXPECT_NE(Choice(dialog, CScanSettingsDlg::kModeId), nullptr);
    EXPECT_EQ(Choice(dialog, CScanSettingsDlg::kSourceId), nullptr);
    EXPECT_EQ(Choice(dialog, CScanSettingsDlg::kResolutionId), nullptr);
    EXPECT_EQ(dialog.Settings().source, "");
    EXPECT_EQ(dialog.Settings().resolution, 0);
}

}  // namespace
