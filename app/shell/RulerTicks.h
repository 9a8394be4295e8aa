// Where a ruler's ticks fall and what the long ones read: every multiple of the tick spacing inside the
// ruler's visible range, a long labelled tick at every tenth multiple, a middle one at every fifth.
#pragma once

#include <string>
#include <vector>

enum class RulerTickKind { kShort, kMiddle, kLong };

struct RulerTick {
    int pixel = 0;  // along the ruler, from its start
    RulerTickKind kind = RulerTickKind::kShort;
    std::string label;  // long ticks only (RulerLabel of the value)

    friend bool operator==(const RulerTick&, const RulerTick&) = default;
};

// Ticks of a ruler `lengthPixels` long whose first pixel shows `startMm` and whose value changes by
// `mmPerPixel` per pixel (negative where the axis runs against the screen). Nothing for a spacing or
// scale that is not positive and finite, or that would give more ticks than the ruler has pixels.
std::vector<RulerTick> LayOutRulerTicks(double startMm, double mmPerPixel, int lengthPixels, double stepMm);

// How far from the ruler's inner edge (the one beside the view) each kind of tick reaches, in pixels of a
// ruler `thickness` thick.
int RulerTickReach(RulerTickKind kind, int thickness);
