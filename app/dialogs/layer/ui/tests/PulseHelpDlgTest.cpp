// The rotary help window shows the help of the interface language, Chinese or English.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "LayerDialogFixture.h"
#include "PulseHelpDlg.h"

namespace {

using PulseHelpDlgTest = LayerDialogFixture;

TEST_F(PulseHelpDlgTest, ShowsTheHelpOfTheLanguageReadOnly) {
    for (const auto& [language, caption] : {std::pair{0, "帮助"}, std::pair{3, "Help"}}) {
        LanguageIndex = static_cast<std::uint16_t>(language);
        CPulseHelpDlg dialog(nullptr);
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(caption));
        const QPlainTextEdit& text = Get<QPlainTextEdit>(dialog, CPulseHelpDlg::kHelpText);
        EXPECT_TRUE(text.isReadOnly());
        EXPECT_TRUE(text.toPlainText().startsWith("\n"));
    }
    LanguageIndex = kLanguageEnglish;
}

}  // namespace
