// The one place that turns a stored type code into an empty element of its class: element records,
// copies of groups and arrays, and the drawing manager's element list all create elements through it.
#pragma once

#include <cstdint>
#include <memory>

#include "CadElement.h"

// An empty element of the type code (1 curve, 2 bitmap, 3 point, 4 group, 5 text, 6 array) with its
// default construction; null for any other code.
std::unique_ptr<CCadElement> CreateElement(std::uint16_t typeCode);
