// The docking tab panel: its pages, the page shown, and the captions of the language.
#include "DockPlatDlg.h"

#include <QTabWidget>

#include "CommandTable.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"
#include "WidgetTestApplication.h"

namespace {

class DockPlatDlgTest : public platform::WidgetTest {
  protected:
    DockPlatDlgTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
    }
};

TEST_F(DockPlatDlgTest, ShowPageKeepsTheIndexWithinTheSixPages) {
    CDockPlatDlg panel;
    struct Case {
        int asked;
        int shown;
    };
    for (const Case& c : {Case{9, 5}, Case{-2, 0}, Case{3, 3}}) {
        panel.ShowPage(c.asked);
        EXPECT_EQ(panel.CurrentPage(), c.shown) << c.asked;
    }
}

TEST_F(DockPlatDlgTest, PagesNotBuiltYetStandDisabledAndSaySo) {
    CDockPlatDlg panel;
    const QString later = QString::fromStdString(LaterCommandStatusText());
    for (int index = 0; index < CDockPlatDlg::kPageCount; ++index) {
        SCOPED_TRACE(index);
        ASSERT_TRUE(IsLaterCommand(CDockPlatDlg::kPages[static_cast<std::size_t>(index)].dialogTemplate));
        panel.ShowPage(index);
        EXPECT_FALSE(panel.Tabs().isTabEnabled(index));
        EXPECT_FALSE(panel.Page(index)->isEnabled());
        EXPECT_EQ(panel.Page(index)->statusTip(), later);
    }
}

TEST_F(DockPlatDlgTest, TabsReadTheCaptionsOfTheLanguage) {
    CDockPlatDlg panel;
    QStringList captions;
    for (int index = 0; index < CDockPlatDlg::kPageCount; ++index) {
        captions << panel.Tabs().tabText(index);
    }
    EXPECT_EQ(captions, (QStringList{"Work", "Output", "Doc", "User", "Test", "Transform"}));

    LanguageIndex = kLanguageSimplifiedChinese;
    WriteDefaultTexts();
    panel.UpdateTexts();
    EXPECT_EQ(panel.Tabs().tabText(5), QStringLiteral("变换"));
    EXPECT_EQ(panel.Page(0)->statusTip().toStdString(), LaterCommandStatusText());
}

}  // namespace
