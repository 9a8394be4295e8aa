// CCadMgr: joining open curves whose ends meet. Partners are found through a grid of the curves'
// rectangles, taken in selection order, so that each merge is the one the walk over the whole selection
// would make.
#include <algorithm>
#include <cmath>
#include <memory>

#include "CadMgr.h"
#include "Progress.h"
#include "RectMath.h"

namespace {

constexpr double kSnapGap = 0.01;           // mm: JoinCurves snaps below it
constexpr double kSquaredBridgeGap = 0.01;  // mm²: CombineCurves bridges from 0.1 mm on

SDPoint StartOf(const CCadCurve& curve) {
    return curve.pathList.head->next->value.start;
}
SDPoint EndOf(const CCadCurve& curve) {
    return curve.pathList.head->prev->value.end;
}

bool Meet(SDPoint a, SDPoint b, double tolerance) {
    return std::max(std::fabs(a.x - b.x), std::fabs(a.y - b.y)) <= tolerance;
}

double Squared(SDPoint a, SDPoint b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

void AppendLine(CCadCurve& curve, SDPoint from, SDPoint to) {
    CFileLine line;
    line.start = from;
    line.end = to;
    curve.pathList.AddTail(line);
}

bool IsOpenCurve(const CCadElement* element) {
    return element->typeCode == kCurveElement && static_cast<const CCadCurve*>(element)->closed == 0 &&
           !static_cast<const CCadCurve*>(element)->pathList.IsEmpty();
}

bool RectsMeet(CCadRect a, const CCadRect& grown) {
    a.Normalize();
    return a.x2 >= grown.x1 && a.x1 <= grown.x2 && a.y2 >= grown.y1 && a.y1 <= grown.y2;
}

}  // namespace

std::uint16_t CCadMgr::GetEndMatch(double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                                   double bx2, double by2, double tolerance) {
    const SDPoint aStart{ax1, ay1}, aEnd{ax2, ay2}, bStart{bx1, by1}, bEnd{bx2, by2};
    if (Meet(aStart, bStart, tolerance)) {
        return 1;
    }
    if (Meet(aStart, bEnd, tolerance)) {
        return 2;
    }
    if (Meet(aEnd, bStart, tolerance)) {
        return 3;
    }
    return Meet(aEnd, bEnd, tolerance) ? 4 : 0;
}

void CCadMgr::JoinStep(CCadCurve& a, CCadCurve& b, std::uint16_t code, bool bridge) {
    CFileLine& aFirst = a.pathList.head->next->value;
    CFileLine& aLast = a.pathList.head->prev->value;
    CFileLine& bFirst = b.pathList.head->next->value;
    CFileLine& bLast = b.pathList.head->prev->value;
    switch (code) {
        case 1: {
            const SDPoint bOldStart = bFirst.start;
            if (!bridge) {
                bFirst.start = aFirst.start;
            }
            b.TransDir();
            if (bridge) {
                AppendLine(b, bOldStart, StartOf(a));
            }
            a.LinkLeft(&b);
            return;
        }
        case 2:
            if (bridge) {
                AppendLine(b, bLast.end, aFirst.start);
            } else {
                bLast.end = aFirst.start;
            }
            a.LinkLeft(&b);
            return;
        case 3:
            if (bridge) {
                AppendLine(a, aLast.end, bFirst.start);
            } else {
                bFirst.start = aLast.end;
            }
            a.LinkRight(&b);
            return;
        case 4:
            if (bridge) {
                AppendLine(a, aLast.end, bLast.end);
            } else {
                bLast.end = aLast.end;
            }
            b.TransDir();
            a.LinkRight(&b);
            return;
        default:
            return;
    }
}

void CCadMgr::JoinCurves(CCadCurve* a, CCadCurve* b, std::uint16_t code, double gap) {
    if (a == nullptr || b == nullptr || code == 0 || a->pathList.IsEmpty() || b->pathList.IsEmpty()) {
        return;
    }
    JoinStep(*a, *b, code, gap >= kSnapGap);
}

void CCadMgr::CombineCurves(double tolerance, double progressBase, double progressSpan, SpatialSearch search) {
    if (selectionList.IsEmpty()) {
        return;
    }
    std::vector<CCadElement*> sequence = SelectedElements();
    std::vector<bool> gone(sequence.size(), false);
    const double count = static_cast<double>(sequence.size());
    const double step = progressSpan / (count * (count + 1) / 2);
    double progress = progressBase;
    std::unique_ptr<BoxGrid> grid;
    if (search == SpatialSearch::Indexed) {
        std::vector<CCadRect> rects;
        for (CCadElement* element : sequence) {
            rects.push_back(GrownNormalised(element->rect, 0));
        }
        grid = std::make_unique<BoxGrid>(BoxGrid::CellSizeFor(rects, tolerance));
        for (std::size_t id = 0; id < sequence.size(); ++id) {
            grid->Insert(static_cast<int>(id), rects[id]);
        }
    }
    for (std::size_t position = 0; position < sequence.size(); ++position) {
        if (gone[position] || !IsOpenCurve(sequence[position])) {
            continue;
        }
        auto* a = static_cast<CCadCurve*>(sequence[position]);
        while (a->closed == 0) {
            const CCadRect reach = GrownNormalised(a->rect, tolerance);
            std::vector<int> candidates;
            if (grid != nullptr) {
                candidates = grid->Query(reach, 0.0);
            } else {
                for (std::size_t id = 0; id < sequence.size(); ++id) {
                    candidates.push_back(static_cast<int>(id));
                }
            }
            int partner = -1;
            std::uint16_t code = 0;
            for (int id : candidates) {
                progress += step;
                ProgressRatio = std::min(progress, progressBase + progressSpan);
                CCadElement* b = sequence[id];
                if (gone[id] || b == a || !IsOpenCurve(b) || b->color != a->color || !RectsMeet(b->rect, reach)) {
                    continue;
                }
                const auto* other = static_cast<const CCadCurve*>(b);
                const double squared[] = {Squared(StartOf(*a), StartOf(*other)), Squared(StartOf(*a), EndOf(*other)),
                                          Squared(EndOf(*a), StartOf(*other)), Squared(EndOf(*a), EndOf(*other))};
                for (int k = 3; k >= 0 && code == 0; --k) {
                    if (squared[k] <= tolerance * tolerance) {
                        code = static_cast<std::uint16_t>(k + 1);
                    }
                }
                if (code != 0) {
                    partner = id;
                    JoinStep(*a, *static_cast<CCadCurve*>(b), code, squared[code - 1] >= kSquaredBridgeGap);
                    break;
                }
            }
            if (partner < 0) {
                break;
            }
            gone[partner] = true;
            DeleteElement(sequence[partner]);
            a->AutoClose(closingTolerance, 0);
            a->CalRect();
            if (grid != nullptr) {
                grid->Insert(static_cast<int>(position), GrownNormalised(a->rect, 0));
            }
        }
    }
    for (std::size_t position = 0; position < sequence.size(); ++position) {
        if (!gone[position] && sequence[position]->typeCode == kCurveElement &&
            static_cast<CCadCurve*>(sequence[position])->pathList.IsEmpty()) {
            DeleteElement(sequence[position]);
        }
    }
    RenumberElements();
    ProgressRatio = progressBase + progressSpan;
}
