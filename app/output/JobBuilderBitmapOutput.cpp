// Bitmap layers: their bitmaps as one merged scan block or one block each, the scan-block writer that
// the Scan-mode vector layers share, and the frame cut around a bitmap.
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "CadBitmapLayer.h"
#include "CutOrder.h"
#include "FieldWalks.h"
#include "JobBuilder.h"
#include "MotionlinkJob.h"
#include "OutputSteps.h"
#include "Progress.h"
#include "ScanBlocks.h"
#include "SettingsRecords.h"
#include "SettingsRows.h"

using joboutput::Ok;

namespace joboutput {

namespace {

// The part of the record that the record's own layer kind filled.
template <typename Params>
Params FromOwnPart(const LayerOutputRecord& record) {
    Params params;
    if (record.common.type == CCadLayer::kBitmapLayer) {
        CopyFieldsByKey(record.bitmap, params);
    } else {
        CopyFieldsByKey(record.vector, params);
    }
    return params;
}

}  // namespace

ScanParams ScanParams::Of(const LayerOutputRecord& record) {
    return FromOwnPart<ScanParams>(record);
}

SweepCut SweepCut::Of(const LayerOutputRecord& record) {
    return FromOwnPart<SweepCut>(record);
}

namespace {

// The cut after sweeping brings its own blower, speed, delays and powers; the rest is the layer's.
LayerHead SweepCutHead(const LayerOutputRecord::Common& common, const SweepCut& cut,
                       std::uint16_t layerNumber) {
    LayerHead head = LayerHead::Of(common, layerNumber);
    head.blower = cut.blower;
    head.speed = cut.speed;
    head.defaultSpeed = cut.defaultSpeed;
    head.laserOn = {cut.onDelay, false};
    head.laserOff = {cut.offDelay, false};
    head.minPower1 = cut.minPower1;
    head.maxPower1 = cut.maxPower1;
    head.minPower2 = cut.minPower2;
    head.maxPower2 = cut.maxPower2;
    head.defaultPower = cut.defaultPower;
    return head;
}

}  // namespace

int WriteSweepCutBlock(const CDbList<CFileLine>& path, const LayerOutputRecord& record,
                       std::uint16_t layerNumber, double speedLimit, std::int32_t* stateA,
                       std::int32_t* stateB) {
    const LayerOutputRecord::Common& common = record.common;
    const SweepCut cut = SweepCut::Of(record);
    const PenAxis pen{common.zEnabled, common.zDownEnabled, common.zUpEnabled, common.zDownPosition,
                      common.zUpPosition};
    const bool head = WriteLayerHead(SweepCutHead(common, cut, layerNumber), kSweepCutHeadSteps);
    if (!head || (speedLimit > 0.0 && !WriteSpeedLimit(speedLimit)) || path.IsEmpty() != 0) {
        return Result(head && path.IsEmpty() == 0);
    }
    if (!MoveTo(path.head->next->value.start, stateA, stateB) || !pen.Down()) {
        return 0;
    }
    for (auto* node = path.head->next; node != path.head; node = node->next) {
        if (!LineTo(node->value.end, stateA, stateB)) {
            return 0;
        }
    }
    return Result((cut.seal <= 0.0 || WriteSeal(path, cut.seal, stateA, stateB)) &&
                  (speedLimit <= 0.0 || Ok(Zint_wSetEngVel(HeadSpeed(cut.speed, cut.defaultSpeed)))) &&
                  pen.Up() && Ok(Zint_wSetBlockEnd()));
}

}  // namespace joboutput

namespace {

constexpr double kMergedPixelsPerMm = 20.0;
constexpr int kMergedPelsPerMetre = 20000;
constexpr int kLongestRampPixels = 255;

std::uint8_t ScanWorkMode(std::uint8_t scanMode) {
    switch (scanMode) {
        case 1:
            return 1;
        case 2:
            return 4;
        case 3:
            return 3;
        default:
            return 2;
    }
}

// Pixels for a length, or nothing when the count cannot be a bitmap's side.
std::optional<int> PixelCount(double pixels) {
    if (!std::isfinite(pixels) || pixels < 0.0 || pixels > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<int>(pixels);
}

double ReverseInterval(double speed) {
    CDbList<ReverseIntervalRow>& rows = gOutputOptions.reverseIntervals;
    if (speed <= 0.0 || gOutputOptions.reverseIntervalOn == 0 || rows.IsEmpty() != 0) {
        return 0.0;
    }
    SortAscending(rows);
    return LookupAscending(rows, speed, &ReverseIntervalRow::speedMmPerS,
                           &ReverseIntervalRow::reverseIntervalMm)
        .value_or(rows.head->prev->value.reverseIntervalMm);
}

CDbList<CFileLine> FramePath(const CCadRect& rect) {
    const SDPoint corners[] = {
        {rect.x1, rect.y1}, {rect.x2, rect.y1}, {rect.x2, rect.y2}, {rect.x1, rect.y2}, {rect.x1, rect.y1}};
    CDbList<CFileLine> path;
    for (int side = 0; side < 4; ++side) {
        CFileLine line;
        line.start = corners[side];
        line.end = corners[side + 1];
        path.AddTail(line);
    }
    return path;
}

CCadRect UnionOf(const std::vector<CCadBitmap*>& bitmaps) {
    CCadRect united = bitmaps.front()->rect;
    united.Normalize();
    for (const CCadBitmap* bitmap : bitmaps) {
        CCadRect rect = bitmap->rect;
        rect.Normalize();
        united.x1 = std::min(united.x1, rect.x1);
        united.y1 = std::min(united.y1, rect.y1);
        united.x2 = std::max(united.x2, rect.x2);
        united.y2 = std::max(united.y2, rect.y2);
    }
    return united;
}

int OutputMerged(const std::vector<CCadBitmap*>& bitmaps, const LayerOutputRecord& record,
                 std::uint16_t layerNumber, double dx, double dy, std::int32_t* stateA, std::int32_t* stateB,
                 double base, double range) {
    const CCadRect united = UnionOf(bitmaps);
    const std::optional<int> width = PixelCount(std::fabs(united.x2 - united.x1) * kMergedPixelsPerMm + 0.5);
    const std::optional<int> height = PixelCount(std::fabs(united.y2 - united.y1) * kMergedPixelsPerMm + 0.5);
    auto merged = std::make_unique<CCadBitmap>();
    if (!width || !height ||
        merged->CreateDib(*width, *height, 1, kMergedPelsPerMetre, kMergedPelsPerMetre) == 0) {
        return 0;
    }
    merged->rect = united;
    const double half = range / 2.0;
    const double step = half / static_cast<double>(bitmaps.size());
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const CCadBitmap* bitmap = bitmaps[i];
        const int column =
            static_cast<int>((std::min(bitmap->rect.x1, bitmap->rect.x2) - united.x1) * kMergedPixelsPerMm);
        const int row =
            static_cast<int>((std::min(bitmap->rect.y1, bitmap->rect.y2) - united.y1) * kMergedPixelsPerMm);
        if (merged->Mix(bitmap, column, row, base + i * step, step) == 0) {
            return 0;
        }
    }
    if (merged->PrepareScan(&record, base + half, half) == 0) {
        return 0;
    }
    // The merged block follows the layer's output offset as every other output does.
    merged->rect.Offset(dx, dy);
    if (CJobBuilder::WriteScanBlock(merged.get(), record, layerNumber, stateA, stateB, base + half, half) ==
        0) {
        return 0;
    }
    if (record.bitmap.cutAfterScan == 0) {
        return 1;
    }
    for (const CCadBitmap* bitmap : bitmaps) {
        if (CJobBuilder::WriteFrameCut(bitmap->rect.MovedNormalised(dx, dy), record, layerNumber, stateA,
                                       stateB) == 0) {
            return 0;
        }
    }
    return 1;
}

int OutputEach(const std::vector<CCadBitmap*>& bitmaps, const LayerOutputRecord& record,
               std::uint16_t layerNumber, double dx, double dy, std::int32_t* stateA, std::int32_t* stateB,
               double base, double range) {
    const double step = range / static_cast<double>(bitmaps.size());
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        CCadBitmap copy;
        if (copy.CopyFrom(bitmaps[i], dx, dy) == 0 || copy.PrepareScan(&record, base, range) == 0 ||
            CJobBuilder::WriteScanBlock(&copy, record, layerNumber, stateA, stateB, ProgressRatio.load(),
                                        step) == 0) {
            return 0;
        }
        if (record.bitmap.cutAfterScan != 0 &&
            CJobBuilder::WriteFrameCut(copy.rect, record, layerNumber, stateA, stateB) == 0) {
            return 0;
        }
        ProgressRatio = base + static_cast<double>(i + 1) * step;
    }
    return 1;
}

}  // namespace

int CJobBuilder::OutputBitmapLayer(CCadLayer* layer, ElementList& flatList, SDPoint startPoint,
                                   std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                                   double base, double range) {
    if (layer->elements.IsEmpty() != 0) {
        return 1;
    }
    ElementList onLayer;
    for (auto* node = flatList.head->next; node != flatList.head; node = node->next) {
        if (node->value->typeCode == kBitmapElement && node->value->layer == layer) {
            onLayer.AddTail(node->value);
        }
    }
    if (onLayer.IsEmpty() != 0) {
        return 1;
    }
    double dx = 0.0;
    double dy = 0.0;
    GetLayerOffset(layer, &dx, &dy);
    LayerOutputRecord record;
    static_cast<const CCadBitmapLayer*>(layer)->ToOutputRecord(record);
    const std::uint16_t layerNumber = layer->commonParams.COM_OutputNo;
    const bool independent = record.bitmap.independentOutput != 0;
    if (independent) {
        CCutOrder order;
        SDPoint point = startPoint;
        order.ScanBlockOrder(onLayer, cornerCode, point);
    }
    std::vector<CCadBitmap*> bitmaps;
    for (auto* node = onLayer.head->next; node != onLayer.head; node = node->next) {
        bitmaps.push_back(static_cast<CCadBitmap*>(node->value));
    }
    if (bitmaps.size() > 1 && !independent) {
        return OutputMerged(bitmaps, record, layerNumber, dx, dy, stateA, stateB, base, range);
    }
    return OutputEach(bitmaps, record, layerNumber, dx, dy, stateA, stateB, base, range);
}

int CJobBuilder::WriteScanBlock(CCadBitmap* bitmap, const LayerOutputRecord& record,
                                std::uint16_t layerNumber, std::int32_t* stateA, std::int32_t* stateB,
                                double base, double range) {
    const LayerOutputRecord::Common& common = record.common;
    const joboutput::ScanParams scan = joboutput::ScanParams::Of(record);
    const joboutput::PenAxis pen{common.zEnabled, common.zDownEnabled, common.zUpEnabled,
                                 common.zDownPosition, common.zUpPosition};
    joboutput::LayerHead head = joboutput::LayerHead::Of(common, layerNumber);
    head.workMode = ScanWorkMode(scan.scanMode);
    if (!joboutput::WriteLayerHead(head, joboutput::kScanHeadSteps) || !pen.Down()) {
        return 0;
    }
    const int widthPixels = bitmap->GetWidth();
    const double pixel = widthPixels > 0 ? std::fabs(bitmap->rect.x2 - bitmap->rect.x1) / widthPixels : 0.0;
    std::uint32_t ramp = 0;
    double interval = scan.scanInterval;
    std::uint32_t outputDirect = 0;
    if (common.type == CCadLayer::kBitmapLayer) {
        const int rampPixels = pixel > 0.0 ? static_cast<int>(scan.rampLength / pixel) : 0;
        ramp = scan.ramp != 0 && scan.rampLength > 0.0 && pixel > 0.0 && rampPixels > 0 &&
                       rampPixels < kLongestRampPixels
                   ? 1
                   : 0;
        if (scan.optimisedScan != 0 && pixel > 0.0 && interval >= pixel) {
            interval = static_cast<int>(interval / pixel + 0.5) * pixel;
        }
        outputDirect = static_cast<std::uint32_t>(scan.outputDirect);
    } else {
        ramp = scan.overstriking == 0 && scan.ramp != 0 && scan.rampLength > 0.0 && pixel > 0.0 &&
                       static_cast<int>(scan.rampLength / pixel) > 0
                   ? 1
                   : 0;
    }
    const double reverse = ReverseInterval(common.speed);
    if (bitmap->WriteSweep(interval, outputDirect, scan.scanMode, ramp, 0, stateA, stateB, reverse, base,
                           range) == 0) {
        return 0;
    }
    return joboutput::Result(pen.Up() && Ok(Zint_wSetBlockEnd()));
}

int CJobBuilder::WriteFrameCut(const CCadRect& rect, const LayerOutputRecord& record,
                               std::uint16_t layerNumber, std::int32_t* stateA, std::int32_t* stateB) {
    return joboutput::WriteSweepCutBlock(FramePath(rect), record, layerNumber, 0.0, stateA, stateB);
}
