// Where a curve starts and which way it runs: nearest start, corner start, smallest turn and farthest
// vertex. Each call hands the position (or approach record) on to the next curve of the cutting order.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "Geomcore.h"
#include "PointMath.h"
#include "SegmentListOps.h"

using namespace geomcore;

namespace {

// Corners whose angles differ by less than this (radians) tie and are decided by distance.
constexpr double kAngleTie = 0.001;
// A corner this open (radians) is never preferred.
constexpr double kNearlyStraight = 3.14;
// Parameters of the Bezier points that stand for a corner's incoming and outgoing directions.
constexpr double kIncomingParam = 0.99;
constexpr double kOutgoingParam = 0.01;

// Vertex 0 is the first start, vertex k the end of record k.
std::vector<SDPoint> Vertices(const std::vector<CFileLine>& records) {
    std::vector<SDPoint> vertices{records.front().start};
    for (const CFileLine& record : records) {
        vertices.push_back(record.end);
    }
    return vertices;
}

void MoveToCurveEnd(const FileLineList& list, SDPoint& position) {
    position = list.head->prev->value.end;
}

// Open: reverse when the far end is strictly nearer. Closed: start at the nearest vertex, skipping
// vertices outside the box of half-width equal to the best distance so far.
void NearestStart(FileLineList& list, SDPoint& position, int closed) {
    const std::vector<CFileLine> records = CopyRecords(list);
    if (closed == 0) {
        if (SquaredDistance(records.back().end, position) <
            SquaredDistance(records.front().start, position)) {
            _math_c_invert(&list);
        }
    } else {
        const std::vector<SDPoint> vertices = Vertices(records);
        int best = 0;
        double bestSquared = SquaredDistance(vertices[0], position);
        for (int k = 1; k < static_cast<int>(vertices.size()); ++k) {
            const double dx = vertices[k].x - position.x;
            const double dy = vertices[k].y - position.y;
            if (dx * dx >= bestSquared || dy * dy >= bestSquared) {
                continue;
            }
            const double squared = dx * dx + dy * dy;
            if (squared < bestSquared) {
                best = k;
                bestSquared = squared;
            }
        }
        RotateToVertex(list, best);
    }
    MoveToCurveEnd(list, position);
}

double AngleAt(SDPoint vertex, SDPoint a, SDPoint b) {
    const double sideA = Distance(vertex, a);
    const double sideB = Distance(vertex, b);
    const double opposite = Distance(a, b);
    const double cosine = (sideA * sideA + sideB * sideB - opposite * opposite) / (2.0 * sideA * sideB);
    return std::acos(std::clamp(cosine, -1.0, 1.0));
}

struct Corner {
    double angle;
    bool preferred;  // turns against the curve's orientation
};

// The corner at the start of `record`, entered from `previous`; none when either direction point
// coincides with the vertex.
bool CornerAt(const CFileLine& previous, const CFileLine& record, int orientation, Corner& corner) {
    const SDPoint vertex = record.start;
    const SDPoint incoming = previous.IsBezier() ? previous.GetPoint(kIncomingParam) : previous.start;
    const SDPoint outgoing = record.IsBezier() ? record.GetPoint(kOutgoingParam) : record.end;
    if (Coincide(incoming, vertex) || Coincide(outgoing, vertex)) {
        return false;
    }
    corner.angle = AngleAt(vertex, incoming, outgoing);
    const double cross = (vertex.y - outgoing.y) * (incoming.x - outgoing.x) -
                         (incoming.y - outgoing.y) * (vertex.x - outgoing.x);
    const bool ordinary = (cross < 0.0 ? 1 : 0) == orientation || corner.angle > kNearlyStraight;
    corner.preferred = !ordinary;
    return true;
}

// The sharpest corner wins, the nearest one among ties; once a preferred corner is seen, ordinary
// corners no longer compete.
int CornerStartIndex(const std::vector<CFileLine>& records, SDPoint position, int orientation) {
    double bestAngle = std::numbers::pi;
    double bestSquared = 0.0;
    int bestIndex = 0;
    bool havePreferred = false;
    const int count = static_cast<int>(records.size());
    for (int i = 0; i < count; ++i) {
        Corner corner{};
        if (!CornerAt(records[(i + count - 1) % count], records[i], orientation, corner)) {
            continue;
        }
        const double squared = SquaredDistance(records[i].start, position);
        bool wins = false;
        if (corner.preferred && !havePreferred) {
            havePreferred = true;
            wins = true;
        } else if (corner.preferred || !havePreferred) {
            wins = corner.angle < bestAngle ||
                   (std::fabs(corner.angle - bestAngle) < kAngleTie && squared < bestSquared);
        }
        if (wins) {
            bestAngle = corner.angle;
            bestSquared = squared;
            bestIndex = i;
        }
    }
    return bestIndex;
}

// The angle (0 to pi) between the approach and the start of `record`. A degenerate direction counts as
// the largest turn, so it is chosen only when nothing else is.
double TurnInto(const CFileLine& record, const CFileLine& approach) {
    SDPoint incoming = record.start - approach.end;
    if (incoming.x == 0.0 && incoming.y == 0.0) {
        incoming = approach.end - approach.start;
    }
    const SDPoint outgoing = (record.IsBezier() ? record.ctrl1 : record.end) - record.start;
    const double lengths = Length(incoming) * Length(outgoing);
    if (!(lengths > 0.0)) {
        return std::numbers::pi;
    }
    return std::acos(std::clamp(Dot(incoming, outgoing) / lengths, -1.0, 1.0));
}

// The approach handed on: the direction in which the last record starts, ending on its start.
void SetApproachFromLast(const CFileLine& last, CFileLine& approach) {
    const SDPoint towards = last.IsBezier() ? last.ctrl1 : last.end;
    approach.start = 2.0 * last.start - towards;
    approach.end = last.start;
}

}  // namespace

GeomStatus _math_c_shorthandle(FileLineList* list, SDPoint* position, int closed) {
    if (list == nullptr || position == nullptr) {
        return 1;
    }
    if (HasRecords(list)) {
        NearestStart(*list, *position, closed);
    }
    return 0;
}

GeomStatus _math_c_findstrtpt(FileLineList* list, SDPoint* position, int closed) {
    if (list == nullptr || position == nullptr) {
        return 1;
    }
    if (!HasRecords(list)) {
        return 0;
    }
    int orientation = 0;
    if (closed == 0 || _math_c_getdir(list, &orientation) != 0) {
        NearestStart(*list, *position, closed);
        return 0;
    }
    RotateToVertex(*list, CornerStartIndex(CopyRecords(*list), *position, orientation));
    MoveToCurveEnd(*list, *position);
    return 0;
}

GeomStatus _math_c_strtptoptim(FileLineList* list, CFileLine* approach, int closed) {
    if (list == nullptr || approach == nullptr) {
        return 1;
    }
    if (!HasRecords(list)) {
        return 0;
    }
    const std::vector<CFileLine> records = CopyRecords(*list);
    if (closed != 0) {
        int best = 0;
        double bestTurn = TurnInto(records[0], *approach);
        for (int i = 1; i < static_cast<int>(records.size()); ++i) {
            const double turn = TurnInto(records[i], *approach);
            if (turn < bestTurn) {
                best = i;
                bestTurn = turn;
            }
        }
        RotateToVertex(*list, best);
    } else if (TurnInto(records.back(), *approach) < TurnInto(records.front(), *approach)) {
        _math_c_invert(list);
    }
    SetApproachFromLast(list->head->prev->value, *approach);
    return 0;
}

GeomStatus _math_c_backlash(FileLineList* list, SDPoint* position, int enabled, int* started) {
    if (list == nullptr || position == nullptr || started == nullptr) {
        return 1;
    }
    if (!HasRecords(list)) {
        return 0;
    }
    if (*started == 0) {
        *started = 1;
    } else if (enabled != 0) {
        const std::vector<SDPoint> vertices = Vertices(CopyRecords(*list));
        int farthest = 0;
        for (int k = 1; k < static_cast<int>(vertices.size()); ++k) {
            if (SquaredDistance(vertices[k], *position) > SquaredDistance(vertices[farthest], *position)) {
                farthest = k;
            }
        }
        RotateToVertex(*list, farthest);
    }
    MoveToCurveEnd(*list, *position);
    return 0;
}
