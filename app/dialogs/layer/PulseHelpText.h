// The rotary engraving help: how the circle pulse value is found and how to correct the Y precision.
// Its two versions are fixed texts of the program, Chinese for Simplified Chinese and English for every
// other language, so that a language file cannot leave the formulas out of step with the program.
#pragma once

#include <cstdint>
#include <string>

struct PulseHelp {
    std::string caption;
    std::string body;  // lines separated by CR LF, starting with an empty line
};

PulseHelp PulseHelpText(std::uint16_t languageIndex);
