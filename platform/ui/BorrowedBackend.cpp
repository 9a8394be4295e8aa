#include "BorrowedBackend.h"

namespace platform {

BorrowedBackend::~BorrowedBackend() {
    if (onRelease_) {
        onRelease_();
    }
}

bool BorrowedBackend::BitBlt(const Rect& destination, const GdiBackend& source, Point sourceOrigin,
                             BlitOp op) {
    // A borrowed source copies from its lender's pixels.
    const auto* borrowed = dynamic_cast<const BorrowedBackend*>(&source);
    return lender_.BitBlt(destination, borrowed != nullptr ? borrowed->lender_ : source, sourceOrigin, op);
}

}  // namespace platform
