// The item-file operations, over the item store of the text-store library.
#include "LoaderHolder.h"

#include "AsciiText.h"
#include "DamagedFiles.h"
#include "FileState.h"
#include "LoadExports.h"
#include "Numbers.h"

#include <algorithm>
#include <limits>

CLoaderHolder::~CLoaderHolder() {
    ClearItemStore();
}

std::uint16_t CLoaderHolder::LoadItemFile(const std::filesystem::path& file) {
    const std::uint16_t result = _load_i(file.c_str());
    if (result != 0 && !file.empty() && StateAfterFailedLoad(file) == SettingsFileState::kDamaged) {
        damagedFile_ = file;
    }
    return result;
}

std::uint16_t CLoaderHolder::SaveItemFile(const std::filesystem::path& file) {
    if (!damagedFile_.empty() && file == damagedFile_) {
        if (!KeepAsideBeforeRewrite(file)) {
            return 1;
        }
        damagedFile_.clear();
    }
    return _load_i_out(file.c_str());
}

void CLoaderHolder::ClearItemStore() {
    _load_i_del();
}

std::string CLoaderHolder::GetItemText(const std::string& section, const std::string& key) {
    std::string text;
    _load_i_get(section, key, &text);
    return text;
}

double CLoaderHolder::GetItemDouble(const std::string& section, const std::string& key) {
    return platform::ParseLeadingDouble(GetItemText(section, key));
}

std::int32_t CLoaderHolder::GetItemInt(const std::string& section, const std::string& key) {
    // Held within 32 bits: a number beyond them reads as the nearest limit.
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        platform::ParseLeadingInt(GetItemText(section, key)), std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()));
}

void CLoaderHolder::SetItemText(const std::string& section, const std::string& key, const std::string& text) {
    _load_i_set(section, key, text);
}

void CLoaderHolder::SetItemDouble(const std::string& section, const std::string& key, double value) {
    SetItemText(section, key, platform::FormatFixed(value, 6));
}

void CLoaderHolder::SetItemInt(const std::string& section, const std::string& key, std::int32_t value) {
    SetItemText(section, key, platform::FormatInt(value));
}

int CLoaderHolder::FindItemSection(const std::string& section) {
    return _load_i_findk(section);
}

std::uint16_t CLoaderHolder::AddItemSection(const std::string& section) {
    return _load_i_addk(section);
}

std::uint16_t CLoaderHolder::DeleteItemSection(const std::string& section) {
    return _load_i_delk(section);
}

std::uint16_t CLoaderHolder::GetItemSectionList(std::vector<std::string>* sections) {
    return _load_i_getlist(sections);
}
