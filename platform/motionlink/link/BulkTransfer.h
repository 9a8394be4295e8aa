// Bulk transfers (logos, firmware): announced with their size and CRC-32, sent in numbered chunks, and
// taken by the controller only after it has checked the whole.
#pragma once

#include "ControllerConnection.h"

#include <cstdint>
#include <span>

namespace motionlink::link {

// 0 once the controller has taken the data; 1 without an answer; the controller's refusal otherwise.
std::uint16_t SendBulk(ControllerConnection& connection, BulkKind kind, std::span<const std::uint8_t> bytes);

}  // namespace motionlink::link
