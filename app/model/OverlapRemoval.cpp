// OverlapRemoval: the two passes, the repairs, and the grids that find near segments and curves.
#include "OverlapRemoval.h"

#include <algorithm>
#include <set>

#include "CadMgr.h"
#include "ListNodes.h"
#include "OverlapTests.h"

using overlap::StraightOutcome;

namespace {

// What comparing two segments did.
enum class Compared { Nothing, RemovedB, RemovedA, ChangedB };

Compared CompareSegments(const CFileLine& a, CFileLine& b, double tol) {
    if (a.type != b.type) {
        return Compared::Nothing;
    }
    if (a.IsBezier()) {
        return overlap::IsBezierDuplicate(a, b, tol) ? Compared::RemovedB : Compared::Nothing;
    }
    switch (overlap::TestStraight(a, b, tol)) {
        case StraightOutcome::RemoveB: return Compared::RemovedB;
        case StraightOutcome::RemoveA: return Compared::RemovedA;
        case StraightOutcome::TrimB: return Compared::ChangedB;
        default: return Compared::Nothing;
    }
}

}  // namespace

// The segments of one curve in list order, with a grid over their end boxes when indexed.
class OverlapRemoval::SegmentSet {
  public:
    SegmentSet(CCadCurve& curve, double tol, bool indexed) : tol_(tol) {
        for (auto* node = curve.pathList.head->next; node != curve.pathList.head; node = node->next) {
            nodes.push_back(node);
        }
        alive.assign(nodes.size(), true);
        if (!indexed) {
            return;
        }
        std::vector<CCadRect> boxes;
        boxes.reserve(nodes.size());
        for (SegmentNode* node : nodes) {
            boxes.push_back(overlap::EndBox(node->value));
        }
        grid_ = std::make_unique<BoxGrid>(BoxGrid::CellSizeFor(boxes, tol));
        for (std::size_t id = 0; id < boxes.size(); ++id) {
            grid_->Insert(static_cast<int>(id), boxes[id]);
        }
    }

    // The live segments after `after` that may meet the segment, in list order; every one without a grid.
    std::vector<int> Near(const CFileLine& segment, int after) const {
        std::vector<int> ids;
        if (grid_ == nullptr) {
            for (int id = after + 1; id < static_cast<int>(nodes.size()); ++id) {
                ids.push_back(id);
            }
            return ids;
        }
        for (int id : grid_->Query(overlap::EndBox(segment), tol_)) {
            if (id > after) {
                ids.push_back(id);
            }
        }
        return ids;
    }
    void Moved(int id) {
        if (grid_ != nullptr) {
            grid_->Insert(id, overlap::EndBox(nodes[id]->value));
        }
    }

    std::vector<SegmentNode*> nodes;
    std::vector<bool> alive;

  private:
    double tol_;
    std::unique_ptr<BoxGrid> grid_;
};

OverlapRemoval::OverlapRemoval(CCadMgr& manager, double tolerance, Search search)
    : manager_(manager), tolerance_(tolerance), search_(search) {}

OverlapRemoval::~OverlapRemoval() = default;

int OverlapRemoval::Run(bool* twoPasses) {
    sequence_ = manager_.SelectedElements();
    deleted_.assign(sequence_.size(), false);
    int curvesSeen = 0;
    for (std::size_t position = 0; position < sequence_.size(); ++position) {
        if (sequence_[position]->typeCode != kCurveElement) {
            continue;
        }
        ++curvesSeen;
        auto* curve = static_cast<CCadCurve*>(sequence_[position]);
        if (FirstPass(curve)) {
            Repair(curve);
        }
    }
    *twoPasses = curvesSeen >= 2;
    if (!*twoPasses) {
        return count_;
    }
    if (search_ == Search::Indexed) {
        std::vector<CCadRect> rects;
        for (CCadElement* element : sequence_) {
            rects.push_back(element->rect);
        }
        curveGrid_ = std::make_unique<BoxGrid>(BoxGrid::CellSizeFor(rects, tolerance_));
        for (std::size_t position = 0; position < sequence_.size(); ++position) {
            IndexCurve(static_cast<int>(position));
        }
    }
    for (std::size_t position = 0; position < sequence_.size(); ++position) {
        SecondPass(static_cast<int>(position));
    }
    return count_;
}

bool OverlapRemoval::FirstPass(CCadCurve* curve) {
    SegmentSet segments(*curve, tolerance_, search_ == Search::Indexed);
    bool changed = false;
    for (int i = 0; i < static_cast<int>(segments.nodes.size()); ++i) {
        if (!segments.alive[i]) {
            continue;
        }
        if (overlap::IsShortSegment(segments.nodes[i]->value)) {
            RemoveSegment(curve, segments.nodes[i]);  // not counted
            segments.alive[i] = false;
            continue;
        }
        for (int j : segments.Near(segments.nodes[i]->value, i)) {
            if (!segments.alive[j]) {
                continue;
            }
            CFileLine& b = segments.nodes[j]->value;
            if (overlap::IsShortSegment(b)) {
                RemoveSegment(curve, segments.nodes[j]);  // not counted
                segments.alive[j] = false;
                continue;
            }
            const Compared result = CompareSegments(segments.nodes[i]->value, b, tolerance_);
            if (result == Compared::Nothing) {
                continue;
            }
            ++count_;
            changed = true;
            if (result == Compared::ChangedB) {
                segments.Moved(j);
                continue;
            }
            const int removed = result == Compared::RemovedA ? i : j;
            RemoveSegment(curve, segments.nodes[removed]);
            segments.alive[removed] = false;
            if (removed == i) {
                break;
            }
        }
    }
    return changed;
}

bool OverlapRemoval::NearRects(const CCadRect& a, const CCadRect& b) const {
    return !(a.x1 - b.x2 > tolerance_ || b.x1 - a.x2 > tolerance_ || a.y1 - b.y2 > tolerance_ ||
             b.y1 - a.y2 > tolerance_);
}

CCadCurve* OverlapRemoval::LiveCurve(int position) const {
    if (deleted_[position] || sequence_[position]->typeCode != kCurveElement) {
        return nullptr;
    }
    return static_cast<CCadCurve*>(sequence_[position]);
}

void OverlapRemoval::IndexCurve(int position) {
    if (curveGrid_ != nullptr && LiveCurve(position) != nullptr) {
        curveGrid_->Insert(position, sequence_[position]->rect);
    }
}

void OverlapRemoval::SecondPass(int position) {
    CCadCurve* first = LiveCurve(position);
    if (first == nullptr) {
        return;
    }
    // The partners in sequence order; pieces added on the way join when near (the walk would meet them).
    std::set<int> partners;
    if (curveGrid_ != nullptr) {
        for (int id : curveGrid_->Query(first->rect, tolerance_)) {
            if (id > position) {
                partners.insert(id);
            }
        }
    }
    const CCadRect firstRect = first->rect;
    comparing_ = &firstRect;
    pendingNear_.clear();
    bool firstChanged = false;
    int next = position;
    while (true) {
        for (int added : pendingNear_) {
            partners.insert(added);
        }
        pendingNear_.clear();
        if (curveGrid_ != nullptr) {
            const auto found = partners.upper_bound(next);
            if (found == partners.end()) {
                break;
            }
            next = *found;
        } else if (++next >= static_cast<int>(sequence_.size())) {
            break;
        }
        CCadCurve* second = LiveCurve(next);
        if (second == nullptr || first == second) {
            continue;
        }
        if (first->pathList.IsEmpty()) {
            break;
        }
        if (!NearRects(first->rect, second->rect)) {
            continue;
        }
        bool secondChanged = false;
        firstChanged = CompareCurves(first, second, &secondChanged) || firstChanged;
        if (second->pathList.IsEmpty()) {
            DeleteCurve(next);
        } else if (secondChanged) {
            Repair(second);
            IndexCurve(next);
        }
    }
    comparing_ = nullptr;
    if (first->pathList.IsEmpty()) {
        DeleteCurve(position);
    } else if (firstChanged) {
        Repair(first);
        IndexCurve(position);
    }
}

bool OverlapRemoval::CompareCurves(CCadCurve* first, CCadCurve* second, bool* secondChanged) {
    SegmentSet seconds(*second, tolerance_,
                       search_ == Search::Indexed && first->pathList.GetCount() * second->pathList.GetCount() > 64);
    bool firstChanged = false;
    auto* node = first->pathList.head->next;
    while (node != first->pathList.head) {
        auto* nextNode = node->next;
        for (int j : seconds.Near(node->value, -1)) {
            if (!seconds.alive[j]) {
                continue;
            }
            const Compared result = CompareSegments(node->value, seconds.nodes[j]->value, tolerance_);
            if (result == Compared::Nothing) {
                continue;
            }
            ++count_;
            if (result == Compared::RemovedA) {
                RemoveSegment(first, node);
                firstChanged = true;
                break;
            }
            *secondChanged = true;
            if (result == Compared::ChangedB) {
                seconds.Moved(j);
            } else {
                RemoveSegment(second, seconds.nodes[j]);
                seconds.alive[j] = false;
            }
        }
        node = nextNode;
    }
    return firstChanged;
}

void OverlapRemoval::RemoveSegment(CCadCurve* curve, SegmentNode* node) {
    manager_.DropNodeSelection(curve, node);
    UnlinkNode(curve->pathList, node);
}

void OverlapRemoval::DeleteCurve(int position) {
    deleted_[position] = true;
    manager_.DeleteElement(sequence_[position]);
}

// A closed curve that no longer closes is opened (at a gap, when it has one); an open curve with gaps is
// split into pieces, each a curve of its own on the same layer, selected.
void OverlapRemoval::Repair(CCadCurve* curve) {
    CDbList<CFileLine>& path = curve->pathList;
    if (path.IsEmpty()) {
        return;
    }
    if (curve->closed != 0 && !overlap::PointsMeet(path.head->prev->value.end, path.head->next->value.start)) {
        curve->closed = 0;
        curve->CalRect();
    }
    auto* node = path.head->next;
    while (node->next != path.head) {
        auto* following = node->next;
        if (!overlap::PointsMeet(node->value.end, following->value.start)) {
            if (curve->closed != 0) {
                // Open the ring at the gap: `following` becomes the first segment, `node` the last.
                RotateToEndWith(path, node);
                curve->closed = 0;
                curve->CalRect();
            } else if (curve->layer != nullptr) {
                SplitBefore(curve, following);
            }
        }
        node = following;
    }
}

// The segments before `first` leave the curve for a new curve added to the drawing and the selection.
void OverlapRemoval::SplitBefore(CCadCurve* curve, SegmentNode* first) {
    auto piece = std::make_unique<CCadCurve>();
    piece->closed = 0;
    piece->color = curve->color;
    piece->layer = curve->layer;
    CDbList<CFileLine>& path = curve->pathList;
    while (path.head->next != first) {
        auto* moved = path.head->next;
        manager_.DropNodeSelection(curve, moved);
        piece->pathList.AddTail(moved->value);
        UnlinkNode(path, moved);
    }
    piece->CalRect();
    curve->CalRect();
    CCadCurve* added = piece.get();
    if (manager_.AddElement(piece.release()) == 0) {
        return;
    }
    manager_.AddToSelection(added);
    sequence_.push_back(added);
    deleted_.push_back(false);
    const int position = static_cast<int>(sequence_.size()) - 1;
    IndexCurve(position);
    if (comparing_ != nullptr && NearRects(*comparing_, added->rect)) {
        pendingNear_.push_back(position);
    }
}
