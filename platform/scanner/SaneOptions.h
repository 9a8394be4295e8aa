// The few options of an open scanner that a scan sets: mode, source and resolution, found by name.
#pragma once

#include <sane/sane.h>

#include "SaneLibrary.h"
#include "ScanSettings.h"

namespace platform {

// What the device offers and has set now; a choice it lacks, or cannot change, stays empty.
ScanSettings ReadScanSettings(const SaneLibrary& sane, SANE_Handle handle);
// Sets the source, then the mode, then the resolution (each may change what the next offers); a value
// the device refuses leaves its own.
void ApplyScanSettings(const SaneLibrary& sane, SANE_Handle handle, const ScanSettings& settings);
// The resolution in dots per inch the device scans at now; 0 when it does not say.
double CurrentResolution(const SaneLibrary& sane, SANE_Handle handle);

}  // namespace platform
