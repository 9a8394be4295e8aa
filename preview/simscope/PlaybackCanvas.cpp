// Playback canvas and cross cursor.
#include "PlaybackCanvas.h"

#include "LogicalUnits.h"
#include "QImageBackend.h"

namespace simscope {
namespace {

constexpr std::int32_t kCrossArmPixels = 15;

}  // namespace

PlaybackCanvas::PlaybackCanvas() : context_(std::make_unique<platform::QImageBackend>(platform::Size{0, 0})) {}

void PlaybackCanvas::Reset(const QImage& staticRaster, platform::Size area, const ViewState& view) {
    std::lock_guard hold(lock_);
    platform::DeviceContext fresh(std::make_unique<platform::QImageBackend>(staticRaster));
    fresh.SelectObject(context_.CurrentPen());
    fresh.SetROP2(context_.GetROP2());
    fresh.MoveTo(context_.GetCurrentPosition());
    context_ = std::move(fresh);
    area_ = area;
    view_ = view;
    if (cursor_) {
        ApplyViewMapping(context_, area_, view_);
        const platform::Point position = context_.GetCurrentPosition();
        DrawCrossCursor(context_, *cursor_, cursorPen_);
        context_.MoveTo(position);
    }
}

QImage PlaybackCanvas::Snapshot() const {
    std::lock_guard hold(lock_);
    return static_cast<const platform::QImageBackend&>(context_.Backend()).Image();
}

std::int32_t PixelsToLogical(const platform::DeviceContext& context, std::int32_t pixels) {
    const std::int64_t length =
        std::int64_t{context.DPtoLP(platform::Point{pixels, pixels}).x} - context.DPtoLP(platform::Point{0, 0}).x;
    return TruncateToInt32(static_cast<double>(length < 0 ? -length : length));
}

void DrawCrossCursor(platform::DeviceContext& context, platform::Point at, const platform::Pen& pen) {
    const std::int32_t arm = PixelsToLogical(context, kCrossArmPixels);
    const platform::Pen previousPen = context.SelectObject(pen);
    const platform::RasterOp previousOp = context.SetROP2(platform::RasterOp::NotXorPen);
    const auto shifted = [](std::int32_t value, std::int64_t delta) {
        return TruncateToInt32(static_cast<double>(value + delta));
    };
    context.MoveTo(shifted(at.x, -arm), at.y);
    context.LineTo(shifted(at.x, arm), at.y);
    context.MoveTo(at.x, shifted(at.y, -arm));
    context.LineTo(at.x, shifted(at.y, arm));
    context.MoveTo(at);
    context.SetROP2(previousOp);
    context.SelectObject(previousPen);
}

}  // namespace simscope
