// Letting the user find a file that the program expected in a known place.
#include <algorithm>

#include "AsciiText.h"
#include "PathExports.h"

namespace {

LocateFileRequest RequestFor(const std::string& pattern, const std::string& wantedName) {
    LocateFileRequest request;
    request.title = "Locate";
    request.initialName = wantedName;
    if (!pattern.empty()) {
        request.filters.push_back({"*" + pattern, "*" + pattern});
    }
    // Files without an extension count as well on this platform.
    request.filters.push_back({"All Files(*.*)", "*"});
    return request;
}

}  // namespace

std::uint16_t _path_LocateFile(const std::string& pattern, const std::string& wantedName, std::string* out,
                               const LocateFileDialog& dialog) {
    if (out == nullptr || !dialog) {
        return 1;
    }
    const LocateFileRequest request = RequestFor(pattern, wantedName);
    for (;;) {
        const std::optional<std::string> chosen = dialog(request);
        if (!chosen) {
            return 1;
        }
        if (chosen->empty()) {
            continue;
        }
        const std::string chosenName = chosen->substr(chosen->rfind('/') + 1);  // npos + 1 is 0
        if (wantedName.empty() || platform::EqualIgnoringCase(chosenName, wantedName)) {
            *out = *chosen;
            return 0;
        }
    }
}
