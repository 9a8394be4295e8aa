// The parts of a layer output record that scan blocks and the cuts after sweeping read, whichever layer
// kind filled the record.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "FieldInfo.h"
#include "FileLine.h"
#include "LayerOutputRecord.h"

namespace joboutput {

// Scan settings of the record's own kind; a vector layer has no optimised scan and no direct output.
struct ScanParams {
    std::uint8_t scanMode = 0;
    double scanInterval = 0.0;
    std::int32_t ramp = 0;
    double rampLength = 0.0;
    std::uint16_t overstriking = 0;
    std::int32_t optimisedScan = 0;
    std::int32_t outputDirect = 0;

    static ScanParams Of(const LayerOutputRecord& record);
};

// The cut after sweeping.
struct SweepCut {
    double speed = 0.0;
    double minPower1 = 0.0;
    double maxPower1 = 0.0;
    double minPower2 = 0.0;
    double maxPower2 = 0.0;
    std::int32_t blower = 0;
    std::int32_t defaultSpeed = 0;
    std::int32_t defaultPower = 0;
    double seal = 0.0;
    double onDelay = 0.0;
    double offDelay = 0.0;

    static SweepCut Of(const LayerOutputRecord& record);
};

// The head of a cut after sweeping, then its path (a travel move to the first segment's start, lines
// to every end), its seal and the block end. speedLimit, when above 0, is sent after the head and the
// block speed restored after the path.
int WriteSweepCutBlock(const CDbList<CFileLine>& path, const LayerOutputRecord& record,
                       std::uint16_t layerNumber, double speedLimit, std::int32_t* stateA,
                       std::int32_t* stateB);

// The rows name the layer parameters the fields come from, as the output record's parts do, so that
// both kinds' parts fill them by key.
template <RecordOf<ScanParams> Params, typename Visit>
void VisitFields(Params& p, Visit&& visit) {
    visit(FieldInfo{"Eng_Type"}, p.scanMode);
    visit(FieldInfo{"Eng_Space"}, p.scanInterval);
    visit(FieldInfo{"Eng_EnSlope"}, p.ramp);
    visit(FieldInfo{"Eng_SlopeLen"}, p.rampLength);
    visit(FieldInfo{"Eng_ThickFont"}, p.overstriking);
    visit(FieldInfo{"Eng_EnOptim"}, p.optimisedScan);
    visit(FieldInfo{"Eng_OptDirect"}, p.outputDirect);
}

template <RecordOf<SweepCut> Cut, typename Visit>
void VisitFields(Cut& c, Visit&& visit) {
    visit(FieldInfo{"EngCut_Speed"}, c.speed);
    visit(FieldInfo{"EngCut_Pmin1"}, c.minPower1);
    visit(FieldInfo{"EngCut_Pmax1"}, c.maxPower1);
    visit(FieldInfo{"EngCut_Pmin2"}, c.minPower2);
    visit(FieldInfo{"EngCut_Pmax2"}, c.maxPower2);
    visit(FieldInfo{"EngCut_Blow"}, c.blower);
    visit(FieldInfo{"EngCut_DefaultSpeed"}, c.defaultSpeed);
    visit(FieldInfo{"EngCut_DefaultPower"}, c.defaultPower);
    visit(FieldInfo{"EngCut_Close"}, c.seal);
    visit(FieldInfo{"EngCut_OnDelay"}, c.onDelay);
    visit(FieldInfo{"EngCut_OffDelay"}, c.offDelay);
}

}  // namespace joboutput
