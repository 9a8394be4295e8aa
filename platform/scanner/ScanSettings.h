// What a scan is made with: the device, and the mode, source and resolution offered by it with the
// ones chosen. A plain record, so that the dialog that edits it and the tests need no scanner.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct ScanDevice {
    std::string name;  // what opens it, e.g. "test:0"
    std::string vendor;
    std::string model;
    std::string type;

    // "vendor model (name)" for a list of devices.
    std::string Label() const;
};

struct ScanSettings {
    std::vector<std::string> modes;  // empty when the device has no choice
    std::string mode;
    std::vector<std::string> sources;
    std::string source;
    std::vector<int> resolutions;  // dots per inch
    int resolution = 0;            // 0 when the device has no resolution setting
};

// The choices the dialog offers for a resolution range: the usual steps within it, and the current
// value, ascending.
std::vector<int> ResolutionChoices(int minimum, int maximum, int current);

// A source that feeds sheets (a document feeder, also duplex) can give more than one page; any other
// gives one page per scan.
bool IsFeederSource(const std::string& source);

}  // namespace platform
