// The designer's three parameter records, stored one after the other in "LGPConfig" (392 bytes: the
// dot pattern, the processing parameters and the plate shape), and the file's load and save.
#pragma once

#include <cstdint>
#include <filesystem>

namespace platform {
class Archive;
}

namespace dotplate {

// What one dot of the pattern is; the stored value is a 16-bit word.
enum LgpDotMode : std::uint16_t {
    kHorizontalLine = 0,  // "H-Line"
    kVerticalLine = 1,    // "V-Line"
    kEllipse = 2,         // "Ellipse"
    kRectangle = 3,       // "Rectangle"
    kGrid = 4,            // "Grid": full-length lines instead of dots
    kCrossLine = 5,       // "CrossLine": a horizontal and a vertical line per dot
};

// One gradient quadruple: what is added per row above and below, per column left and right.
struct LgpGradients {
    double upperRows = 0.0;
    double lowerRows = 0.0;
    double leftColumns = 0.0;
    double rightColumns = 0.0;
};

// A starting spacing and what is added to it after each row or column.
struct LgpSpacing {
    double start = 2.0;
    double gradient = 0.2;
};

// The dot pattern (202 bytes). Sizes and spacings in mm.
struct LgpDotPara {
    double minDotSize = 0.1;
    double minSpacing = 0.5;
    double dotWidth = 1.0;
    double dotHeight = 1.0;
    std::uint16_t dotMode = kHorizontalLine;
    LgpGradients widthGradients;
    LgpGradients heightGradients;
    LgpSpacing upperRows;
    LgpSpacing lowerRows;
    LgpSpacing leftColumns;
    LgpSpacing rightColumns;
    double baselineX = 0.0;  // from the plate's centre
    double baselineY = 0.0;
    std::int32_t rowStagger = 0;     // Grid mode: rows on
    std::int32_t columnStagger = 0;  // Grid mode: columns on
    std::int32_t lightLeft = 0;
    std::int32_t lightRight = 0;
    std::int32_t lightUp = 0;
    std::int32_t lightDown = 0;

    bool AnyLightSource() const { return lightLeft != 0 || lightRight != 0 || lightUp != 0 || lightDown != 0; }
};

// Speed, powers, switches and delays of one pass.
struct LgpPassPara {
    double speed = 100.0;  // mm/s
    std::int32_t speedDefault = 0;
    double minPower = 30.0;  // %
    double maxPower = 30.0;
    std::int32_t powerDefault = 0;
    std::int32_t blower = 1;
};

// The processing parameters (154 bytes).
struct LgpLaserPara {
    LgpPassPara dots;
    std::int16_t scanType = 0;  // 0 X one way, 1 X both ways, 2 Y one way, 3 Y both ways
    double scanPrecisionDpi = 1016.0;
    std::int16_t referencePointMode = 0;
    double onDelayMs = 0.0;
    double offDelayMs = 0.0;
    std::int32_t outlineCut = 0;
    LgpPassPara outline;
    double outlineOnDelayMs = 0.0;
    double outlineOffDelayMs = 0.0;
    std::uint16_t arrayCountX = 1;
    std::uint16_t arrayCountY = 1;
    double arraySpaceX = 0.0;
    double arraySpaceY = 0.0;
    std::int16_t arrayDirection = 0;
    std::int32_t ellipseToDot = 0;
    double dotTimeMs = 10.0;
};

// The plate shape (36 bytes).
struct LgpShapePara {
    double plateWidth = 200.0;
    double plateHeight = 200.0;
    std::int32_t blankEnabled = 0;
    double blankDistance = 0.0;  // its sign chooses the side
    std::int32_t applyToOutline = 0;
    std::int32_t mergeCrossing = 0;
};

struct LgpConfig {
    static constexpr std::size_t kStoredBytes = 392;

    LgpDotPara dot;
    LgpLaserPara laser;
    LgpShapePara shape;

    // The three records in order. Loading throws platform::ArchiveError when the bytes run out.
    void Serialize(platform::Archive& ar);
    // Brings every value into the range its page allows; values that are not finite, and minimums
    // that are not positive, take their defaults.
    void ApplyEntryRules();
};

// Reads the file into a copy and commits it whole: a file that is missing, short, long or unreadable
// leaves the records as they are and returns false. A file that loads is brought within range.
bool LoadConfigFile(const std::filesystem::path& file, LgpConfig& config);
// Writes the 392 bytes through a temporary file; false, with the old file kept, when that fails.
bool SaveConfigFile(const std::filesystem::path& file, const LgpConfig& config);

}  // namespace dotplate
