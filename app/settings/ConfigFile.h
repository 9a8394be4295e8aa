// The body of "config": the interface language, the connection block and the settings records.
#pragma once

#include "Archive.h"

#include <cstdint>

// A "config" holds a few kB; a larger file than this is not read.
constexpr std::uintmax_t kMaxConfigFileBytes = 1u << 20;

// Storing: always the current layout. Loading: 1 when read to the last byte; 0 when the language index
// is above 3, in which case nothing else is read and every setting keeps its value, and 0 when bytes
// remain after the last record. A file without the version string
// is of the older kind: it is read again from its start with the connection block at byte 6 and the
// output options in their older layout, and FileFormatFlag becomes 0. Each record is replaced only once
// it has been read whole, so a file that ends early keeps the current values of what it lacks; the
// ArchiveError that reports the early end reaches the caller.
int SerializeConfig(platform::Archive& archive);
