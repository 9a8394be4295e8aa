// The tests' own fontconfig configuration, in a temporary folder removed at exit.
#include "TestFontConfig.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>

namespace platform::testing {
namespace {

const char* const kTestFonts[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    "/usr/share/fonts/opentype/cantarell/Cantarell-Regular.otf",
};

struct TestFontFolder {
    std::filesystem::path folder;

    TestFontFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "cutrix-fonts-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        folder = pattern;
        const std::filesystem::path fonts = folder / "fonts";
        std::filesystem::create_directories(fonts);
        for (const char* font : kTestFonts) {
            std::error_code ignored;
            std::filesystem::create_symlink(font, fonts / std::filesystem::path(font).filename(), ignored);
        }
        std::ofstream config(folder / "fonts.conf");
        config << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n<fontconfig>\n"
               << "  <dir>" << fonts.string() << "</dir>\n"
               << "  <cachedir>" << (folder / "cache").string() << "</cachedir>\n</fontconfig>\n";
        config.close();
        setenv("FONTCONFIG_FILE", (folder / "fonts.conf").c_str(), 1);
    }

    ~TestFontFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

}  // namespace

void UseTestFontConfig() {
    static TestFontFolder folder;
}

}  // namespace platform::testing
