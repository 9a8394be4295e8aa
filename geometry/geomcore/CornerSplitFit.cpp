// Corner-split smoothing.
#include "CornerSplitFit.h"

#include "ChordWalker.h"
#include "Flatness.h"
#include "PointMath.h"
#include "RunSpline.h"

namespace geomcore {

namespace {

constexpr double kSmoothAngleAtStrength0 = 160.0;  // degrees
constexpr double kSmoothAngleDropPerStrength = 60.0;

// Lines stay as they are; a Bezier becomes the lines between its points at t = k/n.
std::vector<CFileLine> RunMaterial(const std::vector<CFileLine>& records) {
    std::vector<CFileLine> material;
    for (const CFileLine& record : records) {
        if (!record.IsBezier()) {
            material.push_back(record);
            continue;
        }
        const int steps = FlatStepCount(record, kFitFlatness);
        CFileLine piece = record;
        piece.type = 0;
        piece.end = record.start;
        for (int k = 1; k <= steps; ++k) {
            piece.start = piece.end;
            piece.end = record.GetPoint(static_cast<double>(k) / steps);
            material.push_back(piece);
        }
    }
    return material;
}

double InteriorDegrees(const CFileLine& before, const CFileLine& after) {
    double degrees = 0.0;
    _math_get3Pangle(before.start.x, before.start.y, before.end.x, before.end.y, after.end.x, after.end.y,
                     &degrees);
    return degrees;
}

// A closed run starts and ends in the middle of its last record, so that the seam is smooth too.
std::vector<CFileLine> WithSeamInLastRecord(const std::vector<CFileLine>& run) {
    CFileLine firstHalf = run.back(), secondHalf = run.back();
    run.back().Split(0.5, &firstHalf, &secondHalf);
    std::vector<CFileLine> moved{secondHalf};
    moved.insert(moved.end(), run.begin(), run.end() - 1);
    moved.push_back(firstHalf);
    return moved;
}

std::vector<SDPoint> RunPoints(const std::vector<CFileLine>& run) {
    std::vector<SDPoint> points{run.front().start};
    for (const CFileLine& record : run) {
        points.push_back(record.end);
    }
    return points;
}

void FitRun(std::vector<CFileLine> run, const CFileLine& recordTemplate, ChordWalker& walker) {
    if (run.size() == 1) {
        walker.Walk(run, run.front().start);
        return;
    }
    if (Coincide(run.back().end, run.front().start)) {
        run = WithSeamInLastRecord(run);
    }
    const std::vector<SDPoint> points = RunPoints(run);
    walker.Walk(RunSplineBeziers(points, recordTemplate), points.front());
}

}  // namespace

void CornerSplitFit(const std::vector<CFileLine>& records, double strength, FileLineList& result) {
    const std::vector<CFileLine> material = RunMaterial(records);
    const CFileLine& recordTemplate = records.back();
    ChordWalker walker(result, recordTemplate);
    const double smoothFromDegrees = kSmoothAngleAtStrength0 - kSmoothAngleDropPerStrength * strength;
    std::vector<CFileLine> run{material.front()};
    for (std::size_t i = 1; i < material.size(); ++i) {
        if (InteriorDegrees(material[i - 1], material[i]) < smoothFromDegrees) {
            FitRun(run, recordTemplate, walker);
            run.clear();
        }
        run.push_back(material[i]);
    }
    FitRun(run, recordTemplate, walker);
}

}  // namespace geomcore
