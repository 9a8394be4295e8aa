// The picture the playback draws on: a copy of the static raster, drawn into by the drawing thread
// through a device context under a lock and shown by the window on a frame timer. The view lives here
// too, so that zoom and pan during a playback reach the drawing thread safely.
#pragma once

#include <QImage>

#include <mutex>
#include <optional>

#include "DeviceContext.h"
#include "ViewMapping.h"

namespace simscope {

// The cross cursor: arms of 15 pixels each way, drawn with NotXorPen so that drawing it twice at the
// same point restores every pixel. Leaves the pen position at `at` and the raster operation as it was.
void DrawCrossCursor(platform::DeviceContext& context, platform::Point at, const platform::Pen& pen);

class PlaybackCanvas {
  public:
    PlaybackCanvas();

    // Starts over from the static raster of `view`; the pen position and selections are kept, and the
    // cross cursor, when shown, is drawn again where it was.
    void Reset(const QImage& staticRaster, platform::Size area, const ViewState& view);
    QImage Snapshot() const;

    // Runs `draw` on the context with the current view's mapping applied, under the lock.
    template <typename Drawing>
    void Draw(Drawing&& draw) {
        std::lock_guard hold(lock_);
        ApplyViewMapping(context_, area_, view_);
        draw(context_);
    }

    // As Draw, then moves the cross cursor (drawn with `pen`) to `at` in micrometres.
    template <typename Drawing>
    void DrawAndMoveCursor(Drawing&& draw, platform::Point at, const platform::Pen& pen) {
        std::lock_guard hold(lock_);
        ApplyViewMapping(context_, area_, view_);
        draw(context_);
        if (cursor_) {
            DrawCrossCursor(context_, *cursor_, cursorPen_);
        }
        DrawCrossCursor(context_, at, pen);
        cursor_ = at;
        cursorPen_ = pen;
    }

  private:
    mutable std::mutex lock_;
    platform::DeviceContext context_;
    platform::Size area_;
    ViewState view_;
    std::optional<platform::Point> cursor_;
    platform::Pen cursorPen_;
};


// A width of `pixels` device pixels in logical units along x under the context's mapping.
std::int32_t PixelsToLogical(const platform::DeviceContext& context, std::int32_t pixels);

}  // namespace simscope
