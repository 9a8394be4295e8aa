#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "ImportDialog.h"

namespace {

class ImportDialogTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() / ("filebridge-dialog-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override {
        filebridge::SetFileChooser({});
        std::filesystem::remove_all(folder_);
    }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    static void Free(CDbList<CFileDraw*>& records) {
        for (auto* node = records.head->next; node != records.head; node = node->next) {
            delete node->value;
        }
        records.RemoveAll();
    }

    std::filesystem::path folder_;
    std::array<std::uint32_t, 256> colours_{};
};

TEST(ImportDialogFilterTest, ConvertsBarSeparatedFiltersToQtForm) {
    EXPECT_EQ(filebridge::QtFilterOf("Supported Files|*.ai;*.dxf;*.plt|AI Files (*.ai)|*.ai|"),
              "Supported Files (*.ai *.dxf *.plt);;AI Files (*.ai) (*.ai)");
    EXPECT_EQ(filebridge::QtFilterOf("Morvane Files (*.zint)|*.zint|"), "Morvane Files (*.zint) (*.zint)");
    EXPECT_EQ(filebridge::QtFilterOf(""), "");
}

TEST_F(ImportDialogTest, ResultsFollowTheChoiceAndTheFlag) {
    const std::string good = Write("square.plt", "IN;SP1;PU0,0;PD100,0,100,100;PU;SP0;");
    const std::string bad = Write("broken.ai", "%PDF-1.4 nothing");
    struct Case {
        std::optional<std::string> chosen;
        int flag;
        short result;
        int records;
    };
    const Case cases[] = {
        {bad, 1, 1, 0},           // chosen, import failed: its reason must not outlive the next choice
        {std::nullopt, 1, 0, 0},  // cancelled
        {good, 1, 2, 1},          // chosen and imported
        {good, 0, 2, 0},          // chosen only
        {bad, 1, 1, 0},           // chosen, import failed
        {bad, 0, 2, 0},           // choosing alone does not read the file
    };
    for (const Case& c : cases) {
        std::string seenFilter;
        filebridge::SetFileChooser([&](const std::string& filter, const std::string&) {
            seenFilter = filter;
            return c.chosen;
        });
        CDbList<CFileDraw*> records;
        std::string path;
        const short result = _file_Import("PLT Files (*.plt)|*.plt|", "Import", 1, c.flag, &path, colours_.data(),
                                          0, 1016.0, 1.0, 0, 1, c.flag == 1 ? &records : nullptr);
        EXPECT_EQ(result, c.result) << c.chosen.value_or("cancelled") << " flag " << c.flag;
        EXPECT_EQ(records.GetCount(), c.records);
        EXPECT_EQ(path, c.chosen.value_or(""));
        EXPECT_EQ(seenFilter, "PLT Files (*.plt) (*.plt)");
        // The reason of a failed import is there to show; a success or a cancel leaves none behind.
        EXPECT_EQ(std::string(_file_LastImportFailure()).empty(), c.result != 1) << _file_LastImportFailure();
        Free(records);
    }
}

}  // namespace
