// The layer walk of job generation: the flat list of what is output, then either layer by layer or
// the scan layers first and the vector objects in cutting order.
#include "JobBuilder.h"

#include "CadMgr.h"
#include "CutOrder.h"
#include "Progress.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"

namespace {

// The share of an ordered build's progress that its scan layers take.
constexpr double kScanShare = 0.7;

bool IsGroupOrText(const CCadElement* element) {
    return element->typeCode == kGroupElement || element->typeCode == kTextElement;
}

bool IsOutput(const CCadLayer* layer) {
    return layer != nullptr && layer->commonParams.COM_Output != 0;
}

bool IsScanLayer(const CCadLayer* layer) {
    return layer->commonParams.COM_Type == CCadLayer::kBitmapLayer ||
           (layer->commonParams.COM_Type == CCadLayer::kVectorLayer &&
            static_cast<const CCadVectorLayer*>(layer)->vectorParams.COM_WorkType ==
                VectorLayerParams::kScan);
}

void MakeFlatList(ElementList& list, ElementList& flat) {
    for (auto* node = list.head->next; node != list.head; node = node->next) {
        CCadElement* element = node->value;
        if (IsGroupOrText(element)) {
            CJobBuilder::FlattenGroup(flat, element);
        } else if (IsOutput(element->layer)) {
            flat.AddTail(element);
        }
    }
}

}  // namespace

CCadRect JobBox() {
    return {gJobFrame.box[0], gJobFrame.box[1], gJobFrame.box[2], gJobFrame.box[3], 0};
}

int CJobBuilder::Build(ElementList* list, SDPoint startPoint, std::uint16_t cornerCode, std::int32_t* stateA,
                       std::int32_t* stateB, double progressBase, double progressRange) {
    ElementList flat;
    if (list != nullptr) {
        MakeFlatList(*list, flat);
    }
    const int written =
        gOptimSettings.orderOfLayer != 0
            ? BuildByLayer(flat, startPoint, cornerCode, stateA, stateB, progressBase, progressRange)
            : BuildInOrder(flat, startPoint, cornerCode, stateA, stateB, progressBase, progressRange);
    if (written == 0) {
        return 0;
    }
    ProgressRatio = progressBase + progressRange;
    return 1;
}

int CJobBuilder::BuildByLayer(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                              std::int32_t* stateA, std::int32_t* stateB, double base, double range) {
    const CDbList<CCadLayer*>& layers = theCadMgr.layerList;
    const int layerCount = layers.GetCount();
    const double step = layerCount > 0 ? range / layerCount : range;
    double layerBase = base;
    ProgressRatio = base;
    for (auto* node = layers.head->next; node != layers.head; node = node->next) {
        CCadLayer* layer = node->value;
        if (IsOutput(layer)) {
            int written = 1;
            if (layer->commonParams.COM_Type == CCadLayer::kBitmapLayer) {
                written = OutputBitmapLayer(layer, flatList, startPoint, cornerCode, stateA, stateB,
                                            layerBase, step);
            } else if (layer->commonParams.COM_Type == CCadLayer::kVectorLayer) {
                written = IsScanLayer(layer) ? OutputScanLayer(layer, flatList, startPoint, cornerCode,
                                                               stateA, stateB, layerBase, step)
                                             : OutputVectorLayer(layer, &flatList, startPoint, cornerCode,
                                                                 stateA, stateB, layerBase, step);
            }
            if (written == 0) {
                return 0;
            }
        }
        layerBase += step;
        ProgressRatio = layerBase;
    }
    ProgressRatio = base + range;
    return 1;
}

int CJobBuilder::BuildInOrder(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                              std::int32_t* stateA, std::int32_t* stateB, double base, double range) {
    if (gProcessCtrlSettings.pathOptimise != 0 && flatList.IsEmpty() == 0) {
        theCadMgr.OrderElementList(&flatList, startPoint.x, startPoint.y, cornerCode);
    }
    if (gOptimSettings.backlashRepayOptimise != 0) {
        CCutOrder::ApplyBacklash(flatList, JobBox());
    }
    const double end = base + range;
    double scanBase = base;
    if (OutputScanLayersFirst(flatList, startPoint, cornerCode, stateA, stateB, &scanBase,
                              range * kScanShare) == 0) {
        return 0;
    }
    const double progress = ProgressRatio.load();
    return OutputObjects(flatList, stateA, stateB, progress, end - progress) != 0 ? 1 : 0;
}

int CJobBuilder::OutputScanLayersFirst(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                                       std::int32_t* stateA, std::int32_t* stateB, double* base,
                                       double range) {
    const CDbList<CCadLayer*>& layers = theCadMgr.layerList;
    int scanLayers = 0;
    for (auto* node = layers.head->next; node != layers.head; node = node->next) {
        if (IsOutput(node->value) && IsScanLayer(node->value)) {
            ++scanLayers;
        }
    }
    if (scanLayers == 0) {
        return 1;
    }
    const double step = range / scanLayers;
    int done = 0;
    for (auto* node = layers.head->next; node != layers.head; node = node->next) {
        CCadLayer* layer = node->value;
        if (!IsOutput(layer) || !IsScanLayer(layer)) {
            continue;
        }
        const int written = layer->commonParams.COM_Type == CCadLayer::kBitmapLayer
                                ? OutputBitmapLayer(layer, flatList, startPoint, cornerCode, stateA, stateB,
                                                    ProgressRatio, step)
                                : OutputScanLayer(layer, flatList, startPoint, cornerCode, stateA, stateB,
                                                  ProgressRatio, step);
        if (written == 0) {
            return 0;
        }
        ++done;
        ProgressRatio = *base + done * step;
    }
    ProgressRatio = *base + range;
    *base += range;
    return 1;
}
