// The cut writer: one prepared curve of a Cut or Pen layer as a travel move and cut lines, with the
// small-circle speed limit, kerf compensation and the seal.
#include <memory>

#include "JobBuilder.h"
#include "MotionlinkJob.h"
#include "OutputSteps.h"
#include "Pathsmith.h"

using joboutput::Ok;

namespace {

// Kerf widths below this are not compensated.
constexpr double kLowestSewWidthMm = 0.01;
constexpr double kResizeUnitsPerMm = 1000.0;

// Writes every contour and destroys them all, also those after a failure.
bool WriteContours(ElementList& contours, std::int32_t* stateA, std::int32_t* stateB) {
    bool written = true;
    for (auto* node = contours.head->next; node != contours.head; node = node->next) {
        std::unique_ptr<CCadCurve> contour(static_cast<CCadCurve*>(node->value));
        if (written && contour->pathList.IsEmpty() == 0) {
            contour->CalRect();
            written = CJobBuilder::WriteCutCurve(contour.get(), stateA, stateB, 0) != 0;
        }
    }
    contours.RemoveAll();
    return written;
}

}  // namespace

int CJobBuilder::WriteCutCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB,
                               int sewAllowed) {
    const auto* layer = static_cast<const CCadVectorLayer*>(curve->layer);
    const LayerCommonParams& common = layer->commonParams;
    const VectorLayerParams& params = layer->vectorParams;
    const bool closed = curve->closed != 0;
    const bool cutMode = params.COM_WorkType == VectorLayerParams::kCut;

    const std::optional<double> limit =
        joboutput::SpeedLimitFor(curve->rect, closed, common.COM_SpeedDefault, common.COM_Speed);
    if (limit && !joboutput::WriteSpeedLimit(*limit)) {
        return 0;
    }
    auto restoreSpeed = [&] { return !limit || Ok(Zint_wSetEngVel(common.COM_Speed)); };

    std::unique_ptr<CCadCurve> resized;
    if (sewAllowed == 1 && params.Cut_EnSew != 0 && cutMode) {
        if (closed && params.Cut_SewWidth >= kLowestSewWidthMm) {
            ElementList contours;
            SewOffsetCurve(curve, contours, params.Cut_SewWidth, params.Cut_SewDir == 1 ? 0 : 1);
            if (contours.IsEmpty() == 0) {
                return joboutput::Result(WriteContours(contours, stateA, stateB) && restoreSpeed());
            }
        }
        if (!closed || params.Cut_SewWidth >= kLowestSewWidthMm) {
            // The kerf moves the path itself: a resized copy is cut in its place.
            resized = std::make_unique<CCadCurve>();
            resized->CopyFrom(curve, 0.0, 0.0);
            resized->ResizeAboutCenter(params.Cut_SewDir, params.Cut_SewWidth * kResizeUnitsPerMm);
        }
    }

    const joboutput::PenAxis pen = joboutput::PenAxis::Of(common);
    const CDbList<CFileLine>& segments = resized != nullptr ? resized->pathList : curve->pathList;
    if (segments.IsEmpty() == 0) {
        if (!joboutput::MoveTo(segments.head->next->value.start, stateA, stateB) || !pen.Down()) {
            return 0;
        }
        for (auto* node = segments.head->next; node != segments.head; node = node->next) {
            if (!joboutput::LineTo(node->value.end, stateA, stateB)) {
                return 0;
            }
        }
    }
    if (params.Cut_Close > 0.0 && closed && cutMode &&
        !joboutput::WriteSeal(segments, params.Cut_Close, stateA, stateB)) {
        return 0;
    }
    return joboutput::Result(restoreSpeed() && pen.Up());
}

void CJobBuilder::SewOffsetCurve(const CCadCurve* curve, ElementList& outList, double width, int side) {
    CDbList<CLineEx> segments;
    for (auto* node = curve->pathList.head->next; node != curve->pathList.head; node = node->next) {
        const CFileLine& segment = node->value;
        CLineEx line(segment.start, segment.end, segment.ctrl1, segment.ctrl2);
        line.type = segment.IsBezier() ? CLineEx::kBezier : CLineEx::kLine;
        segments.AddTail(line);
    }
    CDbList<CMyCurve*> results;
    Zint_Offset(&segments, &results, width, side, 0);
    for (auto* node = results.head->next; node != results.head; node = node->next) {
        std::unique_ptr<CMyCurve> result(node->value);
        if (result->segments.IsEmpty() != 0) {
            continue;
        }
        auto contour = std::make_unique<CCadCurve>();
        contour->color = curve->color;
        contour->layer = curve->layer;
        for (auto* line = result->segments.head->next; line != result->segments.head; line = line->next) {
            CFileLine segment;
            segment.type = line->value.type == CLineEx::kBezier ? CFileLine::kBezier : 0;
            segment.start = line->value.p0;
            segment.end = line->value.p1;
            segment.ctrl1 = line->value.p2;
            segment.ctrl2 = line->value.p3;
            contour->pathList.AddTail(segment);
        }
        contour->CalRect();
        outList.AddTail(contour.release());
    }
}
