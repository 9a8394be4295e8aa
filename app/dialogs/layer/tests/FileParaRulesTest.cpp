// The file parameters dialog: what opening mends and shows, and how OK holds every value to its range.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FileParaRules.h"
#include "SettingsRecords.h"

namespace {

struct PltCase {
    std::string typed;
    std::uint16_t stored;
};

TEST(FileParaRules, PltPrecisionIsTheLeadingWholeNumberHeldToItsRange) {
    const std::vector<PltCase> cases = {
        {"20000", 10000},
        {"5", 10},
        {"-1016", 1016},
        {"x", 10},
        {"1000", 1000},
        {"1016 dpi", 1016},
        {"-9223372036854775808", 10000},
        {"99999999999999999999", 10000},
    };
    for (const PltCase& c : cases) {
        FileParaSettings settings;
        FileParaEntries entries = OpenFileParaEntries(settings);
        entries.pltPrecisionText = c.typed;
        ApplyFileParaEntries(entries, settings);
        EXPECT_EQ(settings.pltPrecision, c.stored) << c.typed;
    }
}

struct ApplyCase {
    const char* what;
    void (*enter)(FileParaEntries&);
    void (*check)(const FileParaSettings&);
};

TEST(FileParaRules, OkHoldsEachValueToItsRange) {
    const std::vector<ApplyCase> cases = {
        {"export 350 %", [](FileParaEntries& e) { e.exportPrecisionPercent = 350; },
         [](const FileParaSettings& s) { EXPECT_DOUBLE_EQ(s.exportPrecision, 3.0); }},
        {"export -5 %", [](FileParaEntries& e) { e.exportPrecisionPercent = -5; },
         [](const FileParaSettings& s) { EXPECT_EQ(s.exportPrecision, 0.0); }},
        {"custom factor 0",
         [](FileParaEntries& e) {
             e.dxfUnit = 3;
             e.dxfCustomFactor = 0;
         },
         [](const FileParaSettings& s) {
             EXPECT_EQ(s.dxfUnit, 3);
             EXPECT_EQ(s.dxfScale, 1.0);
         }},
        {"custom factor negative",
         [](FileParaEntries& e) {
             e.dxfUnit = 3;
             e.dxfCustomFactor = -2;
         },
         [](const FileParaSettings& s) { EXPECT_EQ(s.dxfScale, 1.0); }},
        {"custom factor kept",
         [](FileParaEntries& e) {
             e.dxfUnit = 3;
             e.dxfCustomFactor = 2.5;
         },
         [](const FileParaSettings& s) { EXPECT_EQ(s.dxfScale, 2.5); }},
        {"inch",
         [](FileParaEntries& e) {
             e.dxfUnit = 2;
             e.dxfCustomFactor = 7;
         },
         [](const FileParaSettings& s) { EXPECT_EQ(s.dxfScale, 25.4); }},
        {"centimetre", [](FileParaEntries& e) { e.dxfUnit = 1; },
         [](const FileParaSettings& s) { EXPECT_EQ(s.dxfScale, 10.0); }},
        {"unknown unit",
         [](FileParaEntries& e) {
             e.dxfUnit = 7;
             e.dxfCustomFactor = 3;
         },
         [](const FileParaSettings& s) {
             EXPECT_EQ(s.dxfUnit, 0);
             EXPECT_EQ(s.dxfScale, 1.0);
         }},
        {"hidden smoothing ignored", [](FileParaEntries& e) { e.smoothPrecisionPercent = 90; },
         [](const FileParaSettings& s) { EXPECT_EQ(s.smoothPrecision, 0.3); }},
        {"tolerances held",
         [](FileParaEntries& e) {
             e.closeErrorMm = 9;
             e.combineErrorMm = -1;
         },
         [](const FileParaSettings& s) {
             EXPECT_EQ(s.closeErrorMm, 3.0);
             EXPECT_EQ(s.combineErrorMm, 0.0);
         }},
        {"odd speed unit", [](FileParaEntries& e) { e.velocityUnit = 5; },
         [](const FileParaSettings& s) { EXPECT_EQ(s.velocityUnit, 1); }},
        {"m/min", [](FileParaEntries& e) { e.velocityUnit = 0; },
         [](const FileParaSettings& s) { EXPECT_EQ(s.velocityUnit, 0); }},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        FileParaSettings settings;
        FileParaEntries entries = OpenFileParaEntries(settings);
        c.enter(entries);
        ApplyFileParaEntries(entries, settings);
        c.check(settings);
    }
}

TEST(FileParaRules, OpeningMendsStoredTolerancesEvenBeforeCancel) {
    FileParaSettings settings;
    settings.closeErrorMm = 7.5;
    settings.combineErrorMm = -1.0;
    settings.smoothPrecision = 4.0;
    const FileParaEntries entries = OpenFileParaEntries(settings);
    EXPECT_EQ(settings.closeErrorMm, 3.0);
    EXPECT_EQ(settings.combineErrorMm, 0.0);
    EXPECT_EQ(entries.closeErrorMm, 3.0);
    EXPECT_EQ(entries.smoothPrecisionPercent, 100.0);
}

TEST(FileParaRules, OpeningShowsTheStoredValues) {
    FileParaSettings settings;
    settings.exportPrecision = 0.123456;
    settings.pltPrecision = 1000;
    settings.velocityUnit = 0;
    const FileParaEntries entries = OpenFileParaEntries(settings);
    EXPECT_EQ(entries.pltPrecisionText, "1000");
    EXPECT_DOUBLE_EQ(entries.exportPrecisionPercent, 12.34);
    EXPECT_EQ(entries.velocityUnit, 0);
    EXPECT_TRUE(entries.autoClose);
    EXPECT_FALSE(entries.importDxfText);
}

}  // namespace
