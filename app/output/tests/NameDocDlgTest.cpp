// The document name dialog's OK: which names close it, and the one message a refused name shows.
#include <gtest/gtest.h>

#include "NameDocDlg.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"

namespace {

struct NameCase {
    const char* typed;
    bool accepted;
    const char* message;  // the box a refused name shows; empty for an accepted one
};

class NameDocDlgTest : public ::testing::TestWithParam<NameCase> {
  protected:
    NameDocDlgTest() { LanguageIndex = 1; }
    ~NameDocDlgTest() override { LanguageIndex = 1; }
};

TEST_P(NameDocDlgTest, OkClosesOnlyOnAValidName) {
    const NameCase& nameCase = GetParam();
    CNameDocDlg dialog;
    dialog.name = "DEFAULT";
    platform::RecordingMessageSink messages;

    EXPECT_EQ(dialog.OnOK(nameCase.typed, messages), nameCase.accepted);

    EXPECT_EQ(dialog.name, nameCase.typed);  // kept as typed, in its case, either way
    const auto shown = messages.Shown();
    if (nameCase.accepted) {
        EXPECT_TRUE(shown.empty());
    } else {
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, nameCase.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Names, NameDocDlgTest,
                         ::testing::Values(NameCase{"", false, "Document name is empty!"},
                                           NameCase{"ab c", false, "Document name must be (0-9) or (A-Z)!"},
                                           NameCase{"abc.1", true, ""},
                                           NameCase{"abcdefghi", false, "Document name is too long!"},
                                           NameCase{"abcdefgh", true, ""},
                                           NameCase{"job:1", false, "Document name must be (0-9) or (A-Z)!"},
                                           NameCase{"切割图样", true, ""},
                                           NameCase{"切割图样1", false, "Document name is too long!"}));

}  // namespace
