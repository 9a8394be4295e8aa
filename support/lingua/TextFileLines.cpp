#include "TextFileLines.h"

namespace {

std::string_view WithoutLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

}  // namespace

TextFileLine ParseTextFileLine(std::string_view line) {
    TextFileLine parsed;
    const std::string_view trimmed = WithoutLeadingBlanks(line);
    const std::size_t open = trimmed.find('[');
    const std::size_t firstClose = trimmed.find(']');
    if (open != std::string_view::npos && firstClose != std::string_view::npos && firstClose > 0) {
        parsed.isHeader = true;
        const std::size_t nameStart = open + 1;
        const std::size_t close = trimmed.find(']', nameStart);
        parsed.section = trimmed.substr(
            nameStart, close == std::string_view::npos ? std::string_view::npos : close - nameStart);
        return parsed;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        parsed.value = line;
    } else {
        parsed.key = line.substr(0, equals);
        parsed.value = line.substr(equals + 1);
    }
    return parsed;
}

void ReadTextFileLines(std::string_view content, const std::function<void(const TextFileLine&)>& onLine) {
    while (!content.empty()) {
        const std::size_t feed = content.find('\n');
        const bool hasFeed = feed != std::string_view::npos;
        std::string_view line = content.substr(0, feed);
        content.remove_prefix(hasFeed ? feed + 1 : content.size());

        if (hasFeed && line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        const std::size_t lengthWithFeed = line.size() + (hasFeed ? 1 : 0);
        if (lengthWithFeed <= 1) {
            continue;
        }
        onLine(ParseTextFileLine(line));
    }
}
