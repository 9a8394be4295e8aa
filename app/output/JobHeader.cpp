#include "JobHeader.h"

#include <algorithm>
#include <cmath>

#include "CadArray.h"
#include "CadMgr.h"
#include "MachineParaRecords.h"
#include "MotionlinkJob.h"
#include "OutputList.h"
#include "OutputSteps.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

using joboutput::Ok;

namespace {

constexpr double kPi1000 = 3141.592653589793;
constexpr double kFallbackStepLengthUm = 0.35;
constexpr double kLowestListSpeed = 0.01;
constexpr double kLowestListPower = 0.001;
constexpr std::uint16_t kMachineZero = 2;

// To 0.01 mm, halves away from zero.
double RoundToHundredth(double value) {
    const double sign = value > 0.0 ? 1.0 : (value < 0.0 ? -1.0 : 0.0);
    return std::trunc(value * 100.0 + 0.5 * sign) * 0.01;
}

double ListPower(double percent, std::int32_t useDefault) {
    return useDefault != 0 ? 0.0 : std::max(percent * 0.01, kLowestListPower);
}

bool WriteLayerList(std::uint32_t index, const LayerCommonParams& common) {
    const std::int32_t noPower = common.COM_PowerDefault;
    return Ok(Zint_wPListVel(
               index, common.COM_SpeedDefault != 0 ? 0.0 : std::max(common.COM_Speed, kLowestListSpeed))) &&
           Ok(Zint_wPListMinP(index, 1, ListPower(common.COM_Pmin1, noPower))) &&
           Ok(Zint_wPListMinP(index, 2, ListPower(common.COM_Pmin2, noPower))) &&
           Ok(Zint_wPListMaxP(index, 1, ListPower(common.COM_Pmax1, noPower))) &&
           Ok(Zint_wPListMaxP(index, 2, ListPower(common.COM_Pmax2, noPower))) &&
           Ok(Zint_wPListColor(index, common.COM_Color));
}

}  // namespace

void SetRefCoordByPos(JobFrame* frame, double low, double high, std::uint16_t code) {
    if (code <= 2) {
        frame->originY = high;
    } else if (code <= 5) {
        frame->originY = (low + high) * 0.5;
    } else if (code <= 8) {
        frame->originY = low;
    }
}

void FillJobFrame(JobFrame& frame, const CCadRect& dataBox) {
    frame.box[0] = dataBox.x1;
    frame.box[1] = dataBox.y1;
    frame.box[2] = dataBox.x2;
    frame.box[3] = dataBox.y2;
    frame.xSign = gGeneralSettings.xMirror != 0 ? -1 : 1;
    frame.ySign = gGeneralSettings.yMirror != 0 ? -1 : 1;
    if (gProcessCtrlSettings.absoluteCoordinate != 0) {
        frame.originX = frame.xSign == 1 ? 0.0 : theCadMgr.pageWidth;
        frame.originY = frame.ySign == 1 ? 0.0 : theCadMgr.pageHeight;
        return;
    }
    const std::uint16_t code = gGeneralSettings.laserHeadPosition;
    if (code <= 8) {
        switch (code % 3) {
            case 0:
                frame.originX = dataBox.x1;
                break;
            case 1:
                frame.originX = (dataBox.x1 + dataBox.x2) * 0.5;
                break;
            default:
                frame.originX = dataBox.x2;
                break;
        }
    }
    SetRefCoordByPos(&frame, dataBox.y1, dataBox.y2, code);
}

int NumberOutputLayers() {
    int outputLayers = 0;
    const CDbList<CCadLayer*>& layers = theCadMgr.layerList;
    for (auto* node = layers.head->next; node != layers.head; node = node->next) {
        LayerCommonParams& common = node->value->commonParams;
        common.COM_OutputNo = static_cast<std::uint16_t>(std::min(outputLayers + 1, 0xFFFF));
        if (common.COM_Output != 0) {
            ++outputLayers;
        }
    }
    return outputLayers;
}

JobRepeat JobRepeat::For(OutputList& output, const CCadRect& dataBox) {
    JobRepeat repeat;
    repeat.frameBox = dataBox;
    const ElementList& elements = output.elements;
    CCadElement* only = elements.GetCount() == 1 ? elements.head->next->value : nullptr;
    if (only != nullptr && only->typeCode == kArrayElement) {
        auto* array = static_cast<CCadArray*>(only);
        if (array->oddRowDislocation == 0.0 && array->oddColumnDislocation == 0.0) {
            const CCadRect& cell = array->rect;
            repeat.columns = static_cast<std::uint16_t>(array->columnCount);
            repeat.rows = static_cast<std::uint16_t>(array->rowCount);
            repeat.pitchX = std::fabs(cell.x2 - cell.x1) + array->columnSpacing;
            repeat.pitchY = std::fabs(cell.y2 - cell.y1) + array->rowSpacing;
            const std::uint16_t direction = array->direction;
            repeat.directionX = (direction == 1 || direction == 2) ? 0 : 1;
            repeat.directionY = (direction == 0 || direction == 1) ? 0 : 1;
            if (gGeneralSettings.xMirror != 0) {
                repeat.directionX ^= 1;
            }
            if (gGeneralSettings.yMirror != 0) {
                repeat.directionY ^= 1;
            }
            repeat.frameBox = cell;
            repeat.array = array;
            return repeat;
        }
    }
    if (PenModeFlag == 1) {
        theCadMgr.GetLayerDataRect(repeat.frameBox);
    }
    return repeat;
}

bool WriteJobHeader(double* rotaryRatio) {
    const bool absolute = gProcessCtrlSettings.absoluteCoordinate != 0;
    const bool reference =
        absolute ? Ok(Zint_wSetRefPointMode(kMachineZero)) && Ok(Zint_wSetAbsProcess())
                 : Ok(Zint_wSetRefPointMode(static_cast<std::uint8_t>(gProcessCtrlSettings.positionChoice)));
    if (!reference || !Ok(Zint_wStrtProcess())) {
        return false;
    }
    const bool feeding = gOutputOptions.feedingOn != 0;
    if (!Ok(Zint_wSetFeedRepeat(feeding ? static_cast<std::uint32_t>(gOutputOptions.feedingCount) : 0,
                                feeding ? gOutputOptions.feedingDistanceMm : 0.0))) {
        return false;
    }
    *rotaryRatio = 1.0;
    if (gOutputOptions.rotateEngraveOn == 0) {
        return Ok(Zint_SetRotateRatio(0, 1.0));
    }
    // The clamps are corrections that stay in the settings.
    gOutputOptions.rotaryDiameterMm = std::clamp(gOutputOptions.rotaryDiameterMm, 1.0, 1000.0);
    gOutputOptions.circlePulse = std::clamp(gOutputOptions.circlePulse, 100.0, 1000000.0);
    double stepLength = gVendorPara.stepLengthUm[1];
    if (stepLength <= 0.0) {
        stepLength = kFallbackStepLengthUm;
    }
    *rotaryRatio = stepLength / (gOutputOptions.rotaryDiameterMm * kPi1000 / gOutputOptions.circlePulse);
    return Ok(Zint_SetRotateRatio(1, *rotaryRatio));
}

bool WriteJobFrame(const JobRepeat& repeat, double rotaryRatio) {
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    ToJobCoord(repeat.frameBox.x1, repeat.frameBox.y1, &x1, &y1);
    ToJobCoord(repeat.frameBox.x2, repeat.frameBox.y2, &x2, &y2);
    const double left = RoundToHundredth(std::min(x1, x2));
    const double right = RoundToHundredth(std::max(x1, x2));
    const double top = RoundToHundredth(std::min(y1, y2));
    const double bottom = RoundToHundredth(std::max(y1, y2));
    return Ok(Zint_wSetProcessTopLeft(left, top)) && Ok(Zint_wSetProcessBottomRight(right, bottom)) &&
           Ok(Zint_wSetProcessRepeat(repeat.columns, repeat.rows, repeat.pitchX,
                                     repeat.pitchY * rotaryRatio)) &&
           Ok(Zint_wArrayDir(repeat.directionX, repeat.directionY));
}

bool WriteLayerLists() {
    std::uint32_t written = 0;
    const CDbList<CCadLayer*>& layers = theCadMgr.layerList;
    for (auto* node = layers.head->next; node != layers.head; node = node->next) {
        const LayerCommonParams& common = node->value->commonParams;
        if (common.COM_Output == 0) {
            continue;
        }
        if (!WriteLayerList(written, common)) {
            return false;
        }
        ++written;
    }
    return Ok(Zint_wPListMaxLayer(written > 0 ? written - 1 : 0));
}
