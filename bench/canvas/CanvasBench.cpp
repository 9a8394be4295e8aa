// The canvas of a 1920 x 1080 view (offscreen): the full repaint of 1,000 curves of 100 line segments after
// zooming to the page, beside QPainter::drawLines of the same device segments on an image of the same
// size; and the rubber band's search over 100,000 elements, for a band holding 1 % of them and one holding
// all, beside the plain walk over the element list calling IsInRect; and select-all, move and repaint of
// the 100,000 beside their repaint alone.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QLine>
#include <QPainter>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "CadMgr.h"
#include "FakeCanvas.h"
#include "LogicalUnits.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kCurves = 1000;
constexpr int kSegments = 100;

// A manager with 1,000 wavy closed curves of 100 lines spread over its 1200 x 800 mm page.
struct CurveDrawing {
    platform::FakeCanvas canvas{{0, 0, kWidth, kHeight}};
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();

    explicit CurveDrawing(int curves = kCurves) {
        manager->SetOwnerHwnd(&canvas);
        for (int index = 0; index < curves; ++index) {
            auto curve = std::make_unique<CCadCurve>();
            const SDPoint centre{20.0 + (index * 37) % 1160, 20.0 + (index * 53) % 760};
            const double radius = 5.0 + index % 11;
            const auto at = [&](int step) {
                const double angle = 2.0 * std::numbers::pi * step / kSegments;
                const double r = radius * (1.0 + 0.15 * std::sin(7.0 * angle));
                return SDPoint{centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)};
            };
            for (int step = 0; step < kSegments; ++step) {
                CFileLine segment;
                segment.start = at(step);
                segment.end = at(step + 1);
                curve->pathList.AddTail(segment);
            }
            curve->closed = 1;
            curve->CalRect();
            manager->AddElement(curve.release());
        }
        manager->ZoomToPage();
    }
};

void RedrawAfterZoomToPage(benchmark::State& state) {
    CurveDrawing drawing;
    for (auto _ : state) {
        drawing.manager->Redraw(1, 0);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kSegments);
}
BENCHMARK(RedrawAfterZoomToPage)->Unit(benchmark::kMillisecond);

// What the repaint costs besides the elements: background, grid, page frame, marks and the copy.
void RedrawOfAnEmptyPage(benchmark::State& state) {
    CurveDrawing drawing(0);
    for (auto _ : state) {
        drawing.manager->Redraw(1, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RedrawOfAnEmptyPage)->Unit(benchmark::kMillisecond);

void SameSegmentsThroughQPainterDrawLines(benchmark::State& state) {
    CurveDrawing drawing;
    const platform::DeviceContext dc = drawing.manager->GetPreparedDC();
    std::vector<QLine> lines;
    for (auto* node = drawing.manager->elementList.head->next; node != drawing.manager->elementList.head;
         node = node->next) {
        const auto& path = static_cast<CCadCurve*>(node->value)->pathList;
        for (auto* segment = path.head->next; segment != path.head; segment = segment->next) {
            const platform::Point a = dc.LPtoDP(ToLogicalUnits(segment->value.start));
            const platform::Point b = dc.LPtoDP(ToLogicalUnits(segment->value.end));
            lines.emplace_back(a.x, a.y, b.x, b.y);
        }
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kCurves * kSegments);
}
BENCHMARK(SameSegmentsThroughQPainterDrawLines)->Unit(benchmark::kMillisecond);

// 100,000 squares of 1 mm in a 400 x 250 grid, 3 mm apart.
struct SquareDrawing {
    static constexpr int kColumns = 400;
    static constexpr int kRows = 250;
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();

    SquareDrawing() {
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                auto square = std::make_unique<CCadCurve>();
                const double x = column * 3.0, y = row * 3.0;
                const SDPoint corners[] = {{x, y}, {x + 1, y}, {x + 1, y + 1}, {x, y + 1}, {x, y}};
                for (int side = 0; side < 4; ++side) {
                    CFileLine segment;
                    segment.start = corners[side];
                    segment.end = corners[side + 1];
                    square->pathList.AddTail(segment);
                }
                square->closed = 1;
                square->CalRect();
                manager->AddElement(square.release());
            }
        }
    }
    // A band holding the given share of the squares: a block of whole rows and columns from the corner.
    static CCadRect Band(double share) {
        const double side = std::sqrt(share);
        CCadRect band;
        band.x1 = -0.5;
        band.y1 = -0.5;
        band.x2 = kColumns * side * 3.0 - 1.0;
        band.y2 = kRows * side * 3.0 - 1.0;
        return band;
    }
};

double ShareOf(const benchmark::State& state) {
    return state.range(0) == 100 ? 1.0 : 0.01;
}

void RubberBandSearch(benchmark::State& state) {
    SquareDrawing drawing;
    const CCadRect band = SquareDrawing::Band(ShareOf(state));
    std::size_t found = drawing.manager->ElementsInRect(band).size();  // builds the index
    for (auto _ : state) {
        found = drawing.manager->ElementsInRect(band).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(RubberBandSearch)->Arg(1)->Arg(100)->ArgName("percent")->Unit(benchmark::kMillisecond);

void RubberBandPlainWalk(benchmark::State& state) {
    SquareDrawing drawing;
    const CCadRect band = SquareDrawing::Band(ShareOf(state));
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<CCadElement*> inside;
        const auto& list = drawing.manager->elementList;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            if (node->value->IsInRect(band) != 0) {
                inside.push_back(node->value);
            }
        }
        found = inside.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(RubberBandPlainWalk)->Arg(1)->Arg(100)->ArgName("percent")->Unit(benchmark::kMillisecond);

// 100,000 squares on a 1920 x 1080 canvas zoomed to the page: the repaint alone, and select-all, a move of
// the selection and the repaint that shows it.
struct ShownSquares {
    platform::FakeCanvas canvas{{0, 0, kWidth, kHeight}};
    SquareDrawing drawing;
    ShownSquares() {
        drawing.manager->SetOwnerHwnd(&canvas);
        drawing.manager->ZoomToPage();
    }
    ~ShownSquares() { drawing.manager->SetOwnerHwnd(nullptr); }
};

void RepaintOfManySquares(benchmark::State& state) {
    ShownSquares shown;
    for (auto _ : state) {
        shown.drawing.manager->Redraw(1, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RepaintOfManySquares)->Unit(benchmark::kMillisecond);

// The move goes back and forth, so that every iteration draws the same picture.
void SelectAllMoveAndRepaint(benchmark::State& state) {
    ShownSquares shown;
    CCadMgr& manager = *shown.drawing.manager;
    double step = 1.0;
    for (auto _ : state) {
        manager.SelectAll();
        manager.MoveSelection(step, step, 1);
        manager.Redraw(1, 0);
        benchmark::ClobberMemory();
        state.PauseTiming();
        manager.ClearSelection();
        step = -step;
        state.ResumeTiming();
    }
}
BENCHMARK(SelectAllMoveAndRepaint)->Unit(benchmark::kMillisecond);

// The first search after a change: the index is built again.
void RubberBandSearchAfterAChange(benchmark::State& state) {
    SquareDrawing drawing;
    const CCadRect band = SquareDrawing::Band(0.01);
    for (auto _ : state) {
        drawing.manager->NotifyModified();
        benchmark::DoNotOptimize(drawing.manager->ElementsInRect(band).size());
    }
}
BENCHMARK(RubberBandSearchAfterAChange)->Unit(benchmark::kMillisecond);

}  // namespace
