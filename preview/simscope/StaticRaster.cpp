// Static drawing of the job.
#include "StaticRaster.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "ColorRamp.h"
#include "LogicalUnits.h"
#include "PixelMapper.h"
#include "PixelMix.h"
#include "QImageBackend.h"
#include "ThinLine.h"

namespace simscope {
namespace {

constexpr std::int32_t kMarkerHalfWidth = 6;
constexpr std::int32_t kDelayCirclePixels = 2;
constexpr platform::Point kHintAt{10 - kClipMargin, 10 - kClipMargin};
constexpr platform::ColorRef kMarkerPenColor = platform::Rgb(255, 255, 255);
constexpr platform::ColorRef kMarkerFillColor = platform::Rgb(0, 255, 0);

platform::Pen ThinPen(platform::ColorRef color) {
    return platform::Pen::Solid(0, color);
}

QImage TakeImage(platform::DeviceContext&& context) {
    platform::DeviceContext owner = std::move(context);
    return static_cast<const platform::QImageBackend&>(owner.Backend()).Image();
}

// The pixels of a delay circle of `radius` pixels around (0, 0), as the device context draws it.
std::vector<platform::Point> CircleStamp(std::int32_t radius) {
    const std::int32_t centre = radius + 2;
    platform::DeviceContext scratch(std::make_unique<platform::QImageBackend>(platform::Size{2 * centre + 1, 2 * centre + 1}));
    scratch.SelectObject(ThinPen(platform::Rgb(255, 255, 255)));
    scratch.MoveTo(centre + radius, centre);
    scratch.AngleArc({centre, centre}, radius, 0.0f, 360.0f);
    std::vector<platform::Point> stamp;
    for (std::int32_t y = 0; y <= 2 * centre; ++y) {
        for (std::int32_t x = 0; x <= 2 * centre; ++x) {
            if (scratch.GetPixel({x, y}) != 0) {
                stamp.push_back({x - centre, y - centre});
            }
        }
    }
    return stamp;
}

// Plots the display list into a 32-bit picture with the thin-line stepping of the device context.
class RasterWalker {
  public:
    RasterWalker(QImage& image, const platform::Mapping& mapping, std::int32_t circleRadiusUm,
                 std::vector<QRgb> penColors)
        : image_(image),
          pixels_(reinterpret_cast<QRgb*>(image.bits())),
          stride_(image.bytesPerLine() / static_cast<int>(sizeof(QRgb))),
          surface_{0, 0, image.width(), image.height()},
          mapping_(mapping),
          mapper_(mapping),
          stepper_(platform::PenStyle::Solid, surface_),
          circleRadius_(mapping.LengthLPtoDPx(circleRadiusUm)),
          stamp_(CircleStamp(circleRadius_)),
          penColors_(std::move(penColors)),
          position_(mapper_.ToDevice({})) {}

    void Walk(const DisplayList& list) {
        const std::vector<DisplayPoint>& points = list.Points();
        for (const DisplayChunk& chunk : list.Chunks()) {
            const DisplayPoint* first = points.data() + chunk.first;
            if (IsVisible(chunk)) {
                Draw(first, first + chunk.count);
            } else {
                Skip(first, first + chunk.count);
            }
        }
    }

  private:
    bool IsVisible(const DisplayChunk& chunk) const {
        const platform::Point a = mapper_.ToDevice({chunk.bounds.left, chunk.bounds.top});
        const platform::Point b = mapper_.ToDevice({chunk.bounds.right, chunk.bounds.bottom});
        const std::int64_t reach = (std::int64_t{chunk.circleDrift} + 1) * (circleRadius_ + 2);
        return std::int64_t{std::max(a.x, b.x)} + reach >= surface_.left &&
               std::int64_t{std::min(a.x, b.x)} - reach < surface_.right &&
               std::int64_t{std::max(a.y, b.y)} + reach >= surface_.top &&
               std::int64_t{std::min(a.y, b.y)} - reach < surface_.bottom;
    }

    void Draw(const DisplayPoint* point, const DisplayPoint* end) {
        for (; point != end; ++point) {
            if (point->op == DisplayOp::Circle) {
                DrawCircle(penColors_[point->pen]);
                continue;
            }
            const platform::Point device = mapper_.ToDevice(point->at);
            if (device == position_) {
                continue;
            }
            if (point->op == DisplayOp::Line) {
                Line(position_, device, penColors_[point->pen]);
            }
            position_ = device;
        }
    }

    // Only the pen position matters for what follows: the last move or cut, then any circles after it.
    void Skip(const DisplayPoint* first, const DisplayPoint* end) {
        const DisplayPoint* circles = end;
        while (circles != first && circles[-1].op == DisplayOp::Circle) {
            --circles;
        }
        if (circles != first) {
            position_ = mapper_.ToDevice(circles[-1].at);
        }
        for (; circles != end; ++circles) {
            position_ = AfterCircle(position_);
        }
    }

    void Line(platform::Point from, platform::Point to, QRgb color) {
        // A line of one step covers just its first pixel (the stepper's step 0 has no minor offset);
        // at fit most lines of a dense job are that short. A line of no step covers nothing.
        if (from == to) {
            return;
        }
        if (std::llabs(std::int64_t{to.x} - from.x) <= 1 && std::llabs(std::int64_t{to.y} - from.y) <= 1) {
            if (from.x >= 0 && from.x < surface_.right && from.y >= 0 && from.y < surface_.bottom) {
                pixels_[static_cast<std::ptrdiff_t>(from.y) * stride_ + from.x] = color;
            }
            return;
        }
        stepper_.Step(from, to, [this, color](std::int32_t x, std::int32_t y) {
            pixels_[static_cast<std::ptrdiff_t>(y) * stride_ + x] = color;
        });
    }

    // Held to the 32-bit range as the device context holds it.
    platform::Point CircleStart(platform::Point centre) const {
        return {TruncateToInt32(static_cast<double>(std::int64_t{centre.x} + circleRadius_)), centre.y};
    }

    // The context keeps its position in micrometres: the circle's end pixel goes there and back.
    platform::Point AfterCircle(platform::Point centre) const {
        return mapping_.LPtoDP(mapping_.DPtoLP(CircleStart(centre)));
    }

    void DrawCircle(QRgb color) {
        const platform::Point centre = position_;
        Line(centre, CircleStart(centre), color);
        for (const platform::Point offset : stamp_) {
            const std::int64_t x = std::int64_t{centre.x} + offset.x;
            const std::int64_t y = std::int64_t{centre.y} + offset.y;
            if (x >= 0 && x < surface_.right && y >= 0 && y < surface_.bottom) {
                pixels_[y * stride_ + x] = color;
            }
        }
        position_ = AfterCircle(centre);
    }

    QImage& image_;
    QRgb* pixels_;
    std::ptrdiff_t stride_;
    platform::Rect surface_;
    const platform::Mapping& mapping_;
    PixelMapper mapper_;
    platform::ThinLineStepper stepper_;
    std::int32_t circleRadius_;
    std::vector<platform::Point> stamp_;
    std::vector<QRgb> penColors_;
    platform::Point position_;
};

std::vector<QRgb> PenColors(const DisplayList& list, const PreviewColors& colors) {
    std::vector<QRgb> penColors{platform::ToQRgb(kMarkerPenColor)};
    for (const double power : list.Powers()) {
        penColors.push_back(platform::ToQRgb(RampColor(colors.draw0, colors.draw100, power)));
    }
    return penColors;
}

}  // namespace

std::int32_t DelayCircleRadius(const platform::DeviceContext& context) {
    const platform::Point origin = context.DPtoLP(platform::Point{0, 0});
    const platform::Point across = context.DPtoLP(platform::Point{kDelayCirclePixels, kDelayCirclePixels});
    const std::int64_t radius = std::int64_t{across.x} - origin.x;
    return TruncateToInt32(static_cast<double>(radius < 0 ? -radius : radius));
}

platform::DeviceContext PrepareStaticPicture(platform::Size area, ViewState& view, const PreviewColors& colors,
                                             bool emptyJob, platform::Point startUm, std::string_view hint) {
    const platform::Size size = PictureSize(area);
    platform::DeviceContext context(std::make_unique<platform::QImageBackend>(size));
    context.FillSolidRect({0, 0, size.width, size.height}, colors.background);
    if (emptyJob) {
        context.SetTextColor(colors.text);
        context.SetBkMode(platform::BackgroundMode::Transparent);
        context.TextOut(kHintAt.x, kHintAt.y, hint);
        return context;
    }
    ApplyViewMapping(context, area, view);
    const platform::Point marker = context.LPtoDP(startUm);
    context.SetMapMode(platform::MapMode::Text);
    context.SelectObject(ThinPen(kMarkerPenColor));
    context.SelectObject(platform::Brush::Solid(kMarkerFillColor));
    const auto offset = [](std::int32_t value, std::int32_t by) {
        return TruncateToInt32(static_cast<double>(std::int64_t{value} + by));
    };
    context.Rectangle(offset(marker.x, -kMarkerHalfWidth), offset(marker.y, -kMarkerHalfWidth),
                      offset(marker.x, kMarkerHalfWidth), offset(marker.y, kMarkerHalfWidth));
    ApplyViewMapping(context, area, view);
    context.MoveTo(0, 0);
    return context;
}

QImage RenderStaticRaster(const DisplayList& list, platform::Size area, ViewState& view,
                          const PreviewColors& colors, std::string_view hint) {
    platform::DeviceContext context = PrepareStaticPicture(area, view, colors, list.IsEmpty(), list.Start(), hint);
    const std::int32_t circleRadius = DelayCircleRadius(context);
    const platform::Mapping mapping = context.GetMapping();
    QImage image = TakeImage(std::move(context));
    if (list.IsEmpty() || image.isNull()) {
        return image;
    }
    RasterWalker walker(image, mapping, circleRadius, PenColors(list, colors));
    walker.Walk(list);
    return image;
}

QImage PaintJobReference(const PreviewJob& job, platform::Size area, ViewState& view, const PreviewColors& colors,
                         std::string_view hint) {
    const MmPoint start = job.Start();
    platform::DeviceContext context = PrepareStaticPicture(
        area, view, colors, job.IsEmpty(), {ToLogicalUnits(start.x), ToLogicalUnits(start.y)}, hint);
    if (job.IsEmpty()) {
        return TakeImage(std::move(context));
    }
    job.ForEachCommand([&](const JobCommand& command) {
        switch (command.kind) {
            case JobCommand::Power: {
                const platform::ColorRef color = RampColor(colors.draw0, colors.draw100, command.a);
                if (color != context.CurrentPen().color) {
                    context.SelectObject(ThinPen(color));
                }
                break;
            }
            case JobCommand::Move:
            case JobCommand::Cut: {
                const MmPoint placed = job.PlacedOf(command);
                const platform::Point to{ToLogicalUnits(placed.x), ToLogicalUnits(placed.y)};
                if (command.kind == JobCommand::Move) {
                    context.MoveTo(to);
                } else {
                    context.LineTo(to);
                }
                break;
            }
            case JobCommand::Delay:
                context.AngleArc(context.GetCurrentPosition(), DelayCircleRadius(context), 0.0f, 360.0f);
                break;
            default:
                break;
        }
    });
    return TakeImage(std::move(context));
}

}  // namespace simscope
