#include "ScanSettings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace platform {

std::string ScanDevice::Label() const {
    std::string label = vendor;
    if (!model.empty()) {
        label += label.empty() ? model : " " + model;
    }
    return label.empty() ? name : label + " (" + name + ")";
}

std::vector<int> ResolutionChoices(int minimum, int maximum, int current) {
    static constexpr std::array<int, 9> kUsual = {50, 75, 100, 150, 200, 300, 600, 1200, 2400};
    std::vector<int> choices;
    for (const int dpi : kUsual) {
        if (dpi >= minimum && dpi <= maximum) {
            choices.push_back(dpi);
        }
    }
    if (current > 0 && std::ranges::find(choices, current) == choices.end()) {
        choices.push_back(current);
        std::ranges::sort(choices);
    }
    return choices;
}

bool IsFeederSource(const std::string& source) {
    std::string lower(source);
    std::ranges::transform(lower, lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.find("adf") != std::string::npos || lower.find("feeder") != std::string::npos ||
           lower.find("duplex") != std::string::npos;
}

}  // namespace platform
