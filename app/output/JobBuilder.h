// Job generation: the body of a controller job, written from the output list layer by layer or in
// cutting order, each layer by its kind and processing mode. Every writer returns 1 when its commands
// were written (or there was nothing to write) and 0 at the first Motionlink call that failed or the
// first object that could not be prepared; nothing more is written after a failure.
//
// stateA and stateB are the job writer's two state words: the encoder's running position cells, passed
// by address to every move and line of the body. The progress window (base, range) is the share of
// ProgressRatio that a step moves through.
#pragma once

#include <cstdint>
#include <memory>

#include "CadBitmap.h"
#include "CadCurve.h"
#include "CadElement.h"
#include "CadLayer.h"
#include "CadPoint.h"
#include "CadRect.h"
#include "CadVectorLayer.h"
#include "DbList.h"
#include "LayerOutputRecord.h"
#include "SDPoint.h"

using ElementList = CDbList<CCadElement*>;

// The job body's writers. There is no state between calls: everything a run needs is passed.
class CJobBuilder {
  public:
    // The whole body from the output list (arrays already expanded) or one array cell's children.
    static int Build(ElementList* list, SDPoint startPoint, std::uint16_t cornerCode, std::int32_t* stateA,
                     std::int32_t* stateB, double progressBase, double progressRange);
    static int BuildByLayer(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                            std::int32_t* stateA, std::int32_t* stateB, double base, double range);
    static int BuildInOrder(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                            std::int32_t* stateA, std::int32_t* stateB, double base, double range);
    // The bitmap and Scan-mode layers of an ordered build; base advances by range.
    static int OutputScanLayersFirst(ElementList& flatList, SDPoint startPoint, std::uint16_t cornerCode,
                                     std::int32_t* stateA, std::int32_t* stateB, double* base, double range);

    // One layer each.
    static int OutputBitmapLayer(CCadLayer* layer, ElementList& flatList, SDPoint startPoint,
                                 std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                                 double base, double range);
    static int OutputScanLayer(CCadLayer* layer, ElementList& flatList, SDPoint startPoint,
                               std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                               double base, double range);
    static int OutputVectorLayer(CCadLayer* layer, ElementList* flatList, SDPoint startPoint,
                                 std::uint16_t cornerCode, std::int32_t* stateA, std::int32_t* stateB,
                                 double base, double range);

    // Vector objects one by one; layerState holds the number of the layer whose head was written last.
    static int OutputObjects(ElementList& flatList, std::int32_t* stateA, std::int32_t* stateB, double base,
                             double range);
    static int OutputElement(CCadElement* element, std::int32_t* stateA, std::int32_t* stateB,
                             double progress, double step, std::uint16_t* layerState);
    static int OutputCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB,
                           std::uint16_t* layerState);
    static int WriteCutLayerHead(std::uint16_t* layerState, CCadLayer* layer);
    // Appends the leaves of a group or text that lie on an output vector layer.
    static void FlattenGroup(ElementList& outList, CCadElement* group);

    // Cut writer. sewAllowed is 0 for the kerf contours that the writer makes itself. The writers only read
    // the curve they are given, so that a drawing's curve can be written as it stands.
    static int WriteCutCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB,
                             int sewAllowed);
    // New curves (owned by the caller) along the offset contours of the curve.
    static void SewOffsetCurve(const CCadCurve* curve, ElementList& outList, double width, int side);

    // Dot and point writers.
    static int WritePoint(CCadPoint* point, std::int32_t* stateA, std::int32_t* stateB, double progress,
                          double step, std::uint16_t* layerState);
    static int WriteSingleDot(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB);
    static int WriteDotCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB);

    // Curve preparation: a copy of straight segments with leads, shifted by (dx, dy), rectangle and all;
    // null for a null source or a curve that cannot be flattened (a non-finite point).
    static std::unique_ptr<CCadCurve> PrepareCurve(const CCadCurve* curve, double dx, double dy);
    // 1 when preparation would give the curve back unchanged (finite straight segments, no leads, no
    // offset): such a curve is written as it stands, without a copy.
    static int IsOutputAsItStands(const CCadCurve& curve, double dx, double dy);
    // The layer's output offset: pen offset, offset repay of scanned layers, laser-2 offset (mm).
    static void GetLayerOffset(const CCadLayer* layer, double* dx, double* dy);

    // Scan blocks and the cuts around them.
    static int WriteScanBlock(CCadBitmap* bitmap, const LayerOutputRecord& record, std::uint16_t layerNumber,
                              std::int32_t* stateA, std::int32_t* stateB, double base, double range);
    static int WriteFrameCut(const CCadRect& rect, const LayerOutputRecord& record, std::uint16_t layerNumber,
                             std::int32_t* stateA, std::int32_t* stateB);
    static int ScanVectors(CCadVectorLayer* layer, ElementList& curves, std::int32_t* stateA,
                           std::int32_t* stateB, double base, double range);
    // Pixel size (mm) of a rasterised Scan layer for its scan interval; 0 for an interval that is not
    // positive and finite.
    static double ScanPixelSize(double interval);
    static int WriteCurveCut(const CCadCurve* curve, const LayerOutputRecord& record,
                             std::uint16_t layerNumber, std::int32_t* stateA, std::int32_t* stateB);
};

// The job box of gJobFrame.
CCadRect JobBox();

// Drawing millimetres to job coordinates by gJobFrame: sign × (value − origin), not rounded.
void ToJobCoord(double x, double y, double* outX, double* outY);
