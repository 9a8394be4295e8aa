// The laser-pulse writers: a point element as one dot, a curve too small to cut as one dot at its
// centre, and a Dot-mode curve as a centre dot, dots along its path, dashes or a continuous line.
#include <algorithm>
#include <cmath>

#include "Geomcore.h"
#include "JobBuilder.h"
#include "MotionlinkJob.h"
#include "OutputSteps.h"

using joboutput::Ok;

namespace {

// Spacing and dash lengths below the job's resolution would put millions of dots on a short path.
constexpr double kJobResolutionMm = 0.001;
// Speed of the dot-time rule for a layer without a usable speed (mm/s).
constexpr double kFallbackDotSpeed = 100.0;

double AtLeastResolution(double length) {
    return length > 0.0 ? std::max(length, kJobResolutionMm) : 0.0;
}

SDPoint Centre(const CCadRect& rect) {
    return {(rect.x1 + rect.x2) / 2.0, (rect.y1 + rect.y2) / 2.0};
}

// The box the curve's CalRect would give, the curve left as it is.
CCadRect PathBox(const CCadCurve& curve) {
    CCadRect box = curve.rect;
    double extent[4] = {box.x1, box.y1, box.x2, box.y2};
    // The curve math takes the list by non-const pointer but only reads it.
    if (curve.pathList.IsEmpty() != 0 ||
        _math_c_getrect(const_cast<CDbList<CFileLine>*>(&curve.pathList), extent) != 0) {
        return box;
    }
    box.x1 = extent[0];
    box.y1 = extent[1];
    box.x2 = extent[2];
    box.y2 = extent[3];
    return box;
}

bool FireDot(double seconds) {
    return Ok(Zint_wSetLaserInterval(seconds));
}

bool WritePointHead(const CCadLayer& layer) {
    const LayerCommonParams& common = layer.commonParams;
    return Ok(Zint_wSetWorkMode(0)) &&
           Ok(Zint_wSetLayerNum(static_cast<std::uint8_t>(common.COM_OutputNo - 1))) &&
           Ok(Zint_wSetLayerDevice(0)) &&
           Ok(Zint_wSetLayerBlower(static_cast<std::uint32_t>(common.COM_Blow))) &&
           Ok(Zint_wSetEngVel(joboutput::HeadSpeed(common.COM_Speed, common.COM_SpeedDefault))) &&
           (common.COM_EnZ == 0 || Ok(Zint_wSetAxisVel(common.COM_ZSpeed))) &&
           joboutput::WriteHeadPowers(common.COM_Pmin1, common.COM_Pmax1, common.COM_Pmin2, common.COM_Pmax2,
                                      common.COM_PowerDefault) &&
           Ok(Zint_wEnLaserTube(static_cast<std::uint32_t>(common.COM_EnLaser1),
                                static_cast<std::uint32_t>(common.COM_EnLaser2))) &&
           Ok(Zint_wEnExIO(static_cast<std::uint32_t>(common.COM_EnExIO), 0, 0, 0));
}

// Walks the path with a running length that carries across corners. At every `limit` along it the
// walk calls `mark(point, drawing)`; between marks it goes along with `follow(point, drawing)`, where
// drawing says whether the stretch so far was a dash (dashes) or a gap. limitFor(drawing) gives the
// stretch lengths.
template <typename LimitFor, typename Follow, typename Mark>
bool WalkPath(const CDbList<CFileLine>& segments, LimitFor limitFor, Follow follow, Mark mark) {
    bool drawing = true;
    double run = 0.0;
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        CFileLine segment = node->value;
        while (true) {
            const double length = joboutput::SegmentLength(segment);
            const double limit = limitFor(drawing);
            if (run + length < limit) {
                if (!follow(segment.end, drawing)) {
                    return false;
                }
                run += length;
                break;
            }
            if (run + length == limit) {
                if (!mark(segment.end, drawing)) {
                    return false;
                }
                run = 0.0;
                drawing = !drawing;
                break;
            }
            const SDPoint at = joboutput::PointAlong(segment, (limit - run) / length);
            if (!mark(at, drawing)) {
                return false;
            }
            run = 0.0;
            drawing = !drawing;
            segment.start = at;
        }
    }
    return true;
}

}  // namespace

int CJobBuilder::WritePoint(CCadPoint* point, std::int32_t* stateA, std::int32_t* stateB, double, double,
                            std::uint16_t* layerState) {
    if (point == nullptr || point->layer == nullptr ||
        point->layer->commonParams.COM_Type != CCadLayer::kVectorLayer) {
        return 0;
    }
    const CCadLayer& layer = *point->layer;
    const LayerCommonParams& common = layer.commonParams;
    if (*layerState != common.COM_OutputNo) {
        *layerState = common.COM_OutputNo;
        if (!WritePointHead(layer)) {
            return 0;
        }
    }
    double dx = 0.0;
    double dy = 0.0;
    GetLayerOffset(&layer, &dx, &dy);
    const joboutput::PenAxis pen = joboutput::PenAxis::Of(common);
    return joboutput::Result(joboutput::MoveTo({point->x + dx, point->y + dy}, stateA, stateB) &&
                             pen.Down() && FireDot(common.COM_DotInterval) && pen.Up());
}

int CJobBuilder::WriteSingleDot(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB) {
    const auto* layer = static_cast<const CCadVectorLayer*>(curve->layer);
    const LayerCommonParams& common = layer->commonParams;
    const VectorLayerParams& params = layer->vectorParams;
    const CCadRect& rect = curve->rect;
    double seconds = 0.0;
    if (params.COM_WorkType == VectorLayerParams::kDot && params.Dot_EnCenter != 0 && params.Dot_Time > 0.0) {
        seconds = params.Dot_Time;
    } else {
        const double speed = common.COM_Speed > 0.0 ? common.COM_Speed : kFallbackDotSpeed;
        seconds = 2.0 * (std::fabs(rect.x2 - rect.x1) + std::fabs(rect.y2 - rect.y1)) / speed;
    }
    const joboutput::PenAxis pen = joboutput::PenAxis::Of(common);
    return joboutput::Result(joboutput::MoveTo(Centre(rect), stateA, stateB) && pen.Down() &&
                             FireDot(seconds) && pen.Up());
}

int CJobBuilder::WriteDotCurve(const CCadCurve* curve, std::int32_t* stateA, std::int32_t* stateB) {
    const auto* layer = static_cast<const CCadVectorLayer*>(curve->layer);
    const LayerCommonParams& common = layer->commonParams;
    const VectorLayerParams& params = layer->vectorParams;
    const joboutput::PenAxis pen = joboutput::PenAxis::Of(common);
    if (params.Dot_EnCenter != 0) {
        if (params.Dot_Time <= 0.0) {
            return 1;
        }
        return joboutput::Result(joboutput::MoveTo(Centre(PathBox(*curve)), stateA, stateB) && pen.Down() &&
                                 FireDot(params.Dot_Time) && pen.Up());
    }

    const std::optional<double> limit =
        joboutput::SpeedLimitFor(curve->rect, curve->closed != 0, common.COM_SpeedDefault, common.COM_Speed);
    if (limit && !joboutput::WriteSpeedLimit(*limit)) {
        return 0;
    }
    const double dashLength = AtLeastResolution(params.Dot_Len);
    const double interval = AtLeastResolution(params.Dot_Space);
    const double seconds = std::max(params.Dot_Time, 0.0);
    const CDbList<CFileLine>& segments = curve->pathList;
    auto move = [&](SDPoint at, bool) { return joboutput::MoveTo(at, stateA, stateB); };
    auto line = [&](SDPoint at, bool) { return joboutput::LineTo(at, stateA, stateB); };
    auto start = [&] {
        return joboutput::MoveTo(segments.head->next->value.start, stateA, stateB) && pen.Down();
    };

    bool written = true;
    if (segments.IsEmpty() != 0) {
        written = true;
    } else if (interval == 0.0) {
        written = start() &&
                  WalkPath(
                      segments, [](bool) { return INFINITY; }, line, line) &&
                  pen.Up();
    } else if (dashLength == 0.0) {
        if (seconds > 0.0) {
            auto dot = [&](SDPoint at, bool) { return move(at, true) && FireDot(seconds); };
            written = start() && FireDot(seconds) &&
                      WalkPath(
                          segments, [&](bool) { return interval; }, [](SDPoint, bool) { return true; },
                          [&](SDPoint at, bool drawing) { return dot(at, drawing); }) &&
                      pen.Up();
        }
    } else {
        auto stretchEnd = [&](SDPoint at, bool drawing) {
            return drawing ? line(at, true) : move(at, false);
        };
        written = start() &&
                  WalkPath(
                      segments, [&](bool drawing) { return drawing ? dashLength : interval; }, stretchEnd,
                      stretchEnd) &&
                  pen.Up();
    }
    return joboutput::Result(written && (!limit || Ok(Zint_wSetEngVel(common.COM_Speed))));
}
