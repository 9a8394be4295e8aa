// The language of the main window on a first start, with a fresh program folder: the system locale's
// when no "config" exists yet; the one "config" holds on every later start, whatever the locale.
#include <QAction>
#include <QMenuBar>

#include <memory>

#include "CadMgr.h"
#include "LanguageTexts.h"
#include "MainFrame.h"
#include "ScopedEnvironment.h"
#include "SettingsFiles.h"
#include "SettingsGlobals.h"
#include "TempHome.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

namespace {

class FirstStartLanguageTest : public platform::WidgetTest {};

// The File menu's title, as the program shows it after starting in `home` under `lang`.
QString FileMenuAfterStart(const std::filesystem::path& home, const char* lang) {
    cutrix::testing::ScopedEnvironment environment;
    environment.Set("CUTRIX_HOME", home.c_str()).Set("LC_ALL", nullptr).Set("LC_MESSAGES", nullptr).Set("LANG", lang);
    LanguageIndex = kLanguageSimplifiedChinese;
    LoadAllSettings();
    SelectLanguage();
    CUndoStore::Init();
    auto manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
    const QList<QAction*> menus = frame.menuBar()->actions();
    return menus.isEmpty() ? QString() : menus.front()->text();
}

TEST_F(FirstStartLanguageTest, MenusFollowTheLocaleOnTheFirstStartAndConfigAfterwards) {
    struct Case {
        const char* lang;
        const char* fileMenu;
    };
    const Case cases[] = {{"en_US.UTF-8", "File(&F)"}, {"zh_CN.UTF-8", "文件(&F)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lang);
        const std::filesystem::path home = cutrix::testing::TempHome() / c.lang;
        EXPECT_EQ(FileMenuAfterStart(home, c.lang), QString::fromUtf8(c.fileMenu));
        const char* otherLang = c.lang == cases[0].lang ? cases[1].lang : cases[0].lang;
        EXPECT_EQ(FileMenuAfterStart(home, otherLang), QString::fromUtf8(c.fileMenu)) << "config's language wins";
    }
}

}  // namespace
