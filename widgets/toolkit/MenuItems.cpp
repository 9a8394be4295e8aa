#include "MenuItems.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::uint32_t kGlyphExecute = 0x20000;

char32_t UpperAscii(char32_t character) {
    return character < 0x80 ? static_cast<char32_t>(std::toupper(static_cast<int>(character))) : character;
}

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// Whether the label marks the character: "&" followed by it, not the last character; "&&" is a plain
// ampersand, neither half of which marks anything.
bool MarksMnemonic(std::string_view label, char32_t character) {
    for (std::size_t index = 0; index + 1 < label.size(); ++index) {
        if (label[index] != '&') continue;
        if (label[index + 1] == '&') {
            ++index;
            continue;
        }
        const auto marked = static_cast<unsigned char>(label[index + 1]);
        if (UpperAscii(marked) == UpperAscii(character)) return true;
    }
    return false;
}

}  // namespace

MenuItemText SplitMenuItemText(std::string_view text, const MenuTextLookup& lookup) {
    std::string full = text.find("MU") != std::string_view::npos && lookup ? lookup(text) : std::string(text);
    const std::size_t tab = full.find('\t');
    if (tab == std::string::npos) return {full, ""};
    return {full.substr(0, tab), full.substr(tab + 1)};
}

std::uint32_t PackMenuItemData(int height, int widestShortcut, int widestLabel) {
    return (static_cast<std::uint32_t>(height) & 0xFF) | ((static_cast<std::uint32_t>(widestShortcut) & 0xFF) << 8) |
           ((static_cast<std::uint32_t>(widestLabel) & 0xFFFF) << 16);
}

platform::Size MeasureMenuXPItem(std::uint32_t itemData) {
    const int height = static_cast<int>(itemData & 0xFF);
    const int shortcut = static_cast<int>((itemData >> 8) & 0xFF);
    const int label = static_cast<int>(itemData >> 16);
    if (height == 0) return {label + 43, 0};
    return {label + shortcut + 78, height};
}

int MenuXPItemHeight(int textHeight) { return std::max(textHeight + 2, 16) + 4; }

std::uint32_t MenuCharAnswer(std::span<const std::string> labels, char32_t character) {
    for (std::size_t index = 0; index < labels.size(); ++index) {
        if (MarksMnemonic(labels[index], character)) return static_cast<std::uint32_t>(index) | (kMenuCharExecute << 16);
    }
    return 0;
}

std::string LabelWithoutMnemonic(std::string_view label) {
    std::string plain(label);
    const std::size_t mark = plain.find('&');
    if (mark != std::string::npos) plain.erase(mark, 1);
    return plain;
}

std::uint32_t GlyphMenuFindShortcut(std::span<const std::string> texts, char32_t character) {
    if (character >= 0x80) return 0;
    const std::string wanted = LowerAscii(std::string{'&', static_cast<char>(character)});
    for (std::size_t index = 0; index < texts.size(); ++index) {
        if (LowerAscii(texts[index]).find(wanted) != std::string::npos) return static_cast<std::uint32_t>(index) | kGlyphExecute;
    }
    return 0;
}

platform::ColorRef LightenColor(platform::ColorRef color, double factor) {
    if (factor < 0 || factor > 1) return color;
    const auto lighten = [factor](std::uint8_t channel) {
        return static_cast<std::uint8_t>(channel + (255 - channel) * factor);
    };
    return platform::Rgb(lighten(platform::RedOf(color)), lighten(platform::GreenOf(color)), lighten(platform::BlueOf(color)));
}

int WindowsClass() { return 1; }
bool IsClassicTheme() { return false; }

int GlyphMenuGap(const GlyphMenuMetrics& metrics) { return metrics.xpLook && metrics.xp3dImages ? 7 : 4; }

platform::Size MeasureGlyphSeparator(const GlyphMenuMetrics& metrics) {
    return {0, std::max(metrics.systemMenuHeight / 2, (metrics.imageHeight + GlyphMenuGap(metrics)) / 2)};
}

platform::Size MeasureGlyphItem(const GlyphMenuMetrics& metrics, int textWidth) {
    const int gap = GlyphMenuGap(metrics);
    const int width = metrics.xpLook ? metrics.imageWidth + textWidth + gap + 8 : textWidth + 2 * metrics.imageWidth + 1;
    return {width, std::max(metrics.systemMenuHeight, metrics.imageHeight + gap)};
}
