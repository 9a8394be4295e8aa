// The configuration dialog: swatches, bars and the anchor buttons.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRadioButton>

#include "GradientBar.h"
#include "PreviewCfgDlg.h"
#include "PreviewLanguage.h"
#include "WidgetTestApplication.h"

namespace {

TEST(PreviewCfgDlg, PickedPowerColourReachesItsBar) {
    platform::EnsureWidgetApplication();
    CTextStore texts;
    CPreviewCfgDlg dialog(texts);
    dialog.SetValues(simscope::PreviewColors{}, 2, 0);
    dialog.SetColorChooser([] { return std::optional<platform::ColorRef>(platform::Rgb(9, 9, 9)); });
    dialog.PickColor(1059);
    auto* bar = dialog.findChild<CGradientBar*>("1061");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->EndColor(), platform::Rgb(9, 9, 9));
    EXPECT_EQ(dialog.Colors().simulate100, platform::Rgb(9, 9, 9));
    dialog.SetColorChooser([] { return std::nullopt; });
    dialog.PickColor(1052);
    EXPECT_EQ(dialog.Colors().background, simscope::PreviewColors{}.background);
}

TEST(PreviewCfgDlg, AnchorButtonsMapToCornerCodes) {
    platform::EnsureWidgetApplication();
    CTextStore texts;
    CPreviewCfgDlg dialog(texts);
    struct Case {
        const char* button;
        std::uint32_t corner;
    };
    for (const Case c : {Case{"2000", 0}, Case{"2002", 1}, Case{"2003", 2}, Case{"2001", 3}}) {
        dialog.findChild<QRadioButton*>(c.button)->click();
        EXPECT_EQ(dialog.AnchorCorner(), c.corner) << c.button;
        EXPECT_TRUE(dialog.findChild<QRadioButton*>(c.button)->isChecked());
    }
    dialog.SetValues(simscope::PreviewColors{}, 2, 7);
    for (const char* button : {"2000", "2001", "2002", "2003"}) {
        EXPECT_FALSE(dialog.findChild<QRadioButton*>(button)->isChecked()) << button;
    }
}

}  // namespace
