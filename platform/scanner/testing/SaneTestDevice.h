// Points the scanner library at a configuration folder of the running test: its device list names
// SANE's "test" backend (or nothing), whose virtual scanner then starts with the given settings.
#pragma once

#include <string>

namespace cutrix::testing {

struct SaneTestSettings {
    int devices = 1;  // 0: the library finds no scanner
    std::string mode = "Gray";
    int depth = 8;
    int resolution = 50;
    std::string picture = "Grid";
    double widthMm = 80.0;
    double heightMm = 100.0;
    int readDelayUs = 0;  // every read of the scanner waits this long (at most 200000), for a slow device
};

// Writes dll.conf and test.conf into a fresh folder under the test's program folder and sets
// SANE_CONFIG_DIR to it. The library takes the folder at its first start in a process and keeps it, so
// a test program sees the settings of its first test (CTest runs every test in a process of its own).
void UseSaneTestDevice(const SaneTestSettings& settings = {});

}  // namespace cutrix::testing
