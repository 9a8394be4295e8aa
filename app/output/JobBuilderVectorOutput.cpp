// Vector output: the curves and points of a Cut, Dot or Pen layer, or single objects in cutting
// order, each curve prepared and handed to the cut or dot writer behind its layer head.
#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "CadGroup.h"
#include "CadMgr.h"
#include "CutOrder.h"
#include "JobBuilder.h"
#include "MotionlinkJob.h"
#include "OutputSteps.h"
#include "Progress.h"
#include "SegmentPrefetch.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

using joboutput::Ok;

namespace {

// A curve smaller than this in both directions is fired as one dot.
constexpr double kSingleDotSizeMm = 0.1;
// Objects in cutting order lie all over memory: the segments of the next few curves are fetched together
// before they are written.
constexpr int kPrefetchWindow = 32;
constexpr int kPrefetchedNodesPerCurve = 64;

bool IsVectorLayer(const CCadLayer* layer) {
    return layer != nullptr && layer->commonParams.COM_Type == CCadLayer::kVectorLayer;
}

std::uint16_t WorkType(const CCadLayer* layer) {
    return static_cast<const CCadVectorLayer*>(layer)->vectorParams.COM_WorkType;
}

bool IsGroupOrText(const CCadElement* element) {
    return element->typeCode == kGroupElement || element->typeCode == kTextElement;
}

using LaserDelays = std::pair<joboutput::LayerHead::Delay, joboutput::LayerHead::Delay>;

// The on and off delays of a cut, dot or pen layer's head. A cut through the material sends them with
// the first commands of their pairs; otherwise a cut uses the second, and a negative on delay with the
// pen axis lowering first becomes a plain on delay of its size. The dot mode sends no delays.
LaserDelays LaserDelaysOf(const CCadVectorLayer& layer) {
    const VectorLayerParams& params = layer.vectorParams;
    const LayerCommonParams& common = layer.commonParams;
    switch (params.COM_WorkType) {
        case VectorLayerParams::kCut:
            if (params.Cut_ThroughMode != 0) {
                return {{params.Cut_OnDelay, false}, {params.Cut_OffDelay, false}};
            }
            if (common.COM_EnZ != 0 && common.COM_EnZDown != 0 && params.Cut_OnDelay < 0.0) {
                return {{std::fabs(params.Cut_OnDelay), false}, {params.Cut_OffDelay, true}};
            }
            return {{params.Cut_OnDelay, true}, {params.Cut_OffDelay, true}};
        case VectorLayerParams::kPen:
            if (PenModeFlag == 1) {
                return {{params.Pen_DownDelay, false}, {params.Pen_UpDelay, false}};
            }
            return {};
        default:
            return {};
    }
}

// The layer's curves and points, those inside groups and texts included, in list order.
void CollectLayerObjects(ElementList& flatList, const CCadLayer* layer, ElementList& collected) {
    for (auto* node = flatList.head->next; node != flatList.head; node = node->next) {
        CCadElement* element = node->value;
        if (element->typeCode == kCurveElement || element->typeCode == kPointElement) {
            if (element->layer == layer) {
                collected.AddTail(element);
            }
        } else if (IsGroupOrText(element)) {
            ElementList leaves;
            CJobBuilder::FlattenGroup(leaves, element);
            for (auto* leaf = leaves.head->next; leaf != leaves.head; leaf = leaf->next) {
                if (leaf->value->layer == layer) {
                    collected.AddTail(leaf->value);
                }
            }
        }
    }
}

}  // namespace

void ToJobCoord(double x, double y, double* outX, double* outY) {
    *outX = gJobFrame.xSign * (x - gJobFrame.originX);
    *outY = gJobFrame.ySign * (y - gJobFrame.originY);
}

void CJobBuilder::FlattenGroup(ElementList& outList, CCadElement* group) {
    const auto& children = static_cast<CCadGroup*>(group)->children;
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        CCadElement* child = node->value;
        if (IsGroupOrText(child)) {
            FlattenGroup(outList, child);
        } else if (IsVectorLayer(child->layer) && child->layer->commonParams.COM_Output != 0) {
            outList.AddTail(child);
        }
    }
}

int CJobBuilder::OutputVectorLayer(CCadLayer* layer, ElementList* flatList, SDPoint startPoint,
                                   std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                                   double base, double range) {
    if (layer == nullptr) {
        return 0;
    }
    if (flatList == nullptr || flatList->IsEmpty() != 0) {
        return 1;
    }
    ElementList collected;
    CollectLayerObjects(*flatList, layer, collected);
    if (collected.IsEmpty() != 0) {
        return 1;
    }
    if (gProcessCtrlSettings.pathOptimise != 0) {
        theCadMgr.OrderElementList(&collected, startPoint.x, startPoint.y, cornerCode);
    }
    if (gOptimSettings.backlashRepayOptimise != 0) {
        CCutOrder::ApplyBacklash(collected, JobBox());
    }
    const double step = range / collected.GetCount();
    std::uint16_t layerState = 0;
    int index = 0;
    for (auto* node = collected.head->next; node != collected.head; node = node->next, ++index) {
        if (OutputElement(node->value, stateA, stateB, ProgressRatio.load(), step, &layerState) == 0) {
            return 0;
        }
        ProgressRatio = base + index * step;
    }
    ProgressRatio = base + range;
    return 1;
}

int CJobBuilder::OutputObjects(ElementList& flatList, std::int32_t* stateA, std::int32_t* stateB, double base,
                               double range) {
    const int count = flatList.GetCount();
    const double step = count > 0 ? range / count : range;
    const double end = base + range;
    std::uint16_t layerState = 0;
    int index = 0;
    for (auto* node = flatList.head->next; node != flatList.head; node = node->next, ++index) {
        if (index % kPrefetchWindow == 0) {
            PrefetchSegmentLists(CurvesFrom(flatList, node, kPrefetchWindow), kPrefetchedNodesPerCurve);
        }
        CCadElement* element = node->value;
        const CCadLayer* layer = element->layer;
        if (!IsVectorLayer(layer) || WorkType(layer) == VectorLayerParams::kScan) {
            continue;
        }
        if (OutputElement(element, stateA, stateB, ProgressRatio.load(), step, &layerState) == 0) {
            flatList.RemoveAll();
            return 0;
        }
        ProgressRatio = std::min(ProgressRatio.load() + step, end);
    }
    ProgressRatio = end;
    return 1;
}

int CJobBuilder::OutputElement(CCadElement* element, std::int32_t* stateA, std::int32_t* stateB,
                               double progress, double step, std::uint16_t* layerState) {
    if (element->typeCode == kPointElement) {
        return WritePoint(static_cast<CCadPoint*>(element), stateA, stateB, progress, step, layerState);
    }
    if (element->typeCode != kCurveElement) {
        return 1;
    }
    if (element->layer == nullptr) {
        return 0;
    }
    double dx = 0.0;
    double dy = 0.0;
    GetLayerOffset(element->layer, &dx, &dy);
    const auto* curve = static_cast<const CCadCurve*>(element);
    if (IsOutputAsItStands(*curve, dx, dy) != 0) {
        return OutputCurve(curve, stateA, stateB, layerState);
    }
    const std::unique_ptr<CCadCurve> prepared = PrepareCurve(curve, dx, dy);
    if (prepared == nullptr) {
        return 0;
    }
    return OutputCurve(prepared.get(), stateA, stateB, layerState);
}

int CJobBuilder::OutputCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB,
                             std::uint16_t* layerState) {
    if (curve == nullptr || !IsVectorLayer(curve->layer)) {
        return 0;
    }
    if (WriteCutLayerHead(layerState, curve->layer) == 0) {
        return 0;
    }
    const CCadRect& rect = curve->rect;
    if (std::fabs(rect.x2 - rect.x1) < kSingleDotSizeMm && std::fabs(rect.y2 - rect.y1) < kSingleDotSizeMm) {
        return WriteSingleDot(curve, stateA, stateB);
    }
    if (WorkType(curve->layer) == VectorLayerParams::kDot) {
        return WriteDotCurve(curve, stateA, stateB);
    }
    return WriteCutCurve(curve, stateA, stateB, 1);
}

int CJobBuilder::WriteCutLayerHead(std::uint16_t* layerState, CCadLayer* layer) {
    const LayerCommonParams& common = layer->commonParams;
    if (*layerState == common.COM_OutputNo) {
        return 1;
    }
    // Scan layers are written as scan blocks, never with this head.
    if (!IsVectorLayer(layer) || WorkType(layer) == VectorLayerParams::kScan) {
        return 0;
    }
    *layerState = common.COM_OutputNo;
    const auto& vectorLayer = *static_cast<const CCadVectorLayer*>(layer);
    LayerOutputRecord record;
    vectorLayer.ToOutputRecord(record);
    joboutput::LayerHead head = joboutput::LayerHead::Of(record.common, common.COM_OutputNo);
    head.device = PenModeFlag == 1 && WorkType(layer) == VectorLayerParams::kPen ? 1 : 0;
    std::tie(head.laserOn, head.laserOff) = LaserDelaysOf(vectorLayer);
    return joboutput::Result(joboutput::WriteLayerHead(head, joboutput::kCutHeadSteps));
}
