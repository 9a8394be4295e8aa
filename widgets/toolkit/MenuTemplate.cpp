#include "MenuTemplate.h"

namespace {

class WordReader {
  public:
    explicit WordReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::uint16_t> Word() {
        if (offset_ > bytes_.size() || bytes_.size() - offset_ < 2) return std::nullopt;
        const auto word = static_cast<std::uint16_t>(bytes_[offset_] | (bytes_[offset_ + 1] << 8));
        offset_ += 2;
        return word;
    }
    bool Skip(std::size_t count) {
        if (bytes_.size() - offset_ < count) return false;
        offset_ += count;
        return true;
    }
    // A zero-terminated UTF-16 text, as UTF-8.
    std::optional<std::string> Text() {
        std::u16string units;
        for (;;) {
            const std::optional<std::uint16_t> unit = Word();
            if (!unit) return std::nullopt;
            if (*unit == 0) break;
            units.push_back(static_cast<char16_t>(*unit));
        }
        return ToUtf8(units);
    }

  private:
    static void AppendCodePoint(std::string& out, char32_t code) {
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    // Unpaired surrogates become U+FFFD.
    static std::string ToUtf8(const std::u16string& units) {
        std::string out;
        for (std::size_t index = 0; index < units.size(); ++index) {
            const char16_t unit = units[index];
            const bool high = unit >= 0xD800 && unit < 0xDC00;
            const bool lowNext = index + 1 < units.size() && units[index + 1] >= 0xDC00 && units[index + 1] < 0xE000;
            if (high && lowNext) {
                AppendCodePoint(out, 0x10000 + ((unit - 0xD800) << 10) + (units[++index] - 0xDC00));
            } else if (unit >= 0xD800 && unit < 0xE000) {
                AppendCodePoint(out, 0xFFFD);
            } else {
                AppendCodePoint(out, unit);
            }
        }
        return out;
    }

    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
};

std::optional<std::vector<MenuTemplateItem>> ParseLevel(WordReader& reader, int depth) {
    if (depth > kMenuTemplateMaxDepth) return std::nullopt;
    std::vector<MenuTemplateItem> items;
    for (;;) {
        MenuTemplateItem item;
        const std::optional<std::uint16_t> flags = reader.Word();
        if (!flags) return std::nullopt;
        item.flags = *flags;
        if (!item.IsPopup()) {
            const std::optional<std::uint16_t> id = reader.Word();
            if (!id) return std::nullopt;
            item.commandId = *id;
        }
        std::optional<std::string> text = reader.Text();
        if (!text) return std::nullopt;
        item.text = std::move(*text);
        if (item.IsPopup()) {
            std::optional<std::vector<MenuTemplateItem>> children = ParseLevel(reader, depth + 1);
            if (!children) return std::nullopt;
            item.children = std::move(*children);
        }
        const bool last = (item.flags & kMenuEnd) != 0;
        items.push_back(std::move(item));
        if (last) return items;
    }
}

void AppendWord(std::vector<std::uint8_t>& bytes, std::uint16_t word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

// The UTF-8 text as UTF-16 words; a malformed byte becomes U+FFFD.
void AppendText(std::vector<std::uint8_t>& bytes, const std::string& text) {
    for (std::size_t index = 0; index < text.size();) {
        const auto lead = static_cast<unsigned char>(text[index]);
        const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
        bool valid = length > 0 && index + static_cast<std::size_t>(length) <= text.size();
        for (int follow = 1; valid && follow < length; ++follow) {
            const auto byte = static_cast<unsigned char>(text[index + static_cast<std::size_t>(follow)]);
            valid = (byte & 0xC0) == 0x80;
            code = (code << 6) | (byte & 0x3F);
        }
        index += valid ? static_cast<std::size_t>(length) : 1;
        if (!valid || code > 0x10FFFF) code = 0xFFFD;
        if (code >= 0x10000) {
            AppendWord(bytes, static_cast<std::uint16_t>(0xD800 + ((code - 0x10000) >> 10)));
            AppendWord(bytes, static_cast<std::uint16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            AppendWord(bytes, static_cast<std::uint16_t>(code));
        }
    }
    AppendWord(bytes, 0);
}

void AppendLevel(std::vector<std::uint8_t>& bytes, const std::vector<MenuTemplateItem>& items) {
    for (std::size_t index = 0; index < items.size(); ++index) {
        const MenuTemplateItem& item = items[index];
        const bool last = index + 1 == items.size();
        AppendWord(bytes, static_cast<std::uint16_t>((item.flags & ~kMenuEnd) | (last ? kMenuEnd : 0)));
        if (!item.IsPopup()) AppendWord(bytes, item.commandId);
        AppendText(bytes, item.text);
        if (item.IsPopup()) AppendLevel(bytes, item.children);
    }
}

}  // namespace

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(std::span<const std::uint8_t> bytes) {
    WordReader reader(bytes);
    const std::optional<std::uint16_t> version = reader.Word();
    const std::optional<std::uint16_t> headerSize = reader.Word();
    if (!version || !headerSize || !reader.Skip(*headerSize)) return std::nullopt;
    return ParseLevel(reader, 0);
}

std::vector<std::uint8_t> EncodeMenuTemplate(const std::vector<MenuTemplateItem>& items) {
    std::vector<std::uint8_t> bytes;
    AppendWord(bytes, 0);
    AppendWord(bytes, 0);
    AppendLevel(bytes, items);
    return bytes;
}
