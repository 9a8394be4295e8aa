// DataCheckSettings: the options of the data check (closure, overlapping lines, self-intersection and
// mutual intersection, and what it repairs by itself), kept by the drawing manager and stored in its
// settings block. Switches are 0 for off and any other value for on.
#pragma once

#include <cstdint>

#include "Archive.h"

struct DataCheckSettings {
    static constexpr std::size_t kStoredBytes = 52;

    std::int32_t checkClose = 1;
    std::int32_t autoClose = 0;
    double closeError = 0.01;  // mm
    std::int32_t checkOverlap = 0;
    std::int32_t overlapErrorOn = 0;
    double overlapError = 0.01;  // mm
    std::int32_t autoDeleteOverlap = 0;
    std::int32_t checkSelfCross = 0;
    std::int32_t autoOpenSelfCross = 0;
    std::int32_t checkCross = 0;
    std::int32_t autoCombineClosed = 0;

    friend bool operator==(const DataCheckSettings&, const DataCheckSettings&) = default;

    // Stores or loads the record (52 bytes, fields in the order above); values are read as they stand.
    // A short record throws ArchiveError and leaves the record unchanged.
    void Serialize(platform::Archive& ar);
};
