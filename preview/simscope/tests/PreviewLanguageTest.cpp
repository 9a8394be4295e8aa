// The preview's language files: which file, which texts, and that an existing file is never completed.
#include <gtest/gtest.h>

#include <fstream>

#include "AtomicFile.h"
#include "PreviewLanguage.h"
#include "TempHome.h"

namespace simscope {
namespace {

std::string FileText(const std::filesystem::path& file) {
    const auto bytes = platform::ReadWholeFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

TEST(PreviewLanguage, MissingFileIsWrittenWithTheTextsOfTheLanguage) {
    struct Case {
        std::uint32_t language;
        const char* file;
        const char* caption;
    };
    for (const Case c : {Case{0, "Preview_chs.ini", "加工预览"}, Case{1, "Preview_cht.ini", "Preview"},
                         Case{2, "Preview_eng.ini", "Preview"}, Case{3, "Preview_other.ini", "Preview"},
                         Case{7, "Preview_chs.ini", "Preview"}}) {
        const std::filesystem::path folder = cutrix::testing::TempHome() / std::to_string(c.language);
        std::filesystem::create_directory(folder);
        CTextStore store;
        LoadPreviewTexts(store, folder, c.language);
        EXPECT_EQ(PreviewText(store, 0), c.caption) << c.language;
        const std::string text = FileText(folder / c.file);
        EXPECT_NE(text.find(std::string("0=") + c.caption + "\r\n"), std::string::npos) << c.language;
        EXPECT_NE(text.find("32="), std::string::npos) << c.language;
    }
}

TEST(PreviewLanguage, ExistingFileWithoutKey13LeavesTheButtonBlank) {
    const std::filesystem::path folder = cutrix::testing::TempHome();
    const std::string content = "[PreView]\r\n0=Vorschau\r\n14=Pause\r\n";
    ASSERT_TRUE(platform::WriteFileAtomically(folder / "Preview_eng.ini", content));
    CTextStore store;
    LoadPreviewTexts(store, folder, 2);
    EXPECT_EQ(PreviewText(store, 0), "Vorschau");
    EXPECT_EQ(PreviewText(store, 13), "");
    EXPECT_EQ(FileText(folder / "Preview_eng.ini"), content);
}

}  // namespace
}  // namespace simscope
