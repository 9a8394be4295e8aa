// The drawings and pictures that several benchmark areas measure alike: a grid of small closed decagons
// for job writing and fill, and a picture of round blobs for tracing and scan engraving.
#pragma once

#include "DibBlock.h"
#include "SDPoint.h"

class CCadCurve;

namespace bench {

constexpr int kDecagonCount = 10000;  // on a 100 x 100 grid
constexpr int kDecagonSides = 10;     // 100,000 segments in all
constexpr double kDecagonRadiusMm = 2.0;

// Corner `corner` (0..kDecagonSides, the last one closing on the first) of decagon `index`, whose
// centres stand `spacingMm` apart.
SDPoint DecagonCorner(int index, int corner, double spacingMm);

// Empties the program's drawing and fills it with the closed decagons, one curve each, on the default
// vector layer; returns the first, whose layer they all share.
CCadCurve* AddDecagonGrid(double spacingMm);

constexpr int kPictureSide = 4096;  // 16 Mpx

// Round blobs of many sizes on white, 1 bit: runs of every length along the rows, outlines of every
// curvature. No resolution is set.
platform::DibBlock BlobPicture();

}  // namespace bench
