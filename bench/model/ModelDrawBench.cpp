// Drawing cost of the elements on a 1920 x 1080 canvas: 1,000 curves of 100 segments (lines, then Beziers)
// through CCadCurve::Draw, the same segments through QPainter in pixel coordinates and through a bare
// MoveTo/LineTo loop of the device context; and an array of 1,000 x 1,000 cells viewed at a few cells
// beside a 2 x 2 array.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "CadArray.h"
#include "CadCurve.h"
#include "CadMgr.h"
#include "DeviceContext.h"
#include "LogicalUnits.h"
#include "QImageBackend.h"
#include "RecordingBackend.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPixelsPerMm = 10;
constexpr int kCurves = 1000;
constexpr int kSegments = 100;

// The mapping of the view: 10 pixels per mm, y up, the model origin at the bottom-left corner.
platform::DeviceContext MakeMapping() {
    platform::DeviceContext mapDC(std::make_unique<platform::RecordingBackend>(platform::Size{kWidth, kHeight}));
    mapDC.SetMapMode(platform::MapMode::Anisotropic);
    mapDC.SetWindowExt(1000, 1000);
    mapDC.SetViewportExt(kPixelsPerMm, -kPixelsPerMm);
    mapDC.SetViewportOrg(0, kHeight);
    return mapDC;
}

// Star-shaped closed curves of 100 segments spread over the canvas: wavy circles of 4 to 10 mm radius.
std::vector<std::unique_ptr<CCadCurve>> MakeCurves(bool beziers) {
    std::vector<std::unique_ptr<CCadCurve>> curves;
    for (int index = 0; index < kCurves; ++index) {
        auto curve = std::make_unique<CCadCurve>();
        const SDPoint centre{10.0 + (index * 37) % 172, 10.0 + (index * 53) % 88};
        const double radius = 4.0 + index % 7;
        const auto at = [&](int step) {
            const double angle = 2.0 * std::numbers::pi * step / kSegments;
            const double r = radius * (1.0 + 0.15 * std::sin(7.0 * angle));
            return SDPoint{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
        };
        for (int step = 0; step < kSegments; ++step) {
            CFileLine segment;
            segment.start = at(step);
            segment.end = at(step + 1);
            if (beziers) {
                segment.type = CFileLine::kBezier;
                segment.ctrl1 = {segment.start.x * 0.67 + segment.end.x * 0.33 + 0.2, segment.start.y * 0.67 + segment.end.y * 0.33};
                segment.ctrl2 = {segment.start.x * 0.33 + segment.end.x * 0.67, segment.start.y * 0.33 + segment.end.y * 0.67 + 0.2};
            }
            curve->pathList.AddTail(segment);
        }
        curve->closed = 1;
        curve->color = platform::Rgb(0, 0, 0);
        curve->CalRect();
        curves.push_back(std::move(curve));
    }
    return curves;
}

CCadRect WholeView() {
    return CCadRect(0, 0, static_cast<double>(kWidth) / kPixelsPerMm, static_cast<double>(kHeight) / kPixelsPerMm, 0);
}

void CurvesThroughDraw(benchmark::State& state) {
    const auto curves = MakeCurves(state.range(0) != 0);
    platform::DeviceContext mapDC = MakeMapping();
    platform::DeviceContext drawDC(std::make_unique<platform::QImageBackend>(platform::Size{kWidth, kHeight}));
    const CCadRect view = WholeView();
    for (auto _ : state) {
        for (const auto& curve : curves) {
            curve->Draw(&mapDC, &drawDC, view, 0, 0, 0);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kSegments);
}
BENCHMARK(CurvesThroughDraw)->Arg(0)->Arg(1)->ArgName("beziers")->Unit(benchmark::kMillisecond);

QPointF PixelOf(const platform::DeviceContext& mapDC, SDPoint mm) {
    const platform::Point point = mapDC.LPtoDP(ToLogicalUnits(mm));
    return {static_cast<double>(point.x), static_cast<double>(point.y)};
}

// The same segments in pixel coordinates, converted before timing, drawn by QPainter with a one-pixel
// pen without smoothing.
void CurvesThroughQPainter(benchmark::State& state) {
    const bool beziers = state.range(0) != 0;
    const auto curves = MakeCurves(beziers);
    const platform::DeviceContext mapDC = MakeMapping();
    std::vector<QPainterPath> paths;
    std::vector<QLineF> lines;
    for (const auto& curve : curves) {
        QPainterPath path;
        for (auto* node = curve->pathList.head->next; node != curve->pathList.head; node = node->next) {
            const CFileLine& s = node->value;
            if (beziers) {
                if (path.isEmpty()) {
                    path.moveTo(PixelOf(mapDC, s.start));
                }
                path.cubicTo(PixelOf(mapDC, s.ctrl1), PixelOf(mapDC, s.ctrl2), PixelOf(mapDC, s.end));
            } else {
                lines.emplace_back(PixelOf(mapDC, s.start), PixelOf(mapDC, s.end));
            }
        }
        paths.push_back(path);
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        if (beziers) {
            for (const QPainterPath& path : paths) {
                painter.drawPath(path);
            }
        } else {
            for (const QLineF& line : lines) {
                painter.drawLine(line);
            }
        }
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kSegments);
}
BENCHMARK(CurvesThroughQPainter)->Arg(0)->Arg(1)->ArgName("beziers")->Unit(benchmark::kMillisecond);

// The device context's own cost: the line segments' pixels, converted before timing, as MoveTo/LineTo.
void LinesThroughBareDeviceContext(benchmark::State& state) {
    const auto curves = MakeCurves(false);
    const platform::DeviceContext mapDC = MakeMapping();
    std::vector<std::vector<platform::Point>> chains;
    for (const auto& curve : curves) {
        std::vector<platform::Point> chain{mapDC.LPtoDP(ToLogicalUnits(curve->pathList.head->next->value.start))};
        for (auto* node = curve->pathList.head->next; node != curve->pathList.head; node = node->next) {
            chain.push_back(mapDC.LPtoDP(ToLogicalUnits(node->value.end)));
        }
        chains.push_back(std::move(chain));
    }
    platform::DeviceContext drawDC(std::make_unique<platform::QImageBackend>(platform::Size{kWidth, kHeight}));
    for (auto _ : state) {
        for (const auto& chain : chains) {
            drawDC.MoveTo(chain.front());
            for (std::size_t index = 1; index < chain.size(); ++index) {
                drawDC.LineTo(chain[index]);
            }
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kSegments);
}
BENCHMARK(LinesThroughBareDeviceContext)->Unit(benchmark::kMillisecond);

// An array of the given size whose cell is one 100-segment curve of about 20 mm, viewed at the area of
// its first 2 x 2 cells; both Show Array settings.
void ArrayViewedAtAFewCells(benchmark::State& state) {
    const auto curves = MakeCurves(false);
    auto array = std::make_unique<CCadArray>();
    auto cell = std::make_unique<CCadCurve>();
    cell->CopyFrom(curves[3].get(), 0, 0);
    array->children.AddTail(cell.release());
    array->columnCount = static_cast<std::int32_t>(state.range(0));
    array->rowCount = static_cast<std::int32_t>(state.range(0));
    array->direction = 3;
    array->columnSpacing = 1;
    array->rowSpacing = 1;
    array->CalRect();
    ShowArray = static_cast<int>(state.range(1));
    platform::DeviceContext mapDC = MakeMapping();
    platform::DeviceContext drawDC(std::make_unique<platform::QImageBackend>(platform::Size{kWidth, kHeight}));
    // The area of the first 2 x 2 cells: all of the small array, four cells of the large one.
    const double width = array->rect.x2 - array->rect.x1, height = array->rect.y2 - array->rect.y1;
    const CCadRect view(array->rect.x1, array->rect.y1, array->rect.x1 + 2 * width + 1, array->rect.y1 + 2 * height + 1, 0);
    for (auto _ : state) {
        array->Draw(&mapDC, &drawDC, view, 0, 0, 0);
        benchmark::ClobberMemory();
    }
    ShowArray = 1;
}
BENCHMARK(ArrayViewedAtAFewCells)
    ->Args({2, 1})
    ->Args({1000, 1})
    ->Args({2, 0})
    ->Args({1000, 0})
    ->ArgNames({"side", "showArray"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
