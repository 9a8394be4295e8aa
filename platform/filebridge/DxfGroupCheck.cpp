#include "DxfGroupCheck.h"

#include <charconv>
#include <cmath>

#include "CutShort.h"

namespace filebridge {

namespace {

// The fewest bytes one counted item takes: a group code line and a value line.
constexpr std::size_t kMinBytesPerItem = 4;

std::string_view Trimmed(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
}

bool IsCountGroup(std::string_view entity, long long code) {
    if (entity == "LWPOLYLINE") {
        return code == 90;
    }
    if (entity == "SPLINE") {
        return code == 72 || code == 73 || code == 74;
    }
    if (entity == "LEADER") {
        return code == 76;
    }
    return false;
}

bool IsRealGroup(long long code) {
    return (code >= 10 && code <= 59) || (code >= 110 && code <= 149) || (code >= 210 && code <= 239) ||
           (code >= 460 && code <= 469) || (code >= 1010 && code <= 1059);
}

bool IsFiniteNumber(std::string_view value) {
    if (!value.empty() && value.front() == '+') {
        value.remove_prefix(1);
    }
    double number = 0.0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() && std::isfinite(number);
}

class LineReader {
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line) {
        if (at_ >= text_.size()) {
            return false;
        }
        const std::size_t end = text_.find('\n', at_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = Trimmed(text_.substr(at_, stop - at_));
        at_ = stop + 1;
        return true;
    }
    std::size_t Remaining() const { return at_ >= text_.size() ? 0 : text_.size() - at_; }

  private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Why one group's value is refused, or empty when it is sound.
std::string CheckGroupValue(std::string_view entity, long long code, std::string_view value, std::size_t bytesLeft) {
    if (IsRealGroup(code) && !IsFiniteNumber(value)) {
        return "value " + std::string(value.substr(0, 32)) + " of group " + std::to_string(code) +
               " is not a finite number";
    }
    if (!IsCountGroup(entity, code)) {
        return {};
    }
    long long count = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), count);
    if (error != std::errc() || count < 0 || static_cast<unsigned long long>(count) > bytesLeft / kMinBytesPerItem) {
        return "count " + std::string(value.substr(0, 32)) + " of a " + std::string(entity.substr(0, 32)) +
               " larger than the file can hold";
    }
    return {};
}

}  // namespace

// A cut file often ends inside a number or after a count it cannot hold; its missing end is the reason
// given, since that is what a user can act on.
std::string CheckDxfGroups(std::string_view text) {
    LineReader lines(text);
    std::string_view codeLine, value, entity;
    std::string refusal;
    bool inSection = false;
    bool ended = false;
    while (!ended && lines.Next(codeLine) && lines.Next(value)) {
        long long code = 0;
        if (std::from_chars(codeLine.data(), codeLine.data() + codeLine.size(), code).ec != std::errc()) {
            continue;
        }
        if (code != 0) {
            if (refusal.empty()) {
                refusal = CheckGroupValue(entity, code, value, lines.Remaining());
            }
            continue;
        }
        entity = value;
        if (value == "SECTION" && inSection) {
            return CutShortReason("a section never ends");
        }
        inSection = value == "SECTION" || (inSection && value != "ENDSEC");
        ended = value == "EOF";
    }
    if (inSection) {
        return CutShortReason("a section never ends");
    }
    return ended ? refusal : CutShortReason("no EOF group");
}

}  // namespace filebridge
