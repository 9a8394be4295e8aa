// Listing the SHX font folder.
#include "ShxFontList.h"

#include <algorithm>
#include <filesystem>

#include "AsciiText.h"
#include "ProgramFolder.h"
#include "ShxFontFiles.h"

namespace letterforge {

std::vector<std::string> ListShxFonts() {
    std::vector<std::string> names;
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return names;
    }
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder / "fonts", error)) {
        if (entry.is_regular_file(error) &&
            platform::EqualIgnoringCase(entry.path().extension().string(), ".shx")) {
            names.push_back(entry.path().filename().string());
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool IsBigShxFontMissing() {
    return !FindShxFont("BIG.SHX").has_value();
}

}  // namespace letterforge
