// LayerOutputRecord: the flat per-layer parameter record that job output works on when it scans a vector
// layer or writes a bitmap layer. It holds both layer kinds side by side; each kind's ToOutputRecord fills
// the common part and its own parts from the committed parameters and leaves the other kind's part alone.
// Units: speeds mm/s, powers percent, lengths mm, delays ms.
#pragma once

#include <cstdint>

#include "FieldInfo.h"

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

// The parts' tables. Each row carries only the key of the layer parameter that the field is copied from
// (CopyFieldsByKey), so that a layer kind fills its parts by walking its own tables; the range and unit
// stay with the parameter's own row.
template <RecordOf<LayerOutputRecord::Common> Part, typename Visit>
void VisitFields(Part& r, Visit&& visit) {
    visit(FieldInfo{"COM_Type"}, r.type);
    visit(FieldInfo{"COM_Output"}, r.output);
    visit(FieldInfo{"COM_Speed"}, r.speed);
    visit(FieldInfo{"COM_Pmin1"}, r.minPower1);
    visit(FieldInfo{"COM_Pmax1"}, r.maxPower1);
    visit(FieldInfo{"COM_Pmin2"}, r.minPower2);
    visit(FieldInfo{"COM_Pmax2"}, r.maxPower2);
    visit(FieldInfo{"COM_Blow"}, r.blower);
    visit(FieldInfo{"COM_EnLaser1"}, r.laser1Enabled);
    visit(FieldInfo{"COM_EnLaser2"}, r.laser2Enabled);
    visit(FieldInfo{"COM_EnZ"}, r.zEnabled);
    visit(FieldInfo{"COM_EnZDown"}, r.zDownEnabled);
    visit(FieldInfo{"COM_EnZUp"}, r.zUpEnabled);
    visit(FieldInfo{"COM_ZDownPos"}, r.zDownPosition);
    visit(FieldInfo{"COM_ZUpPos"}, r.zUpPosition);
    visit(FieldInfo{"COM_ZSpeed"}, r.zSpeed);
    visit(FieldInfo{"COM_SpeedDefault"}, r.defaultSpeed);
    visit(FieldInfo{"COM_PowerDefault"}, r.defaultPower);
    visit(FieldInfo{"COM_EnExIO"}, r.extendedIo);
}

template <RecordOf<LayerOutputRecord::Vector> Part, typename Visit>
void VisitFields(Part& r, Visit&& visit) {
    visit(FieldInfo{"COM_Color"}, r.color);
    visit(FieldInfo{"COM_WorkType"}, r.workType);
    visit(FieldInfo{"Eng_EnSlope"}, r.ramp);
    visit(FieldInfo{"Eng_SlopeLen"}, r.rampLength);
    visit(FieldInfo{"Eng_ThickFont"}, r.overstriking);
    visit(FieldInfo{"Eng_Type"}, r.scanMode);
    visit(FieldInfo{"Eng_Space"}, r.scanInterval);
    visit(FieldInfo{"Eng_OptMode"}, r.independentOutput);
    visit(FieldInfo{"Eng_EnCircle"}, r.circleHandling);
    visit(FieldInfo{"Eng_CircleMaxDia"}, r.circleMaxDiameter);
    visit(FieldInfo{"Eng_CircleDia"}, r.circleReplacementDiameter);
    visit(FieldInfo{"Eng_EnCut"}, r.cutAfterScan);
    visit(FieldInfo{"EngCut_Speed"}, r.cutSpeed);
    visit(FieldInfo{"EngCut_Pmin1"}, r.cutMinPower1);
    visit(FieldInfo{"EngCut_Pmax1"}, r.cutMaxPower1);
    visit(FieldInfo{"EngCut_Pmin2"}, r.cutMinPower2);
    visit(FieldInfo{"EngCut_Pmax2"}, r.cutMaxPower2);
    visit(FieldInfo{"EngCut_Blow"}, r.cutBlower);
    visit(FieldInfo{"EngCut_Close"}, r.cutSeal);
    visit(FieldInfo{"EngCut_OnDelay"}, r.cutOnDelay);
    visit(FieldInfo{"EngCut_OffDelay"}, r.cutOffDelay);
    visit(FieldInfo{"EngCut_DefaultSpeed"}, r.cutDefaultSpeed);
    visit(FieldInfo{"EngCut_DefaultPower"}, r.cutDefaultPower);
    visit(FieldInfo{"Cut_Close"}, r.seal);
    visit(FieldInfo{"Cut_OnDelay"}, r.onDelay);
    visit(FieldInfo{"Cut_OffDelay"}, r.offDelay);
    visit(FieldInfo{"Cut_EnSew"}, r.kerfCompensation);
    visit(FieldInfo{"Cut_SewDir"}, r.kerfDirection);
    visit(FieldInfo{"Cut_SewWidth"}, r.kerfWidth);
    visit(FieldInfo{"Cut_ThroughMode"}, r.throughMode);
    visit(FieldInfo{"Dot_Time"}, r.dotTime);
    visit(FieldInfo{"Dot_Space"}, r.dotInterval);
    visit(FieldInfo{"Dot_Len"}, r.dotLength);
    visit(FieldInfo{"Dot_EnCenter"}, r.centreDot);
}

template <RecordOf<LayerOutputRecord::Bitmap> Part, typename Visit>
void VisitFields(Part& r, Visit&& visit) {
    visit(FieldInfo{"COM_Color"}, r.color);
    visit(FieldInfo{"Eng_Invert"}, r.negative);
    visit(FieldInfo{"Eng_EnOptim"}, r.optimisedScan);
    visit(FieldInfo{"Eng_EnSlope"}, r.ramp);
    visit(FieldInfo{"Eng_SlopeLen"}, r.rampLength);
    visit(FieldInfo{"Eng_OptMode"}, r.independentOutput);
    visit(FieldInfo{"Eng_OptDirect"}, r.outputDirect);
    visit(FieldInfo{"Eng_ThickFont"}, r.overstriking);
    visit(FieldInfo{"Eng_Type"}, r.scanMode);
    visit(FieldInfo{"Eng_Space"}, r.scanInterval);
    visit(FieldInfo{"Eng_EnCut"}, r.cutAfterScan);
    visit(FieldInfo{"EngCut_Speed"}, r.cutSpeed);
    visit(FieldInfo{"EngCut_Pmin1"}, r.cutMinPower1);
    visit(FieldInfo{"EngCut_Pmax1"}, r.cutMaxPower1);
    visit(FieldInfo{"EngCut_Pmin2"}, r.cutMinPower2);
    visit(FieldInfo{"EngCut_Pmax2"}, r.cutMaxPower2);
    visit(FieldInfo{"EngCut_Blow"}, r.cutBlower);
    visit(FieldInfo{"EngCut_DefaultSpeed"}, r.cutDefaultSpeed);
    visit(FieldInfo{"EngCut_DefaultPower"}, r.cutDefaultPower);
    visit(FieldInfo{"EngCut_Close"}, r.cutSeal);
    visit(FieldInfo{"EngCut_OnDelay"}, r.cutOnDelay);
    visit(FieldInfo{"EngCut_OffDelay"}, r.cutOffDelay);
}

template <RecordOf<LayerOutputRecord::Pen> Part, typename Visit>
void VisitFields(Part& r, Visit&& visit) {
    visit(FieldInfo{"Pen_DownDelay"}, r.downDelay);
    visit(FieldInfo{"Pen_UpDelay"}, r.upDelay);
}
