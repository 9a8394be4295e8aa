// Loading, defaulting and saving the vendor information files.
#include "VendorInfo.h"

#include "AsciiText.h"
#include "AtomicFile.h"
#include "DamagedFiles.h"
#include "FileState.h"

#include <optional>
#include <string_view>

VendorInfo gVendorInfo;

namespace {

using EntryTexts = std::array<std::string_view, VendorInfo::kEntryCount>;

constexpr EntryTexts kSimplifiedChineseDefaults = {
    "公司名称:", "......", "电话:",     "......", "传真:",     "......",
    "公司地址:", "......", "公司网址:", "......", "软件标题:", "",
};
constexpr EntryTexts kTraditionalChineseDefaults = {
    "公司名稱:", "......", "電話:",     "......", "傳真:",     "......",
    "公司地址:", "",       "公司网址:", "",       "軟件標題:", "",
};
constexpr EntryTexts kEnglishDefaults = {
    "Corp. Name:", ".......", "Tel:", ".......", "Fax:",        "......",
    "Addr:",       "......",  "Web:", "......",  "soft title:", "",
};

}  // namespace

void VendorInfo::SetProgramFolder(const std::filesystem::path& programFolder) {
    if (programFolder.empty()) {
        pathSChe = pathTChe = pathEn = pathOther = std::filesystem::path();
        return;
    }
    const std::filesystem::path folder = programFolder / "Vendor";
    pathSChe = folder / "Info_SChe.txt";
    pathTChe = folder / "Info_TChe.txt";
    pathEn = folder / "Info_En.txt";
    pathOther = folder / "Info_Other.txt";
}

const std::filesystem::path& VendorInfo::PathFor(int languageIndex) const {
    switch (languageIndex) {
        case 1:
            return pathTChe;
        case 2:
            return pathEn;
        case 3:
            return pathOther;
        default:
            return pathSChe;
    }
}

void VendorInfo::ApplyDefaults(int languageIndex) {
    const EntryTexts& defaults = languageIndex == 1                           ? kTraditionalChineseDefaults
                                 : (languageIndex == 2 || languageIndex == 3) ? kEnglishDefaults
                                                                              : kSimplifiedChineseDefaults;
    for (int key = 0; key < kEntryCount; ++key) {
        entries[key] = defaults[key];
    }
}

void VendorInfo::Save(int languageIndex) const {
    const std::filesystem::path& file = PathFor(languageIndex);
    if (file.empty()) {
        return;
    }
    std::string content;
    for (int key = 0; key < kEntryCount; ++key) {
        content += std::to_string(key) + "=" + entries[key] + "\r\n";
    }
    platform::WriteFileAtomically(file, content);
}

void VendorInfo::Load(int languageIndex) {
    const std::filesystem::path& file = PathFor(languageIndex);
    const platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxFileBytes);
    if (read.status != platform::ReadStatus::kRead) {
        ApplyDefaults(languageIndex);
        const SettingsFileState state = StateAfterFailedLoad(file);
        if (state == SettingsFileState::kMissing) {
            Save(languageIndex);
        } else if (state == SettingsFileState::kDamaged) {
            NoteDamagedFileLeftInPlace(file);
        }
        return;
    }
    ReadLines(std::string(read.bytes.begin(), read.bytes.end()));
}

void VendorInfo::ReadLines(const std::string& content) {
    std::string line;
    for (char byte : content) {
        if (byte == '\r') {
            continue;
        }
        if (byte == '\n') {
            ReadLine(line);
            line.clear();
        } else {
            line += byte;
        }
    }
    ReadLine(line);
}

void VendorInfo::ReadLine(const std::string& line) {
    const std::size_t equals = line.rfind('=');
    if (equals == std::string::npos) {
        return;
    }
    const std::int64_t key = platform::ParseLeadingInt(std::string_view(line).substr(0, equals));
    if (key < 0 || key >= kEntryCount) {
        return;
    }
    entries[static_cast<std::size_t>(key)] = line.substr(equals + 1);
}
