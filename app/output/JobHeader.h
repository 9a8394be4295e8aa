// The job's opening: where it sits (JobFrame), its header, its frame and repeat, and the per-layer
// parameter lists, as the job writer puts them before the body.
#pragma once

#include <cstdint>

#include "CadRect.h"
#include "JobFrame.h"

class CCadArray;
class OutputList;

// The output lists hold at most this many layers (indexes 0..127).
constexpr int kMaxOutputLayers = 128;

// Origin y by the laser-head position code: 0-2 the high value, 3-5 the midpoint, 6-8 the low one;
// other codes leave it.
void SetRefCoordByPos(JobFrame* frame, double low, double high, std::uint16_t code);

// Box, signs from the mirrors and origin from absolute coordinates or the laser-head position.
void FillJobFrame(JobFrame& frame, const CCadRect& dataBox);

// Numbers the layers in list order: each gets the count of output layers before it, plus one. Returns
// the number of output layers.
int NumberOutputLayers();

// The controller repeats one array cell when the whole output is a single plain array.
struct JobRepeat {
    std::uint32_t columns = 1;
    std::uint32_t rows = 1;
    double pitchX = 0.0;
    double pitchY = 0.0;
    std::uint32_t directionX = 1;
    std::uint32_t directionY = 1;
    CCadRect frameBox;
    CCadArray* array = nullptr;  // the repeated array; null when the output is expanded

    static JobRepeat For(OutputList& output, const CCadRect& dataBox);
};

// Reference point, start, feeding and rotary ratio. False at the first failing call; ratio receives
// the rotary ratio (1 when off).
bool WriteJobHeader(double* rotaryRatio);
// Frame corners in job coordinates rounded to 0.01 mm, then the repeat.
bool WriteJobFrame(const JobRepeat& repeat, double rotaryRatio);
// Speed, powers and colour of every output layer, then the last index.
bool WriteLayerLists();
