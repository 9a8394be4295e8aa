#include "LgpPreview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "LgpJobFrame.h"
#include "LgpPlate.h"

namespace dotplate {

namespace {

constexpr double kUnitsPerMm = 1000.0;
constexpr double kFitShare = 0.98;
constexpr double kWheelStep = 1.1;
constexpr int kPickPixels = 3;
constexpr int kOriginMarkerPixels = 8;
// Far outside any area, yet safely inside the device's integer range however far the view zooms in.
constexpr double kDeviceLimit = 1.0e8;

constexpr platform::ColorRef kOutlineBlue = platform::Rgb(0, 0, 255);
constexpr platform::ColorRef kEdgeGrey = platform::Rgb(128, 128, 128);
constexpr platform::ColorRef kDotWhite = platform::Rgb(255, 255, 255);
constexpr platform::ColorRef kBaselineRed = platform::Rgb(255, 0, 0);
constexpr platform::ColorRef kOriginGreen = platform::Rgb(0, 255, 0);

double CentreX(platform::Size area) {
    return area.width / 2.0;
}
double CentreY(platform::Size area) {
    return area.height / 2.0;
}

// A point of the area on the inset surface.
platform::Point OnSurface(SDPoint device) {
    const auto clamp = [](double value) {
        return static_cast<std::int32_t>(
            std::lround(std::clamp(value - kPreviewInset, -kDeviceLimit, kDeviceLimit)));
    };
    return {clamp(device.x), clamp(device.y)};
}

class PreviewPainter {
  public:
    PreviewPainter(platform::DeviceContext& dc, const LgpPreviewView& view, platform::Size area)
        : dc_(dc), view_(view), area_(area) {}

    platform::Point At(double x, double y, double dx = 0, double dy = 0) const {
        return OnSurface(view_.ToDevice({x + dx, y + dy}, area_));
    }

    void Line(SDPoint from, SDPoint to, double dx = 0, double dy = 0) {
        dc_.MoveTo(At(from.x, from.y, dx, dy));
        dc_.LineTo(At(to.x, to.y, dx, dy));
    }

    void Curve(const CLgpCurve& curve, double dx, double dy) {
        if (curve.segments.head == nullptr) {
            return;
        }
        for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
            const CFileLine& segment = node->value;
            if (segment.type != CFileLine::kBezier) {
                Line(segment.start, segment.end, dx, dy);
                continue;
            }
            const std::array<platform::Point, 4> points{
                At(segment.start.x, segment.start.y, dx, dy), At(segment.ctrl1.x, segment.ctrl1.y, dx, dy),
                At(segment.ctrl2.x, segment.ctrl2.y, dx, dy), At(segment.end.x, segment.end.y, dx, dy)};
            dc_.PolyBezier(points);
        }
    }

    void Dot(const LgpDot& dot) {
        const LgpBox box = dot.Extent();
        const platform::Point low = At(box.left, box.bottom);
        const platform::Point high = At(box.right, box.top);
        switch (dot.kind) {
            case kHorizontalLine:
            case kVerticalLine:
                Line({box.left, box.bottom}, {box.right, box.top});
                break;
            case kGrid:
                Line({dot.x, dot.y}, {dot.w, dot.h});
                break;
            case kCrossLine:
                Line({box.left, dot.y}, {box.right, dot.y});
                Line({dot.x, box.bottom}, {dot.x, box.top});
                break;
            case kEllipse:
                dc_.Ellipse(low.x, high.y, high.x + 1, low.y + 1);
                break;
            default:
                dc_.Rectangle(low.x, high.y, high.x + 1, low.y + 1);
                break;
        }
    }

    platform::DeviceContext& Dc() { return dc_; }

  private:
    platform::DeviceContext& dc_;
    const LgpPreviewView& view_;
    platform::Size area_;
};

void DrawOutlineArray(PreviewPainter& painter, const LgpPreviewScene& scene, const LgpBox& box) {
    const CLgpPlate& plate = *scene.plate;
    const LgpJobFrame frame = LgpJobFrame::For(box, scene.originCorner, scene.headPosition);
    const int countX = std::max<int>(1, scene.laser.arrayCountX);
    const int countY = std::max<int>(1, scene.laser.arrayCountY);
    for (int i = 0; i < countX; ++i) {
        for (int j = 0; j < countY; ++j) {
            const double dx = i * frame.signX * (box.Width() + scene.laser.arraySpaceX);
            const double dy = j * frame.signY * (box.Height() + scene.laser.arraySpaceY);
            painter.Dc().SelectObject(platform::Pen::Solid(2, kOutlineBlue));
            for (const auto& outline : plate.plateOutlines) {
                painter.Curve(*outline, dx, dy);
            }
            painter.Dc().SelectObject(platform::Pen::Styled(platform::PenStyle::Dash, 2, kEdgeGrey));
            for (const auto& outline : plate.edgeOutlines) {
                painter.Curve(*outline, dx, dy);
            }
        }
    }
}

void DrawDots(PreviewPainter& painter, const LgpPreviewScene& scene) {
    if (scene.dots.AnyLightSource()) {
        return;
    }
    painter.Dc().SelectObject(platform::Pen::Solid(1, kDotWhite));
    painter.Dc().SelectObject(platform::Brush::Solid(kDotWhite));
    for (const LgpDotRow& row : scene.plate->dotRows) {
        for (const LgpDot& dot : row.dots) {
            painter.Dot(dot);
        }
    }
}

void DrawBaseline(PreviewPainter& painter, const LgpPreviewScene& scene, const LgpBox& box) {
    const SDPoint cross = BaselineCross(*scene.plate, scene.dots);
    painter.Dc().SelectObject(platform::Pen::Solid(1, kBaselineRed));
    painter.Line({cross.x, box.bottom}, {cross.x, box.top});
    painter.Line({box.left, cross.y}, {box.right, cross.y});
}

// The 3 x 3 anchor grid of the laser head: columns left, centre, right; rows top, middle, bottom.
void DrawOriginMarker(PreviewPainter& painter, const LgpPreviewScene& scene, const LgpBox& box) {
    const int head = scene.headPosition <= 8 ? scene.headPosition : 4;
    const double xs[3] = {box.left, (box.left + box.right) / 2, box.right};
    const double ys[3] = {box.top, (box.bottom + box.top) / 2, box.bottom};
    const platform::Point origin = painter.At(xs[head % 3], ys[head / 3]);
    painter.Dc().SelectObject(platform::Pen::Null());
    painter.Dc().SelectObject(platform::Brush::Solid(kOriginGreen));
    painter.Dc().Rectangle(origin.x - kOriginMarkerPixels, origin.y - kOriginMarkerPixels,
                           origin.x + kOriginMarkerPixels + 1, origin.y + kOriginMarkerPixels + 1);
}

}  // namespace

void LgpPreviewView::Fit(const LgpBox& plate, platform::Size area) {
    const double width = std::abs(plate.Width()) * kUnitsPerMm;
    const double height = std::abs(plate.Height()) * kUnitsPerMm;
    const double byWidth = area.width > 0 ? width / (area.width * kFitShare) : 0.0;
    const double byHeight = area.height > 0 ? height / (area.height * kFitShare) : 0.0;
    const double fitted = std::max(byWidth, byHeight);
    scale = fitted > 0 && std::isfinite(fitted) ? fitted : 1.0;
    panX = 0.0;
    panY = 0.0;
    const SDPoint centre = ToDevice({(plate.left + plate.right) / 2, (plate.bottom + plate.top) / 2}, area);
    panX = CentreX(area) - centre.x;
    panY = CentreY(area) - centre.y;
}

void LgpPreviewView::Zoom(bool in, platform::Point cursor, platform::Size area) {
    const SDPoint held = ToPlate({static_cast<double>(cursor.x), static_cast<double>(cursor.y)}, area);
    scale = in ? scale / kWheelStep : scale * kWheelStep;
    const SDPoint moved = ToDevice(held, area);
    panX += cursor.x - moved.x;
    panY += cursor.y - moved.y;
}

SDPoint LgpPreviewView::ToDevice(SDPoint mm, platform::Size area) const {
    return {CentreX(area) + panX + mm.x * kUnitsPerMm / scale,
            CentreY(area) + panY - mm.y * kUnitsPerMm / scale};
}

SDPoint LgpPreviewView::ToPlate(SDPoint device, platform::Size area) const {
    return {(device.x - CentreX(area) - panX) * scale / kUnitsPerMm,
            -(device.y - CentreY(area) - panY) * scale / kUnitsPerMm};
}

LgpPreviewView::DragLine LgpPreviewView::BeginDrag(platform::Point press, SDPoint crossDevice) {
    last_ = press;
    if (std::abs(press.x - crossDevice.x) < kPickPixels) {
        drag_ = DragLine::kVertical;
    } else if (std::abs(press.y - crossDevice.y) < kPickPixels) {
        drag_ = DragLine::kHorizontal;
    } else {
        drag_ = DragLine::kNone;
    }
    return drag_;
}

double LgpPreviewView::DragTo(platform::Point mouse) {
    const platform::Point from = last_;
    last_ = mouse;
    switch (drag_) {
        case DragLine::kVertical:
            return (mouse.x - from.x) * scale / kUnitsPerMm;
        case DragLine::kHorizontal:
            return -(mouse.y - from.y) * scale / kUnitsPerMm;
        default:
            return 0.0;
    }
}

SDPoint BaselineCross(const CLgpPlate& plate, const LgpDotPara& dots) {
    const LgpBox box = plate.OutlineBox();
    return {(box.left + box.right) / 2 + dots.baselineX, (box.bottom + box.top) / 2 + dots.baselineY};
}

void DrawPlatePreview(platform::DeviceContext& dc, const LgpPreviewScene& scene, const LgpPreviewView& view,
                      platform::Size area) {
    const platform::Size surface = dc.SurfaceSize();
    dc.FillSolidRect({0, 0, surface.width, surface.height}, platform::Rgb(0, 0, 0));
    if (scene.plate == nullptr) {
        return;
    }
    const LgpBox box = scene.plate->OutlineBox();
    PreviewPainter painter(dc, view, area);
    DrawOutlineArray(painter, scene, box);
    DrawDots(painter, scene);
    DrawBaseline(painter, scene, box);
    DrawOriginMarker(painter, scene, box);
}

}  // namespace dotplate
