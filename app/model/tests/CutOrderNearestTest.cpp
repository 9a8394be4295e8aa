// CCutOrder: the nearest-neighbour order of one cell against a plain transcription of the pick (the
// first remaining item always measured, a later one only when its rectangle may hold something nearer,
// ties to the earlier), on seeded random lists of polygons, polylines, points, empty curves and elements
// listed twice, under every start-point setting.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "CutOrder.h"
#include "CutOrderTestShapes.h"
#include "SettingsRecords.h"

namespace {

struct Drawing {
    std::vector<std::unique_ptr<CCadElement>> owned;
    std::vector<CCadElement*> list;  // in list order; an element may stand twice
};

// The same seed gives the same drawing, so that two copies can be ordered two ways.
Drawing RandomDrawing(unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(0.0, 60.0);
    std::uniform_real_distribution<double> reach(0.5, 12.0);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> corners(3, 9);
    Drawing drawing;
    const int count = 20 + static_cast<int>(seed % 40);
    for (int index = 0; index < count; ++index) {
        const double x = place(random);
        const double y = place(random);
        const int which = kind(random);
        if (which == 0) {
            drawing.owned.push_back(MakePoint(x, y));
        } else if (which == 1) {
            drawing.owned.push_back(std::make_unique<CCadCurve>());  // no segments
        } else if (which == 2 && !drawing.list.empty()) {
            drawing.list.push_back(drawing.list[static_cast<std::size_t>(random() % drawing.list.size())]);
            continue;
        } else {
            std::vector<SDPoint> points;
            const int n = corners(random);
            for (int corner = 0; corner < n; ++corner) {
                const double angle = 6.283185307179586 * corner / n;
                const double r = reach(random);
                points.push_back({x + r * std::cos(angle), y + r * std::sin(angle)});
            }
            drawing.owned.push_back(MakeCurve(points, which % 2 == 0));
        }
        drawing.list.push_back(drawing.owned.back().get());
    }
    return drawing;
}

double PlainDistance(CCadElement* item, SDPoint point, int& index) {
    index = 0;
    if (item->typeCode == kCurveElement) {
        return CCutOrder::CurveDistance(static_cast<CCadCurve*>(item), index, point);
    }
    const auto* position = static_cast<CCadPoint*>(item);
    return (position->x - point.x) * (position->x - point.x) +
           (position->y - point.y) * (position->y - point.y);
}

std::vector<CCadElement*> PlainOrder(std::vector<CCadElement*> items, SDPoint point) {
    std::vector<CCadElement*> ordered;
    while (!items.empty()) {
        std::size_t nearest = items.size();
        double best = CCutOrder::kNoDistance;
        double radius = 0.0;
        int start = 0;
        for (std::size_t place = 0; place < items.size(); ++place) {
            if (nearest != items.size() && CCutOrder::MayBeNearer(items[place]->rect, point, radius) == 0) {
                continue;
            }
            int index = 0;
            const double distance = PlainDistance(items[place], point, index);
            if (nearest == items.size() || distance < best) {
                best = distance;
                nearest = place;
                radius = std::sqrt(best);
                start = index;
            }
        }
        CCadElement* item = items[nearest];
        items.erase(items.begin() + static_cast<std::ptrdiff_t>(nearest));
        if (item->typeCode == kCurveElement) {
            CCutOrder::CurveDistance(static_cast<CCadCurve*>(item), start, point);
            CCutOrder::SetCurveStart(static_cast<CCadCurve*>(item), start, point);
        } else {
            point = {static_cast<CCadPoint*>(item)->x, static_cast<CCadPoint*>(item)->y};
        }
        ordered.push_back(item);
    }
    return ordered;
}

// Each item of the order as its place in the drawing's list of owned elements and, for a curve, its
// first node.
std::vector<std::pair<std::size_t, std::pair<double, double>>> Described(
    const Drawing& drawing, const std::vector<CCadElement*>& order) {
    std::vector<std::pair<std::size_t, std::pair<double, double>>> described;
    for (CCadElement* item : order) {
        std::size_t place = 0;
        while (drawing.owned[place].get() != item) {
            ++place;
        }
        std::pair<double, double> first{0.0, 0.0};
        const auto* curve = item->typeCode == kCurveElement ? static_cast<CCadCurve*>(item) : nullptr;
        if (curve != nullptr && curve->pathList.IsEmpty() == 0) {
            first = {curve->pathList.head->next->value.start.x, curve->pathList.head->next->value.start.y};
        }
        described.push_back({place, first});
    }
    return described;
}

TEST(CutOrderNearest, OneCellMatchesThePlainScanOnRandomLists) {
    const OptimSettings saved = gOptimSettings;
    gOptimSettings.blockHeightMm = 1000.0;  // one cell: the order is the nearest-neighbour order alone
    gOptimSettings.insideToOutsideMode = 0;
    struct Setting {
        std::uint32_t autoStartDir;
        std::uint32_t startPointOptimise;
    };
    for (const Setting setting : {Setting{1, 0}, Setting{0, 0}, Setting{0, 1}, Setting{1, 1}}) {
        gOptimSettings.autoStartPointAndDirection = setting.autoStartDir;
        gOptimSettings.startPointOptimise = setting.startPointOptimise;
        for (unsigned seed = 1; seed <= 30; ++seed) {
            const SDPoint start{seed % 2 == 0 ? 0.0 : 70.0, seed % 3 == 0 ? 0.0 : 35.0};
            Drawing ordered = RandomDrawing(seed);
            CDbList<CCadElement*> list;
            for (CCadElement* item : ordered.list) {
                list.AddTail(item);
            }
            CCutOrder order;
            order.Optimize(list, 0, 1, start.x, start.y);

            Drawing plain = RandomDrawing(seed);
            EXPECT_EQ(Described(ordered, Elements(list)), Described(plain, PlainOrder(plain.list, start)))
                << "seed " << seed << " auto start " << setting.autoStartDir << " start points "
                << setting.startPointOptimise;
        }
    }
    gOptimSettings = saved;
}

}  // namespace
