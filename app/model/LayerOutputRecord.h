// LayerOutputRecord: the flat per-layer parameter record that job output works on when it scans a vector
// layer or writes a bitmap layer. It holds both layer kinds side by side; each kind's ToOutputRecord fills
// the common part and its own parts from the committed parameters and leaves the other kind's part alone.
// Units: speeds mm/s, powers percent, lengths mm, delays ms.
#pragma once

#include <cstdint>

struct LayerOutputRecord {
    // Filled by both layer kinds.
    struct Common {
        std::uint16_t type = 0;  // 0 vector layer, 1 bitmap layer
        std::int32_t output = 0;
        double speed = 0.0;
        double minPower1 = 0.0;
        double maxPower1 = 0.0;
        double minPower2 = 0.0;
        double maxPower2 = 0.0;
        std::int32_t blower = 0;
        std::int32_t laser1Enabled = 0;
        std::int32_t laser2Enabled = 0;
        std::int32_t zEnabled = 0;
        std::int32_t zDownEnabled = 0;
        std::int32_t zUpEnabled = 0;
        double zDownPosition = 0.0;
        double zUpPosition = 0.0;
        double zSpeed = 0.0;
        std::int32_t defaultSpeed = 0;
        std::int32_t defaultPower = 0;
        std::int32_t extendedIo = 0;

        friend bool operator==(const Common&, const Common&) = default;
    };

    // Filled by the vector layer only.
    struct Vector {
        std::uint32_t color = 0;
        std::uint16_t workType = 0;
        std::int32_t ramp = 0;
        double rampLength = 0.0;
        std::uint16_t overstriking = 0;
        std::uint8_t scanMode = 0;
        double scanInterval = 0.0;
        std::int32_t independentOutput = 0;
        std::int32_t circleHandling = 0;
        double circleMaxDiameter = 0.0;
        double circleReplacementDiameter = 0.0;
        std::int32_t cutAfterScan = 0;
        double cutSpeed = 0.0;
        double cutMinPower1 = 0.0;
        double cutMaxPower1 = 0.0;
        double cutMinPower2 = 0.0;
        double cutMaxPower2 = 0.0;
        std::int32_t cutBlower = 0;
        double cutSeal = 0.0;
        double cutOnDelay = 0.0;
        double cutOffDelay = 0.0;
        std::int32_t cutDefaultSpeed = 0;
        std::int32_t cutDefaultPower = 0;
        double seal = 0.0;
        double onDelay = 0.0;
        double offDelay = 0.0;
        std::int32_t kerfCompensation = 0;
        std::uint16_t kerfDirection = 0;
        double kerfWidth = 0.0;
        std::int32_t throughMode = 0;
        double dotTime = 0.0;  // seconds
        double dotInterval = 0.0;
        double dotLength = 0.0;
        std::int32_t centreDot = 0;

        friend bool operator==(const Vector&, const Vector&) = default;
    };

    // Filled by the bitmap layer only.
    struct Bitmap {
        std::uint32_t color = 0;
        std::int32_t negative = 0;
        std::int32_t optimisedScan = 0;
        std::int32_t ramp = 0;
        double rampLength = 0.0;
        std::int32_t independentOutput = 0;
        std::int32_t outputDirect = 0;
        std::uint16_t overstriking = 0;
        std::uint8_t scanMode = 0;
        double scanInterval = 0.0;
        std::int32_t cutAfterScan = 0;
        double cutSpeed = 0.0;
        double cutMinPower1 = 0.0;
        double cutMaxPower1 = 0.0;
        double cutMinPower2 = 0.0;
        double cutMaxPower2 = 0.0;
        std::int32_t cutBlower = 0;
        std::int32_t cutDefaultSpeed = 0;
        std::int32_t cutDefaultPower = 0;
        double cutSeal = 0.0;
        double cutOnDelay = 0.0;
        double cutOffDelay = 0.0;

        friend bool operator==(const Bitmap&, const Bitmap&) = default;
    };

    // Filled by the vector layer only.
    struct Pen {
        double downDelay = 0.0;
        double upDelay = 0.0;

        friend bool operator==(const Pen&, const Pen&) = default;
    };

    Common common;
    Vector vector;
    Bitmap bitmap;
    Pen pen;
};
