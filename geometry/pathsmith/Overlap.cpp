// Overlap test and removal, and the crossing test of two contours.
#include "Overlap.h"

#include <algorithm>
#include <vector>

#include "BoxTree.h"
#include "ChordGrid.h"
#include "Contours.h"

namespace pathsmith {

namespace {

using SegmentNode = CDbList<CLineEx>::Node;

bool OnChord(SDPoint point, const Chord& chord, double tolerance) {
    return DistanceToChord(point, chord) <= tolerance;
}

BoxTree TreeOf(const std::vector<Chord>& chords, double margin) {
    std::vector<Box> boxes;
    boxes.reserve(chords.size());
    for (const Chord& chord : chords) {
        boxes.push_back(BoxOf(chord).Grown(margin));
    }
    return BoxTree(std::move(boxes));
}

std::vector<SegmentNode*> NodesOf(CDbList<CLineEx>& list) {
    std::vector<SegmentNode*> nodes;
    if (list.IsEmpty()) {
        return nodes;
    }
    for (SegmentNode* node = list.head->next; node != list.head; node = node->next) {
        nodes.push_back(node);
    }
    return nodes;
}

void Unlink(CDbList<CLineEx>& list, SegmentNode* node) {
    list.cursor = node;
    list.RemoveCurrent();
}

// The vertex ring of a contour: the start of every segment and the end of the last one.
std::vector<Chord> RingEdges(const std::vector<Chord>& contour) {
    std::vector<Chord> edges;
    edges.reserve(contour.size());
    for (std::size_t index = 0; index + 1 < contour.size(); ++index) {
        edges.push_back({contour[index].start, contour[index + 1].start});
    }
    edges.push_back({contour.back().start, contour.back().end});
    return edges;
}

}  // namespace

bool ContoursOverlap(const std::vector<Chord>& first, const std::vector<Chord>& second, double tolerance) {
    if (first.empty() || second.empty() || !(tolerance >= 0.0)) {
        return false;
    }
    const BoxTree tree = TreeOf(second, tolerance);
    for (const Chord& a : first) {
        const bool overlaps = tree.Search(BoxOf(a), [&](int index) {
            const Chord& b = second[index];
            return OnChord(a.start, b, tolerance) || OnChord(a.end, b, tolerance) ||
                   OnChord(b.start, a, tolerance) || OnChord(b.end, a, tolerance);
        });
        if (overlaps) {
            return true;
        }
    }
    return false;
}

void RemoveOverlaps(CDbList<CLineEx>& first, CDbList<CLineEx>& second, double tolerance) {
    if (first.IsEmpty() || second.IsEmpty() || !(tolerance >= 0.0)) {
        return;
    }
    std::vector<SegmentNode*> others = NodesOf(second);
    std::vector<Chord> otherChords;
    for (const SegmentNode* node : others) {
        otherChords.push_back(ChordOf(node->value));
    }
    // Trimmed segments stay inside their first box, so the tree built on those boxes still finds them.
    const BoxTree tree = TreeOf(otherChords, tolerance);
    std::vector<int> candidates;
    for (SegmentNode* node : NodesOf(first)) {
        const Chord a = ChordOf(node->value);
        candidates.clear();
        tree.Search(BoxOf(a), [&](int index) {
            candidates.push_back(index);
            return false;
        });
        std::sort(candidates.begin(), candidates.end());
        for (const int index : candidates) {
            SegmentNode* other = others[index];
            if (other == nullptr) {
                continue;
            }
            const Chord b = ChordOf(other->value);
            const bool bStartOnA = OnChord(b.start, a, tolerance), bEndOnA = OnChord(b.end, a, tolerance);
            const bool aStartOnB = OnChord(a.start, b, tolerance), aEndOnB = OnChord(a.end, b, tolerance);
            if (bStartOnA && bEndOnA) {
                Unlink(second, other);
                others[index] = nullptr;
                continue;
            }
            if (aStartOnB && aEndOnB) {
                Unlink(first, node);
                break;
            }
            if ((bStartOnA || bEndOnA) && (aStartOnB || aEndOnB)) {
                SDPoint foot;
                DistanceToChord(aStartOnB ? a.start : a.end, b, &foot);
                other->value = bStartOnA ? CLineEx(foot, b.end) : CLineEx(b.start, foot);
            }
        }
    }
    first.cursor = first.head;
    second.cursor = second.head;
}

bool ContoursCross(const std::vector<Chord>& first, const std::vector<Chord>& second) {
    const std::vector<Chord> firstEdges = RingEdges(first), secondEdges = RingEdges(second);
    ChordGrid grid(secondEdges, 4 * kCoincidence);
    for (const Chord& a : firstEdges) {
        bool crosses = false;
        grid.ForEachNear(a, [&](int index) {
            LineMeeting meeting;
            crosses = crosses || (ChordsCross(a, secondEdges[index]) &&
                                  IntersectLines(a, secondEdges[index], meeting) && meeting.caseCode == 1);
        });
        if (crosses) {
            return true;
        }
    }
    return false;
}

}  // namespace pathsmith
