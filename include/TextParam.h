// CTextParam: the parameters from which the text engine builds the glyphs of a text element, a date or
// serial-number text included. The drawing manager keeps one as the setting for new text elements, and
// each text element carries its own. A plain value: copying copies every field, the skip rules included.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "Archive.h"

class CTextParam {
  public:
    static constexpr std::size_t kSkipRuleCount = 10;

    // Values of fontKind.
    static constexpr std::uint16_t kTrueTypeFont = 0;
    static constexpr std::uint16_t kShxFont = 1;

    std::string text = "Text";   // for a variable text the engine writes the date or the serial number here
    double height = 8.0;         // character height, mm
    double widthPercent = 50.0;  // character width in percent of the height
    double charSpace = 0.0;
    double lineSpace = 0.0;
    double angle = 0.0;  // kept for the text dialog
    std::uint16_t fontKind = kTrueTypeFont;
    std::string trueTypeFont = "Tahoma";  // face name
    std::string shxFont = "FS.SHX";       // font file name
    std::uint16_t auxWord1 = 0;           // kept for the text dialog
    std::int32_t varTextOn = 0;           // refreshed before preview, output and download
    std::uint16_t varKind = 0;            // 0 date, any other value serial number
    std::uint16_t dateFormat = 0;         // format index 0..15 of the text engine
    std::uint16_t dateOffsetUnit = 0;     // 0 days, 1 months, 2 years
    std::int16_t dateOffset = 0;          // in dateOffsetUnit
    std::string snStart = "0000";         // first serial number, and the one a reset returns to
    std::string snCurrent = "0000";
    std::int32_t snIncrement = 1;
    std::string snPrefix;
    std::string snSuffix;
    std::int32_t snResetOn = 0;  // the number after snResetValue is snStart
    std::string snResetValue = "9999";
    std::int32_t snKeepZeros = 1;  // 0 drops leading zeros (one zero stays)
    std::int32_t snArrayOn = 0;    // the number advances once per array cell
    std::uint16_t snArrayCount1 = 1;
    std::uint16_t snArrayCount2 = 1;
    double snArraySpacing1 = 10.0;  // mm
    double snArraySpacing2 = 10.0;  // mm
    std::uint16_t auxWord2 = 0;     // kept for the text dialog
    std::uint16_t auxWord3 = 0;     // kept for the text dialog
    std::int32_t skipRulesOn = 0;   // the skip rules apply when the serial number advances
    std::array<std::string, kSkipRuleCount> skipRules;

    friend bool operator==(const CTextParam&, const CTextParam&) = default;

    // Stores or loads the fields in the order above, 32-bit switches and counts as u32, strings in the
    // archive's string form. A short record throws ArchiveError and leaves the parameters unchanged.
    void Serialize(platform::Archive& ar);
};
