// The number an edit list cell commits: the leading integer of the typed text, clamped to 1 ... 10000.
#pragma once

#include <cstdint>
#include <string_view>

constexpr std::int32_t kEditListMinimum = 1;
constexpr std::int32_t kEditListMaximum = 10000;

// Text that does not start with a number gives the minimum; numbers of any length saturate first.
std::int32_t CommittedEditListValue(std::string_view text);
