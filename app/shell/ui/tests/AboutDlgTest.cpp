#include "AboutDlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "LanguageTexts.h"
#include "SettingsGlobals.h"
#include "VendorInfo.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

namespace {

class AboutDlgTest : public platform::WidgetTest {
  protected:
    AboutDlgTest() {
        WriteDefaultTexts();
        for (int entry = 0; entry < 10; ++entry) {
            gVendorInfo.entries[static_cast<std::size_t>(entry)] = "entry " + std::to_string(entry);
        }
    }
    ~AboutDlgTest() override { LanguageIndex = kLanguageEnglish; }

    // The text of the control with the id.
    static std::string TextOf(const QDialog& dialog, int id) {
        for (QWidget* control : dialog.findChildren<QWidget*>()) {
            if (platform::ControlId(*control) != id) {
                continue;
            }
            if (auto* label = qobject_cast<QLabel*>(control)) {
                return label->text().toStdString();
            }
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                return edit->text().toStdString();
            }
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                return button->text().toStdString();
            }
        }
        return "(none)";
    }
};

TEST_F(AboutDlgTest, EachVendorLabelAndValueGoesToItsControl) {
    LanguageIndex = kLanguageEnglish;
    const CAboutDlg dialog;
    const std::pair<int, const char*> controls[] = {
        {1055, "entry 0"}, {1056, "entry 2"}, {1057, "entry 4"}, {1058, "entry 6"},
        {1059, "entry 8"}, {1050, "entry 1"}, {1052, "entry 3"}, {1051, "entry 5"},
        {1053, "entry 7"}, {1054, "entry 9"}, {1060, "OK"},
    };
    for (const auto& [id, text] : controls) {
        EXPECT_EQ(TextOf(dialog, id), text) << id;
    }
    EXPECT_EQ(TextOf(dialog, 1069), GetLangText("Menu", "Ver"));
    EXPECT_EQ(dialog.windowTitle().toStdString(), "About");
}

TEST_F(AboutDlgTest, TheCaptionAndButtonFollowTheLanguage) {
    const std::tuple<int, const char*, const char*> cases[] = {
        {kLanguageSimplifiedChinese, "关于", "确定"}, {1, "About", "OK"}, {3, "About", "OK"}};
    for (const auto& [language, caption, button] : cases) {
        LanguageIndex = static_cast<std::uint16_t>(language);
        const CAboutDlg dialog;
        EXPECT_EQ(dialog.windowTitle().toStdString(), caption) << language;
        EXPECT_EQ(TextOf(dialog, CAboutDlg::kCloseId), button) << language;
    }
}

TEST_F(AboutDlgTest, TheCloseButtonEndsWithOk) {
    CAboutDlg dialog;
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        QMetaObject::invokeMethod(button, &QPushButton::click, Qt::QueuedConnection);
    }
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace
