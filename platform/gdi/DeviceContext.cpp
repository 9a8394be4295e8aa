// The device context: mapping, selected objects and the drawing calls in logical units.
#include "DeviceContext.h"

#include "DibView.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
constexpr double kFullTurnDegrees = 360.0;

std::vector<Point> ToDevice(const Mapping& mapping, std::span<const Point> logical) {
    std::vector<Point> device(logical.size());
    std::transform(logical.begin(), logical.end(), device.begin(),
                   [&mapping](Point point) { return mapping.LPtoDP(point); });
    return device;
}

// The angle of `point` seen from `centre` on the screen, in degrees, counterclockwise from +x.
double ScreenAngleDegrees(double centreX, double centreY, Point point) {
    return std::atan2(centreY - point.y, point.x - centreX) * kDegreesPerRadian;
}

std::int32_t RoundToInt32(double value) {
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::round(value), kLowest, kHighest));
}

// a + b, held at the ends of the 32-bit range instead of wrapping.
std::int32_t SaturatedSum(std::int32_t a, std::int64_t b) {
    constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(std::int64_t{a} + b, kLowest, kHighest));
}

}  // namespace

DeviceContext::DeviceContext(std::unique_ptr<GdiBackend> backend) : backend_(std::move(backend)) {
    assert(backend_ != nullptr);
}

DeviceContext::DeviceContext(DeviceContext&&) noexcept = default;
DeviceContext& DeviceContext::operator=(DeviceContext&&) noexcept = default;
DeviceContext::~DeviceContext() = default;

DeviceContext DeviceContext::CreateCompatibleDC(Size size) const {
    return DeviceContext(backend_->CreateCompatible(size));
}

Size DeviceContext::SurfaceSize() const {
    return backend_->SurfaceSize();
}

Rect DeviceContext::LPtoDP(const Rect& logical) const {
    const Point topLeft = mapping_.LPtoDP({logical.left, logical.top});
    const Point bottomRight = mapping_.LPtoDP({logical.right, logical.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void DeviceContext::LPtoDP(std::span<Point> points) const {
    for (Point& point : points) {
        point = mapping_.LPtoDP(point);
    }
}

Rect DeviceContext::DPtoLP(const Rect& device) const {
    const Point topLeft = mapping_.DPtoLP({device.left, device.top});
    const Point bottomRight = mapping_.DPtoLP({device.right, device.bottom});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

void DeviceContext::DPtoLP(std::span<Point> points) const {
    for (Point& point : points) {
        point = mapping_.DPtoLP(point);
    }
}

Pen DeviceContext::SelectObject(const Pen& pen) {
    return std::exchange(pen_, pen);
}

Brush DeviceContext::SelectObject(const Brush& brush) {
    return std::exchange(brush_, brush);
}

Font DeviceContext::SelectObject(const Font& font) {
    return std::exchange(font_, font);
}

RasterOp DeviceContext::SetROP2(RasterOp rop) {
    return std::exchange(rop_, rop);
}

ColorRef DeviceContext::SetTextColor(ColorRef color) {
    return std::exchange(textColor_, color);
}

ColorRef DeviceContext::SetBkColor(ColorRef color) {
    return std::exchange(backgroundColor_, color);
}

BackgroundMode DeviceContext::SetBkMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}

DrawState DeviceContext::CurrentDrawState() const {
    DrawState state{pen_, brush_, rop_};
    state.pen.width = std::max(1, mapping_.LengthLPtoDPx(pen_.width));
    if (state.pen.width > 1 && state.pen.style != PenStyle::Null) {
        state.pen.style = PenStyle::Solid;
    }
    return state;
}

TextState DeviceContext::CurrentTextState() const {
    return {font_, textColor_, backgroundMode_, backgroundColor_};
}

Point DeviceContext::MoveTo(Point to) {
    backend_->MoveTo(mapping_.LPtoDP(to));
    return std::exchange(currentPosition_, to);
}

void DeviceContext::LineTo(Point to) {
    backend_->LineTo(mapping_.LPtoDP(currentPosition_), mapping_.LPtoDP(to), CurrentDrawState());
    currentPosition_ = to;
}

void DeviceContext::Polyline(std::span<const Point> points) {
    if (points.size() < 2) {
        return;
    }
    backend_->Polyline(ToDevice(mapping_, points), CurrentDrawState());
}

bool DeviceContext::PolyBezier(std::span<const Point> points) {
    if (points.size() < 4 || (points.size() - 1) % 3 != 0) {
        return false;
    }
    backend_->PolyBezier(ToDevice(mapping_, points), CurrentDrawState());
    return true;
}

void DeviceContext::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    backend_->Rectangle(LPtoDP(Rect{left, top, right, bottom}).Normalized(), CurrentDrawState());
}

void DeviceContext::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
    backend_->Ellipse(LPtoDP(Rect{left, top, right, bottom}).Normalized(), CurrentDrawState());
}

void DeviceContext::Polygon(std::span<const Point> points) {
    if (points.size() < 2) {
        return;
    }
    backend_->Polygon(ToDevice(mapping_, points), CurrentDrawState());
}

void DeviceContext::Arc(const Rect& bounds, Point radialStart, Point radialEnd) {
    const Rect device = LPtoDP(bounds).Normalized();
    const double centreX = (static_cast<double>(device.left) + device.right - 1) / 2.0;
    const double centreY = (static_cast<double>(device.top) + device.bottom - 1) / 2.0;
    const double startDegrees = ScreenAngleDegrees(centreX, centreY, mapping_.LPtoDP(radialStart));
    const double endDegrees = ScreenAngleDegrees(centreX, centreY, mapping_.LPtoDP(radialEnd));
    double sweepDegrees = std::fmod(endDegrees - startDegrees, kFullTurnDegrees);
    if (sweepDegrees <= 0.0) {
        sweepDegrees += kFullTurnDegrees;
    }
    backend_->Arc({device, startDegrees, sweepDegrees}, CurrentDrawState());
}

void DeviceContext::AngleArc(Point centre, std::int32_t radius, float startDegrees, float sweepDegrees) {
    if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees)) {
        return;
    }
    const Point deviceCentre = mapping_.LPtoDP(centre);
    const std::int32_t deviceRadius = mapping_.LengthLPtoDPx(radius);
    const double sweep = std::clamp(static_cast<double>(sweepDegrees), -kFullTurnDegrees, kFullTurnDegrees);
    const auto pointAt = [&](double degrees) {
        const double radians = degrees / kDegreesPerRadian;
        return Point{RoundToInt32(deviceCentre.x + deviceRadius * std::cos(radians)),
                     RoundToInt32(deviceCentre.y - deviceRadius * std::sin(radians))};
    };
    const Point start = pointAt(startDegrees);
    const Point end = pointAt(startDegrees + sweep);
    const DrawState state = CurrentDrawState();
    backend_->LineTo(mapping_.LPtoDP(currentPosition_), start, state);
    const Rect bounds{SaturatedSum(deviceCentre.x, -std::int64_t{deviceRadius}),
                      SaturatedSum(deviceCentre.y, -std::int64_t{deviceRadius}),
                      SaturatedSum(deviceCentre.x, std::int64_t{deviceRadius} + 1),
                      SaturatedSum(deviceCentre.y, std::int64_t{deviceRadius} + 1)};
    backend_->Arc({bounds, startDegrees, sweep}, state);
    currentPosition_ = mapping_.DPtoLP(end);
}

void DeviceContext::TextOut(std::int32_t x, std::int32_t y, std::string_view text) {
    backend_->TextOut(mapping_.LPtoDP({x, y}), text, CurrentTextState());
}

void DeviceContext::FillSolidRect(const Rect& bounds, ColorRef color) {
    backend_->FillRect(LPtoDP(bounds).Normalized(), color);
}

void DeviceContext::FillRect(const Rect& bounds, const Brush& brush) {
    if (brush.style == BrushStyle::Null) {
        return;
    }
    FillSolidRect(bounds, brush.color);
}

bool DeviceContext::BitBlt(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
                           const DeviceContext& source, std::int32_t xSource, std::int32_t ySource,
                           BlitOp op) {
    if (op != BlitOp::SrcCopy) {
        return false;
    }
    const Rect destination = LPtoDP(Rect{x, y, SaturatedSum(x, width), SaturatedSum(y, height)}).Normalized();
    return backend_->BitBlt(destination, *source.backend_, source.mapping_.LPtoDP({xSource, ySource}), op);
}

int DeviceContext::StretchDIBits(std::int32_t xDest, std::int32_t yDest, std::int32_t widthDest,
                                 std::int32_t heightDest, std::int32_t xSource, std::int32_t ySource,
                                 std::int32_t widthSource, std::int32_t heightSource,
                                 std::span<const std::uint8_t> packedDib, BlitOp op) {
    if (op != BlitOp::SrcCopy || widthDest == 0 || heightDest == 0 || widthSource == 0 || heightSource == 0) {
        return 0;
    }
    const std::optional<DibView> dib = DibView::Of(packedDib);
    if (!dib || !dib->Layout().IsUncompressed()) {
        return 0;
    }
    const Rect destination =
        LPtoDP(Rect{xDest, yDest, SaturatedSum(xDest, widthDest), SaturatedSum(yDest, heightDest)});
    // The source's lower-left corner counts rows from the bottom; the picture counts them from the top.
    const std::int32_t sourceTop = SaturatedSum(dib->Height(), -(std::int64_t{ySource} + heightSource));
    const PictureRect source{xSource, sourceTop, widthSource, heightSource};
    return backend_->StretchDib(destination, source, *dib, op);
}

ColorRef DeviceContext::GetPixel(Point logical) const {
    return backend_->GetPixel(mapping_.LPtoDP(logical));
}

}  // namespace platform
