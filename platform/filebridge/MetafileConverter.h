// Enhanced metafiles into SVG text. The converter runs in a helper program beside this library
// (kMetafileHelperName), never in the caller's process: its text path ends fontconfig for the whole
// process it runs in, which stops a program whose interface still holds fonts.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace filebridge {

inline constexpr const char* kMetafileHelperName = "filebridge-metafile-svg";

struct MetafileHelper {
    static constexpr std::chrono::milliseconds kDefaultTimeout{30000};
    static constexpr std::size_t kMaxSvgBytes = 256u << 20;

    std::filesystem::path program;
    std::chrono::milliseconds timeout = kDefaultTimeout;
};

// The helper installed in the folder of this library.
MetafileHelper InstalledMetafileHelper();

// Replaces the helper of every later conversion (tests); std::nullopt brings back the installed one.
void SetMetafileHelper(std::optional<MetafileHelper> helper);

// The metafile's SVG text; nothing, with the reason in `failure`, when the helper refuses it, crashes,
// runs past its time, writes more than kMaxSvgBytes or cannot be started.
std::optional<std::string> ConvertMetafileToSvg(std::string_view metafile, std::string& failure);

}  // namespace filebridge
