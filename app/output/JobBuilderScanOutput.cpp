// Scan-mode vector layers: their closed curves rasterised into a 1-bit bitmap at the scan interval's
// pixel size (small circles as a single line), written as a scan block, then cut one by one when the
// layer asks for it.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "CadMgr.h"
#include "CadOrderGroup.h"
#include "CutOrder.h"
#include "JobBuilder.h"
#include "OutputSteps.h"
#include "Progress.h"
#include "Rasterkit.h"
#include "ScanBlocks.h"
#include "SettingsRecords.h"

namespace {

// Interval bounds of the pixel-size rule (mm).
constexpr double kFinestPixelMm = 0.02;
constexpr double kCoarsestPixelMm = 0.1;
// Curves whose boxes come this close on both axes are scanned as one block.
constexpr double kClusterGapMm = 0.001;
// Guards the whole-number test against the binary form of decimal intervals (0.3 × 10).
constexpr double kWholeNumberSlack = 1e-9;

CCadRect UnionOf(const ElementList& curves) {
    CCadRect united = curves.head->next->value->rect;
    united.Normalize();
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        CCadRect rect = node->value->rect;
        rect.Normalize();
        united.x1 = std::min(united.x1, rect.x1);
        united.y1 = std::min(united.y1, rect.y1);
        united.x2 = std::max(united.x2, rect.x2);
        united.y2 = std::max(united.y2, rect.y2);
    }
    return united;
}

std::optional<int> CanvasSide(double lengthMm, double pixelMm) {
    const double pixels = lengthMm / pixelMm + 0.5;
    if (!std::isfinite(pixels) || pixels > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return std::max(static_cast<int>(pixels), 1);
}

bool Touches(const CCadRect& group, const CCadRect& curve) {
    return group.x1 - curve.x2 <= kClusterGapMm && curve.x1 - group.x2 <= kClusterGapMm &&
           group.y1 - curve.y2 <= kClusterGapMm && curve.y1 - group.y2 <= kClusterGapMm;
}

void Grow(CCadRect& group, const CCadRect& curve) {
    group.x1 = std::min(group.x1, curve.x1);
    group.y1 = std::min(group.y1, curve.y1);
    group.x2 = std::max(group.x2, curve.x2);
    group.y2 = std::max(group.y2, curve.y2);
}

// Splits the curves into clusters of touching boxes, each an order group holding its curves.
void MakeClusters(ElementList& curves, ElementList& clusters) {
    std::vector<CCadElement*> remaining;
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        remaining.push_back(node->value);
    }
    while (!remaining.empty()) {
        auto* cluster = new CCadOrderGroup;
        clusters.AddTail(cluster);
        cluster->children.AddTail(remaining.front());
        cluster->rect = remaining.front()->rect;
        remaining.erase(remaining.begin());
        for (auto next = remaining.begin(); next != remaining.end();) {
            if (Touches(cluster->rect, (*next)->rect)) {
                Grow(cluster->rect, (*next)->rect);
                cluster->children.AddTail(*next);
                remaining.erase(next);
                next = remaining.begin();
            } else {
                ++next;
            }
        }
    }
}

void FreeClusters(ElementList& clusters) {
    for (auto* node = clusters.head->next; node != clusters.head; node = node->next) {
        auto* cluster = static_cast<CCadOrderGroup*>(node->value);
        cluster->Detach();
        delete cluster;
    }
    clusters.RemoveAll();
}

void Rasterise(CCadBitmap& canvas, const CCadVectorLayer& layer, ElementList& curves, double pixel,
               const CCadRect& area, double base, double range) {
    const VectorLayerParams& params = layer.vectorParams;
    const double step = range / curves.GetCount();
    int index = 0;
    for (auto* node = curves.head->next; node != curves.head; node = node->next, ++index) {
        auto* curve = static_cast<CCadCurve*>(node->value);
        if (curve->closed == 0) {
            continue;
        }
        const double diameter = params.Eng_CircleDia;
        if (params.Eng_EnCircle != 0 && diameter > 0.0 && curve->IsCircleLike() != 0 &&
            std::fabs(curve->rect.x2 - curve->rect.x1) < params.Eng_CircleMaxDia) {
            curve->CalRect();
            const double cx = (curve->rect.x1 + curve->rect.x2) / 2.0;
            const double cy = (curve->rect.y1 + curve->rect.y2) / 2.0;
            CFileLine line;
            if ((params.Eng_Type & 0xFF) <= 1) {
                line.start = {cx - diameter / 2.0, cy};
                line.end = {cx + diameter / 2.0, cy};
            } else {
                line.start = {cx, cy - diameter / 2.0};
                line.end = {cx, cy + diameter / 2.0};
            }
            _dib_DrawLine(&canvas.dib, line, pixel, area.x1, area.y1, area.x2, area.y2);
        } else {
            _dib_fill(&canvas.dib, &curve->pathList, pixel, area.x1, area.y1, area.x2, area.y2);
        }
        ProgressRatio = base + index * step;
    }
}

int CutCurves(const CCadVectorLayer& layer, ElementList& curves, const LayerOutputRecord& record, double dx,
              double dy, std::int32_t* stateA, std::int32_t* stateB) {
    const JobFrame& frame = gJobFrame;
    SDPoint start;
    CCadMgr::GetStartPoint(frame.box[0], frame.box[1], frame.box[2], frame.box[3], start.x, start.y);
    CCutOrder order;
    order.Optimize(curves, static_cast<std::int32_t>(gOptimSettings.insideToOutside),
                   CCadMgr::GetStartCorner(), start.x, start.y);
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        if (node->value->typeCode != kCurveElement) {
            continue;
        }
        const auto* curve = static_cast<const CCadCurve*>(node->value);
        if (curve->closed == 0) {
            continue;
        }
        const std::unique_ptr<CCadCurve> prepared = CJobBuilder::PrepareCurve(curve, dx, dy);
        if (prepared == nullptr ||
            CJobBuilder::WriteCurveCut(prepared.get(), record, layer.commonParams.COM_OutputNo, stateA,
                                       stateB) == 0) {
            return 0;
        }
    }
    return 1;
}

}  // namespace

double CJobBuilder::ScanPixelSize(double interval) {
    if (!std::isfinite(interval) || interval <= 0.0) {
        return 0.0;
    }
    if (interval < kFinestPixelMm) {
        return interval * std::floor(kFinestPixelMm / interval);
    }
    if (interval <= kCoarsestPixelMm) {
        return interval;
    }
    return interval / std::ceil(interval / kCoarsestPixelMm - kWholeNumberSlack);
}

int CJobBuilder::OutputScanLayer(CCadLayer* layer, ElementList& flatList, SDPoint startPoint,
                                 std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                                 double base, double range) {
    if (layer->elements.IsEmpty() != 0) {
        return 1;
    }
    ElementList closedCurves;
    for (auto* node = flatList.head->next; node != flatList.head; node = node->next) {
        if (node->value->typeCode == kCurveElement && node->value->layer == layer &&
            static_cast<CCadCurve*>(node->value)->CheckClosed() != 0) {
            closedCurves.AddTail(node->value);
        }
    }
    if (closedCurves.IsEmpty() != 0) {
        return 1;
    }
    auto* vectorLayer = static_cast<CCadVectorLayer*>(layer);
    if (vectorLayer->vectorParams.Eng_OptMode == 0) {
        return ScanVectors(vectorLayer, closedCurves, stateA, stateB, base, range);
    }
    ElementList clusters;
    MakeClusters(closedCurves, clusters);
    CCutOrder order;
    SDPoint point = startPoint;
    order.ScanBlockOrder(clusters, cornerCode, point);
    const double step = range / clusters.GetCount();
    int index = 0;
    int written = 1;
    for (auto* node = clusters.head->next; node != clusters.head && written != 0; node = node->next) {
        written = ScanVectors(vectorLayer, static_cast<CCadOrderGroup*>(node->value)->children, stateA,
                              stateB, ProgressRatio.load(), step);
        ProgressRatio = base + ++index * step;
    }
    FreeClusters(clusters);
    return written;
}

int CJobBuilder::ScanVectors(CCadVectorLayer* layer, ElementList& curves, std::int32_t* stateA,
                             std::int32_t* stateB, double base, double range) {
    const VectorLayerParams& params = layer->vectorParams;
    const double pixel = ScanPixelSize(params.Eng_Space);
    if (pixel <= 0.0 || curves.IsEmpty() != 0) {
        return 0;
    }
    const CCadRect area = UnionOf(curves);
    const std::optional<int> width = CanvasSide(std::fabs(area.x2 - area.x1), pixel);
    const std::optional<int> height = CanvasSide(std::fabs(area.y2 - area.y1), pixel);
    const int pelsPerMetre = static_cast<int>(1000.0 / pixel);
    CCadBitmap canvas;
    if (!width || !height || canvas.CreateDib(*width, *height, 1, pelsPerMetre, pelsPerMetre) == 0) {
        return 0;
    }
    canvas.rect = area;
    canvas.centre = {(area.x1 + area.x2) / 2.0, (area.y1 + area.y2) / 2.0};
    LayerOutputRecord record;
    layer->ToOutputRecord(record);
    double dx = 0.0;
    double dy = 0.0;
    GetLayerOffset(layer, &dx, &dy);
    Rasterise(canvas, *layer, curves, pixel, area, base, range);
    ProgressRatio = base + range;
    canvas.rect.Offset(dx, dy);
    canvas.centre = {canvas.centre.x + dx, canvas.centre.y + dy};
    if (params.Eng_EnCircle != 0) {
        record.vector.scanInterval = pixel;
    }
    const std::uint16_t layerNumber = layer->commonParams.COM_OutputNo;
    if (canvas.PrepareScan(&record, base, range) == 0 ||
        WriteScanBlock(&canvas, record, layerNumber, stateA, stateB, base, range) == 0) {
        return 0;
    }
    if (params.Eng_EnCut == 0) {
        return 1;
    }
    ElementList working;
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        working.AddTail(node->value);
    }
    return CutCurves(*layer, working, record, dx, dy, stateA, stateB);
}

int CJobBuilder::WriteCurveCut(const CCadCurve* curve, const LayerOutputRecord& record,
                               std::uint16_t layerNumber, std::int32_t* stateA, std::int32_t* stateB) {
    const joboutput::SweepCut cut = joboutput::SweepCut::Of(record);
    const std::optional<double> limit =
        joboutput::SpeedLimitFor(curve->rect, curve->closed != 0, cut.defaultSpeed, cut.speed);
    return joboutput::WriteSweepCutBlock(curve->pathList, record, layerNumber, limit.value_or(0.0), stateA,
                                         stateB);
}
