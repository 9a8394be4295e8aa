#include "DrawingCollector.h"

#include <cmath>
#include <utility>

namespace filebridge {

namespace {

CFileLine LineRecord(SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    return line;
}

}  // namespace

bool DrawingCollector::Accept(SDPoint point) {
    if (Failed()) {
        return false;
    }
    if (!std::isfinite(point.x) || !std::isfinite(point.y) || std::fabs(point.x) > kCoordinateLimitMm ||
        std::fabs(point.y) > kCoordinateLimitMm) {
        return Fail("coordinate not finite or beyond 1000000 mm");
    }
    return true;
}

bool DrawingCollector::Reserve(std::size_t count) {
    if (Failed()) {
        return false;
    }
    if (count > segmentLimit_ - segments_) {
        return Fail("drawing larger than the import limit");
    }
    segments_ += count;
    return true;
}

void DrawingCollector::MoveTo(SDPoint point) {
    EndCurve();
    if (Accept(point)) {
        pen_ = start_ = point;
    }
}

void DrawingCollector::LineTo(SDPoint point) {
    if (Accept(point) && Reserve(1)) {
        current_.push_back(LineRecord(pen_, point));
        pen_ = point;
    }
}

void DrawingCollector::CurveTo(SDPoint control1, SDPoint control2, SDPoint point) {
    if (!Accept(control1) || !Accept(control2) || !Accept(point) || !Reserve(1)) {
        return;
    }
    CFileLine curve = LineRecord(pen_, point);
    curve.type = CFileLine::kBezier;
    curve.ctrl1 = control1;
    curve.ctrl2 = control2;
    current_.push_back(curve);
    pen_ = point;
}

void DrawingCollector::ClosePath() {
    if (!current_.empty() && (pen_.x != start_.x || pen_.y != start_.y)) {
        LineTo(start_);
    }
    pen_ = start_;
}

void DrawingCollector::EndCurve() {
    if (current_.empty() || Failed()) {
        current_.clear();
        return;
    }
    auto curve = std::make_unique<CFileCurve>();
    for (const CFileLine& segment : current_) {
        curve->segments.AddTail(segment);
    }
    curve->extra = static_cast<std::int32_t>(colour_);
    records_.push_back(std::move(curve));
    current_.clear();
}

void DrawingCollector::AddCurve(const std::vector<CFileLine>& segments, std::uint32_t colour) {
    if (segments.empty()) {
        return;
    }
    EndCurve();
    for (const CFileLine& segment : segments) {
        if (!Accept(segment.start) || !Accept(segment.end) || !Accept(segment.ctrl1) ||
            !Accept(segment.ctrl2)) {
            return;
        }
    }
    if (!Reserve(segments.size())) {
        return;
    }
    auto curve = std::make_unique<CFileCurve>();
    for (const CFileLine& segment : segments) {
        curve->segments.AddTail(segment);
    }
    curve->extra = static_cast<std::int32_t>(colour);
    records_.push_back(std::move(curve));
}

void DrawingCollector::AddPoint(SDPoint point, std::uint32_t colour) {
    if (!Accept(point) || !Reserve(1)) {
        return;
    }
    auto record = std::make_unique<CFilePoint>();
    record->x = point.x;
    record->y = point.y;
    record->value = static_cast<std::int32_t>(colour);
    records_.push_back(std::move(record));
}

void DrawingCollector::AddBitmap(std::unique_ptr<CFileDib> bitmap) {
    if (bitmap != nullptr && !Failed()) {
        records_.push_back(std::move(bitmap));
    }
}

void DrawingCollector::LeaveOut(std::string description) {
    ++leftOutCount_;
    if (leftOut_.size() < kMaxNamedLeftOut) {
        leftOut_.push_back(std::move(description));
    }
}

bool DrawingCollector::Fail(std::string reason) {
    if (failure_.empty()) {
        failure_ = reason.empty() ? std::string("unreadable file") : std::move(reason);
    }
    current_.clear();
    return false;
}

std::vector<std::unique_ptr<CFileDraw>> DrawingCollector::TakeRecords() {
    if (Failed()) {
        records_.clear();
    }
    return std::move(records_);
}

}  // namespace filebridge
