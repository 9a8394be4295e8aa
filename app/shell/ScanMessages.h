// What the Capture command tells the user when a scan brings nothing or stops early.
#pragma once

#include <string>

#include "Twain.h"

// The message for the error in the interface language, with the scanner library's own words for a
// device failure; empty when there is nothing to tell (no error, or the user cancelled).
std::string ScanFailureText(ScanError error, const std::string& status);
