#include "EditListValue.h"

#include "AsciiText.h"

#include <algorithm>

std::int32_t CommittedEditListValue(std::string_view text) {
    const std::int64_t value = platform::ParseLeadingInt(text);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, kEditListMinimum, kEditListMaximum));
}
