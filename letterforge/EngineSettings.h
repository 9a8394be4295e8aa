// The engine's two settable services: the clock of date texts and the sink of its messages.
#pragma once

#include <string_view>

#include "Letterforge.h"

namespace letterforge {

LocalTime CurrentLocalTime();
void ReportMessage(std::string_view text);

}  // namespace letterforge
