// The texts of the two password prompts. The library carries its own, in Chinese and English, chosen by
// the language index the caller passes: the access-code prompt is Chinese only for index 0, the
// vendor-right prompt's controls for indexes 0 and 1, and every message only for index 0.
#pragma once

#include <cstdint>
#include <string>

namespace stationkeep {

struct AccessCodeTexts {
    std::string title;
    std::string label;
    std::string ok;
    std::string cancel;
    std::string wrongEntry;
};

struct VendorRightTexts {
    std::string title;
    std::string note;
    std::string label;
    std::string enter;
    std::string exit;
};

AccessCodeTexts AccessCodeTextsFor(std::uint16_t languageIndex);
VendorRightTexts VendorRightTextsFor(std::uint16_t languageIndex);
std::string VendorRightWrongEntryText(std::uint16_t languageIndex);
std::string CommunicationFailureText(std::uint16_t languageIndex);

}  // namespace stationkeep
