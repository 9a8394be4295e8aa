// Helpers for the import tests: a scratch folder, imports of text, and the imported curves as dense
// polylines for comparisons of shape.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "CutShort.h"
#include "FileImport.h"
#include "Filebridge.h"
#include "PathGeometry.h"

namespace filebridge::testing {

class ScratchFolder {
  public:
    ScratchFolder() {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("filebridge-test-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

  private:
    std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

struct Polyline {
    std::vector<SDPoint> points;
    std::uint32_t colour = 0;
    bool closed = false;
};

inline std::vector<CFileLine> SegmentsOf(const CFileCurve& curve) {
    std::vector<CFileLine> segments;
    for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
        segments.push_back(node->value);
    }
    return segments;
}

inline Polyline Flattened(const CFileCurve& curve, double tolerance = 0.0005) {
    Polyline polyline;
    polyline.colour = static_cast<std::uint32_t>(curve.extra);
    const std::vector<CFileLine> segments = SegmentsOf(curve);
    for (const CFileLine& segment : segments) {
        if (polyline.points.empty()) {
            polyline.points.push_back(segment.start);
        }
        if (segment.IsBezier()) {
            FlattenBezier(segment, tolerance, [&](SDPoint p) { polyline.points.push_back(p); });
        } else {
            polyline.points.push_back(segment.end);
        }
    }
    const SDPoint first = polyline.points.front(), last = polyline.points.back();
    polyline.closed = std::hypot(first.x - last.x, first.y - last.y) < 1e-9;
    return polyline;
}

inline std::vector<Polyline> CurvesOf(const ImportOutcome& outcome) {
    std::vector<Polyline> curves;
    for (const auto& record : outcome.records) {
        if (record->type == CFileDraw::kCurve) {
            curves.push_back(Flattened(static_cast<const CFileCurve&>(*record)));
        }
    }
    return curves;
}

inline double DistanceToPolylines(SDPoint p, const std::vector<Polyline>& polylines) {
    double best = INFINITY;
    for (const Polyline& polyline : polylines) {
        for (std::size_t i = 0; i + 1 < polyline.points.size(); ++i) {
            const SDPoint a = polyline.points[i], b = polyline.points[i + 1];
            const double lx = b.x - a.x, ly = b.y - a.y, length2 = lx * lx + ly * ly;
            const double t = length2 == 0.0 ? 0.0 : std::clamp(((p.x - a.x) * lx + (p.y - a.y) * ly) / length2, 0.0, 1.0);
            best = std::min(best, std::hypot(a.x + t * lx - p.x, a.y + t * ly - p.y));
        }
        if (polyline.points.size() == 1) {
            best = std::min(best, std::hypot(polyline.points[0].x - p.x, polyline.points[0].y - p.y));
        }
    }
    return best;
}

struct Box {
    double x1 = INFINITY, y1 = INFINITY, x2 = -INFINITY, y2 = -INFINITY;
    void Add(SDPoint p) {
        x1 = std::min(x1, p.x);
        y1 = std::min(y1, p.y);
        x2 = std::max(x2, p.x);
        y2 = std::max(y2, p.y);
    }
};

inline Box BoxOf(const std::vector<Polyline>& polylines) {
    Box box;
    for (const Polyline& polyline : polylines) {
        for (SDPoint p : polyline.points) {
            box.Add(p);
        }
    }
    return box;
}

// The one bitmap record an import gave, or null when it gave anything else.
inline const CFileDib* OnlyBitmap(const ImportOutcome& outcome) {
    if (outcome.records.size() != 1 || outcome.records.front()->type != CFileDraw::kBitmap) {
        return nullptr;
    }
    return static_cast<const CFileDib*>(outcome.records.front().get());
}

inline ImportOptions TestOptions(double precision = 1016.0) {
    ImportOptions options;
    options.pltUnitsPerInch = precision;
    for (std::size_t i = 0; i < options.layerColours.size(); ++i) {
        options.layerColours[i] = 0x010000u * static_cast<std::uint32_t>(i) + 0x42;  // distinct per slot
    }
    options.defaultColour = 0x00ABCDEF;
    return options;
}

// A whole file imports with `wholeRecords` records; cut after each tenth of its bytes, and once
// `lastCutBytes` before its end, it is refused as cut short with its name in the reason, and the
// library's call leaves the caller's list empty.
inline void ExpectRefusedWhenCut(const std::string& extension, const std::string& whole, std::size_t wholeRecords,
                                 std::size_t lastCutBytes) {
    ScratchFolder folder;
    const ImportOutcome outcome = ImportPath(folder.Write("whole." + extension, whole), TestOptions());
    ASSERT_TRUE(outcome.Succeeded()) << outcome.failure;
    EXPECT_EQ(outcome.records.size(), wholeRecords);
    std::vector<std::size_t> cuts;
    for (std::size_t tenth = 1; tenth < 10; ++tenth) {
        cuts.push_back(whole.size() * tenth / 10);
    }
    cuts.push_back(whole.size() - lastCutBytes);
    const std::string name = "cut." + extension;
    const std::string expected = name + ": " + std::string(kCutShortReason);
    for (const std::size_t cut : cuts) {
        SCOPED_TRACE("cut at " + std::to_string(cut) + " of " + std::to_string(whole.size()) + " bytes");
        const std::string path = folder.Write(name, whole.substr(0, cut));
        const ImportOutcome refused = ImportPath(path, TestOptions());
        EXPECT_EQ(refused.failure.substr(0, expected.size()), expected) << refused.failure;
        EXPECT_TRUE(refused.records.empty());
        CDbList<CFileDraw*> records;
        EXPECT_EQ(_file_ImportFile(path.c_str(), 1, 1016.0, 1.0, nullptr, 0, 0, 0, &records), 1);
        EXPECT_EQ(records.GetCount(), 0);
    }
}

}  // namespace filebridge::testing
