// The one place that turns a stored type code into an empty element of its class: element records,
// copies of groups and arrays, and the drawing manager's element list all create elements through it.
#pragma once

#include <cstdint>
#include <memory>

#include "CadElement.h"

// Thrown by a record that names an element type it cannot hold: the reader cannot go on, and a drawing
// tells the user so apart from a short or damaged record.
class UnknownElementTypeError : public platform::ArchiveError {
  public:
    using platform::ArchiveError::ArchiveError;
};

// An empty element of the type code (1 curve, 2 bitmap, 3 point, 4 group, 5 text, 6 array) with its
// default construction; null for any other code.
std::unique_ptr<CCadElement> CreateElement(std::uint16_t typeCode);
