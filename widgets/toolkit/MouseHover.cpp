#include "MouseHover.h"

void CMouseHover::Attach(const void* window, std::uint16_t flags, Apply apply, TrackLeave trackLeave) {
    window_ = window;
    flags_ = flags;
    apply_ = std::move(apply);
    trackLeave_ = std::move(trackLeave);
}

bool CMouseHover::OnMouseMove(const void* window) {
    if (window == nullptr) window = window_;
    if (hovering_) {
        if (window == tracked_) return false;
        if (trackLeave_) trackLeave_(tracked_, false);
        if (trackLeave_) trackLeave_(window, true);
        tracked_ = window;
        return false;
    }
    hovering_ = true;
    tracked_ = window;
    if (apply_) apply_(flags_);
    if (trackLeave_) trackLeave_(window, true);
    return true;
}

bool CMouseHover::OnMouseLeave(const void* window) {
    if (window == nullptr) window = window_;
    if (!hovering_ || window != tracked_) return false;
    hovering_ = false;
    tracked_ = nullptr;
    if (apply_) apply_(flags_);
    return true;
}
