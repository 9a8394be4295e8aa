// Tracks whether the mouse is over a window or one of its children: moves start the hover (or switch
// the tracked child), and only a leave of the tracked window ends it.
#pragma once

#include <cstdint>
#include <functional>

class CMouseHover {
  public:
    // Flags: repaint the served window when hovering starts or ends; have it recompute its frame then.
    enum Flags : std::uint16_t { kRepaint = 1, kFrameChanged = 2 };
    // What the served window does for each flag; called with the flags when hovering starts or ends.
    using Apply = std::function<void(std::uint16_t flags)>;
    // Starts or stops leave tracking of a window.
    using TrackLeave = std::function<void(const void* window, bool track)>;

    void Attach(const void* window, std::uint16_t flags, Apply apply = {}, TrackLeave trackLeave = {});
    bool IsHovering() const { return hovering_; }
    const void* TrackedWindow() const { return tracked_; }

    // Null means the served window. True when hovering starts.
    bool OnMouseMove(const void* window = nullptr);
    // True when hovering ends; leaves of other windows than the tracked one are ignored.
    bool OnMouseLeave(const void* window = nullptr);

  private:
    const void* window_ = nullptr;
    const void* tracked_ = nullptr;
    std::uint16_t flags_ = 0;
    bool hovering_ = false;
    Apply apply_;
    TrackLeave trackLeave_;
};
