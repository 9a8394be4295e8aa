#include <gtest/gtest.h>

#include <deque>
#include <initializer_list>
#include <vector>

#include "PathExports.h"

namespace {

// A dialog that answers from a script and keeps what it was asked.
struct ScriptedDialog {
    explicit ScriptedDialog(std::initializer_list<std::optional<std::string>> script) : answers(script) {}

    std::deque<std::optional<std::string>> answers;
    std::vector<LocateFileRequest> requests;

    LocateFileDialog AsDialog() {
        return [this](const LocateFileRequest& request) {
            requests.push_back(request);
            std::optional<std::string> answer = answers.front();
            answers.pop_front();
            return answer;
        };
    }
};

}  // namespace

TEST(LocateFile, AsksWithTitleNameAndFilters) {
    ScriptedDialog dialog{{std::string("/media/usb/Param.lib")}};
    std::string out;
    EXPECT_EQ(_path_LocateFile(".lib", "Param.lib", &out, dialog.AsDialog()), 0);
    EXPECT_EQ(out, "/media/usb/Param.lib");
    ASSERT_EQ(dialog.requests.size(), 1u);
    const LocateFileRequest& request = dialog.requests[0];
    EXPECT_EQ(request.title, "Locate");
    EXPECT_EQ(request.initialName, "Param.lib");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].label, "*.lib");
    EXPECT_EQ(request.filters[0].pattern, "*.lib");
    EXPECT_EQ(request.filters[1].label, "All Files(*.*)");
}

TEST(LocateFile, WithoutPatternOnlyAllFiles) {
    ScriptedDialog dialog{{std::string("/any/file")}};
    std::string out;
    EXPECT_EQ(_path_LocateFile("", "", &out, dialog.AsDialog()), 0);
    EXPECT_EQ(out, "/any/file");
    EXPECT_EQ(dialog.requests[0].filters.size(), 1u);
}

TEST(LocateFile, AnotherNameReopensAndTheSameNameInOtherCaseIsAccepted) {
    ScriptedDialog dialog{{std::string("/a/Other.lib"), std::string(""), std::string("/b/PARAM.LIB")}};
    std::string out;
    EXPECT_EQ(_path_LocateFile(".lib", "Param.lib", &out, dialog.AsDialog()), 0);
    EXPECT_EQ(out, "/b/PARAM.LIB");
    EXPECT_EQ(dialog.requests.size(), 3u);
}

TEST(LocateFile, CancelOrNoDialogGivesOneAndLeavesOut) {
    ScriptedDialog dialog{{std::string("/a/Other.lib"), std::nullopt}};
    std::string out = "untouched";
    EXPECT_EQ(_path_LocateFile(".lib", "Param.lib", &out, dialog.AsDialog()), 1);
    EXPECT_EQ(_path_LocateFile(".lib", "Param.lib", &out, LocateFileDialog()), 1);
    EXPECT_EQ(out, "untouched");
}
