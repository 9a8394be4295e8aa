#include "JoinImportedCurves.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <unordered_map>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "RectMath.h"

namespace {

bool IsJoinable(const CCadElement* element) {
    return element->typeCode == kCurveElement && static_cast<const CCadCurve*>(element)->closed == 0 &&
           static_cast<const CCadCurve*>(element)->pathList.IsEmpty() == 0;
}

SDPoint StartOf(const CCadCurve& curve) {
    return curve.pathList.head->next->value.start;
}
SDPoint EndOf(const CCadCurve& curve) {
    return curve.pathList.head->prev->value.end;
}

bool IsFinite(SDPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// The curves' end points by grid cell. Entries are only added: a curve whose ends move is added again,
// and callers test what they get against the curve as it is.
class EndPointGrid {
  public:
    explicit EndPointGrid(double reach) : reach_(reach), cellSize_(std::max(reach, kMinCellSize)) {}

    void Insert(int id, SDPoint p) {
        if (!IsFinite(p)) {
            anywhere_.push_back(id);  // a NaN coordinate may still match on the other axis
            return;
        }
        cells_[Key(Cell(p.x), Cell(p.y))].push_back(id);
    }

    // Every id with an end point (as inserted at any time) that may lie within the reach of the finite
    // point p on both axes; unsorted, with repeats. One cell more on every side absorbs rounding.
    void Collect(SDPoint p, std::vector<int>& ids) const {
        ids.insert(ids.end(), anywhere_.begin(), anywhere_.end());
        const std::int64_t x1 = Cell(p.x - reach_) - 1, x2 = Cell(p.x + reach_) + 1;
        const std::int64_t y1 = Cell(p.y - reach_) - 1, y2 = Cell(p.y + reach_) + 1;
        for (std::int64_t x = x1; x <= x2; ++x) {
            for (std::int64_t y = y1; y <= y2; ++y) {
                const auto cell = cells_.find(Key(x, y));
                if (cell != cells_.end()) {
                    ids.insert(ids.end(), cell->second.begin(), cell->second.end());
                }
            }
        }
    }

  private:
    static constexpr double kMinCellSize = 0.5;  // mm
    // Cells are clamped so that both indexes pack into one key; clamping keeps the order of cells, so far
    // points share an edge cell rather than being missed.
    static constexpr double kMaxCellIndex = 2147483000.0;

    std::int64_t Cell(double value) const {
        return static_cast<std::int64_t>(
            std::clamp(std::floor(value / cellSize_), -kMaxCellIndex, kMaxCellIndex));
    }
    static std::uint64_t Key(std::int64_t x, std::int64_t y) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32 |
               static_cast<std::uint32_t>(y);
    }

    double reach_;
    double cellSize_;
    std::unordered_map<std::uint64_t, std::vector<int>> cells_;
    std::vector<int> anywhere_;
};

// Works on the list as a vector of ids in list order: an id leaves the list by being set aside or by
// being joined into an earlier curve.
class CurveJoiner {
  public:
    CurveJoiner(CDbList<CCadElement*>& staging, double tolerance) : staging_(staging), tolerance_(tolerance) {
        for (auto* node = staging.head->next; node != staging.head; node = node->next) {
            const int id = static_cast<int>(items_.size());
            items_.push_back(node->value);
            if (!IsJoinable(node->value)) {
                setAsideByColour_[node->value->color].insert(id);
            }
        }
        inList_.assign(items_.size(), true);
        if (std::isfinite(tolerance) && tolerance >= 0.0) {
            grid_.emplace(tolerance);
            for (int id = 0; id < static_cast<int>(items_.size()); ++id) {
                InsertEnds(id);
            }
        }
    }

    void Run() {
        Pass();
        Pass();
        staging_.RemoveAll();
        for (std::size_t id = 0; id < items_.size(); ++id) {
            if (inList_[id]) {
                staging_.AddTail(items_[id]);
            }
        }
        for (CCadElement* element : holding_) {
            staging_.AddTail(element);
        }
    }

  private:
    // What A's walk compares partners with.
    struct Reach {
        CCadRect grown;
        SDPoint start, end;
    };

    int Size() const { return static_cast<int>(items_.size()); }
    CCadCurve& Curve(int id) const { return *static_cast<CCadCurve*>(items_[id]); }

    void Pass() {
        for (int id = 0; id < Size(); ++id) {
            if (!inList_[id]) {
                continue;
            }
            if (IsJoinable(items_[id])) {
                Grow(id);
            } else {
                SetAside(id);
            }
        }
    }

    Reach ReachOf(int id) const {
        const CCadCurve& curve = Curve(id);
        return {GrownNormalised(curve.rect, tolerance_), StartOf(curve), EndOf(curve)};
    }

    // Closing walks the whole curve, so a long chain closed after every join costs the square of its
    // length. The ends are compared here first, a little generously: only a curve that may close is
    // handed to AutoClose, which decides exactly.
    bool EndsMayClose(const CCadCurve& curve) const {
        const SDPoint start = StartOf(curve), end = EndOf(curve);
        const double gap = std::hypot(end.x - start.x, end.y - start.y);
        return !(gap > tolerance_ * (1.0 + 1e-9) + 1e-12);
    }

    // A takes its partners one after the other, each later in the list than the one before.
    void Grow(int a) {
        CCadCurve& curve = Curve(a);
        Reach reach = ReachOf(a);
        int walked = a;
        bool joined = false;
        while (true) {
            std::uint16_t code = 0;
            const int b = NextPartner(a, walked, reach, code);
            SetAsideBetween(curve.color, walked, b);
            if (b == Size()) {
                if (joined) {
                    curve.UpdateSmooth();  // what each skipped closing attempt would have left
                }
                return;
            }
            joined = true;
            CCadCurve& partner = Curve(b);
            CCadMgr::JoinCurves(&curve, &partner, code, 0.0);
            RectUnion joined;
            joined.Add(GrownNormalised(curve.rect, 0.0));
            joined.Add(partner.rect);
            curve.rect = joined.Result(curve.rect);
            delete items_[b];
            items_[b] = nullptr;
            inList_[b] = false;
            walked = b;
            reach = ReachOf(a);
            if (EndsMayClose(curve)) {
                curve.AutoClose(tolerance_, 0);
            }
            if (curve.closed != 0) {
                inList_[a] = false;
                holding_.push_back(items_[a]);
                return;
            }
            InsertEnds(a);
        }
    }

    // The first id after `walked` that the plain walk would join onto A, or Size() for none.
    int NextPartner(int a, int walked, const Reach& reach, std::uint16_t& code) {
        if (!grid_ || !IsFinite(reach.start) || !IsFinite(reach.end)) {
            for (int b = walked + 1; b < Size(); ++b) {
                if (Joins(a, b, reach, code)) {
                    return b;
                }
            }
            return Size();
        }
        candidates_.clear();
        grid_->Collect(reach.start, candidates_);
        grid_->Collect(reach.end, candidates_);
        std::sort(candidates_.begin(), candidates_.end());
        for (auto b = std::upper_bound(candidates_.begin(), candidates_.end(), walked);
             b != candidates_.end(); ++b) {
            if (Joins(a, *b, reach, code)) {
                return *b;
            }
        }
        return Size();
    }

    bool Joins(int a, int b, const Reach& reach, std::uint16_t& code) const {
        if (!inList_[b] || !IsJoinable(items_[b]) || items_[b]->color != items_[a]->color) {
            return false;
        }
        const CCadCurve& partner = Curve(b);
        if (!GrownNormalised(partner.rect, 0.0).Meets(reach.grown)) {
            return false;
        }
        const SDPoint start = StartOf(partner), end = EndOf(partner);
        code = CCadMgr::GetEndMatch(reach.start.x, reach.start.y, reach.end.x, reach.end.y, start.x, start.y,
                                    end.x, end.y, tolerance_);
        return code != 0;
    }

    // The walk of A sets aside what it passes of A's colour that cannot be joined.
    void SetAsideBetween(std::uint32_t colour, int walked, int until) {
        const auto found = setAsideByColour_.find(colour);
        if (found == setAsideByColour_.end()) {
            return;
        }
        std::set<int>& ids = found->second;
        for (auto id = ids.upper_bound(walked); id != ids.end() && *id < until; id = ids.erase(id)) {
            inList_[*id] = false;
            holding_.push_back(items_[*id]);
        }
    }

    void SetAside(int id) {
        inList_[id] = false;
        holding_.push_back(items_[id]);
        const auto found = setAsideByColour_.find(items_[id]->color);
        if (found != setAsideByColour_.end()) {
            found->second.erase(id);
        }
    }

    void InsertEnds(int id) {
        if (grid_ && IsJoinable(items_[id])) {
            grid_->Insert(id, StartOf(Curve(id)));
            grid_->Insert(id, EndOf(Curve(id)));
        }
    }

    CDbList<CCadElement*>& staging_;
    double tolerance_;
    std::vector<CCadElement*> items_;
    std::vector<bool> inList_;
    std::vector<CCadElement*> holding_;
    std::map<std::uint32_t, std::set<int>> setAsideByColour_;
    std::optional<EndPointGrid> grid_;
    std::vector<int> candidates_;
};

}  // namespace

void JoinImportedCurves(CDbList<CCadElement*>& staging, double tolerance) {
    if (staging.IsEmpty() != 0) {
        return;
    }
    CurveJoiner(staging, tolerance).Run();
}
