// The item-file operations, over the item store of the text-store library.
#include "LoaderHolder.h"

#include "LoadExports.h"
#include "Numbers.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string_view>

namespace {

// The longest number at the start of the text after leading blanks, as the C library's text-to-double
// reads it but always with a decimal point; 0.0 when the text does not start with a number or the
// number lies outside the range of a double.
double LeadingDouble(std::string_view text) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos) {
        return 0.0;
    }
    bool negative = false;
    if (text[at] == '+' || text[at] == '-') {
        negative = text[at] == '-';
        ++at;
    }
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        return 0.0;
    }
    double value = 0.0;
    const std::from_chars_result result =
        std::from_chars(text.data() + at, text.data() + text.size(), value, std::chars_format::general);
    if (result.ec != std::errc()) {
        return 0.0;  // no number, or one outside the range of a double
    }
    return negative ? -value : value;
}

// The leading decimal integer, as the C library's text-to-integer reads it, held within 32 bits.
std::int32_t LeadingInt(std::string_view text) {
    std::size_t at = text.find_first_not_of(" \t\n\v\f\r");
    if (at == std::string_view::npos) {
        return 0;
    }
    const bool negative = text[at] == '-';
    if (text[at] == '+' || text[at] == '-') {
        ++at;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = std::min(value * 10 + (text[at] - '0'), kLimit);
    }
    value = negative ? -value : std::min(value, kLimit - 1);
    return static_cast<std::int32_t>(value);
}

}  // namespace

CLoaderHolder::~CLoaderHolder() {
    ClearItemStore();
}

std::uint16_t CLoaderHolder::LoadItemFile(const std::filesystem::path& file) {
    return _load_i(file.c_str());
}

std::uint16_t CLoaderHolder::SaveItemFile(const std::filesystem::path& file) {
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
    return LeadingDouble(GetItemText(section, key));
}

std::int32_t CLoaderHolder::GetItemInt(const std::string& section, const std::string& key) {
    return LeadingInt(GetItemText(section, key));
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
