// What every export shares: no exception leaves the library, and curves reach the caller's list only
// once the whole result is ready, so a failure leaves the list as it was.
#pragma once

#include <memory>
#include <new>
#include <vector>

#include "DbList.h"
#include "MyCurve.h"

namespace pathsmith {

// Status of an export that ran out of memory or met a broken invariant.
inline constexpr short kInternalFailure = 1;

template <typename Body>
short Guarded(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return kInternalFailure;
    }
}

// New curves that are handed over together.
class CurveBatch {
  public:
    void Add(std::unique_ptr<CMyCurve> curve) {
        if (curve != nullptr && !curve->segments.IsEmpty()) {
            curves_.push_back(std::move(curve));
        }
    }
    bool Empty() const { return curves_.empty(); }
    // Appends every curve to the caller's list, which owns them from then on.
    void AppendTo(CDbList<CMyCurve*>& list) {
        for (std::unique_ptr<CMyCurve>& curve : curves_) {
            list.AddTail(curve.get());
            curve.release();
        }
        curves_.clear();
    }

  private:
    std::vector<std::unique_ptr<CMyCurve>> curves_;
};

}  // namespace pathsmith
