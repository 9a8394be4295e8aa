// What the text progress bar paints: the gradient bands up to the position, the background after them,
// and the percentage text; computed without a window so that the rules can be checked headless.
#pragma once

#include "GdiTypes.h"

#include <string>
#include <vector>

struct ProgressRange {
    std::int32_t lower = 0;
    std::int32_t upper = 100;
    std::int32_t position = 0;
};

struct ProgressColors {
    platform::ColorRef start = platform::Rgb(255, 0, 0);
    platform::ColorRef end = platform::Rgb(0, 0, 255);
    platform::ColorRef background = platform::Rgb(240, 240, 240);
};

struct ProgressBand {
    platform::Rect bounds;
    platform::ColorRef color = 0;
};

struct ProgressPicture {
    // The position is outside (lower, upper]: the face is drawn empty, grey-outlined, without text.
    bool empty = true;
    std::vector<ProgressBand> bands;
    // The part after the last band, in the background colour; empty for a full bar.
    platform::Rect background;
    std::string text;
};

// The picture of a bar of `size` pixels. Equal start and end colours paint one solid band.
ProgressPicture ComputeProgressPicture(const ProgressRange& range, const ProgressColors& colors,
                                       platform::Size size, bool vertical);

// "%.1f   %%" of (position - lower) x 100 / (upper - lower).
std::string FormatProgressPercent(const ProgressRange& range);
