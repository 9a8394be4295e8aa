// A small drawing for the export round trips: lines and Beziers in three colours, written through the
// exported curve functions to a file.
#pragma once

#include <array>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Filebridge.h"
#include "GeometryTestHelpers.h"
#include "ImportTestSupport.h"

namespace filebridge::testing {

struct ExportCurve {
    std::vector<CFileLine> segments;
    std::uint32_t colour;
    bool closed;
};

using cutrix::testing::Bezier;
using cutrix::testing::Line;

inline std::vector<ExportCurve> ThreeColourDrawing() {
    return {
        {{Line({0, 0}, {40, 0}), Line({40, 0}, {40, 30}), Line({40, 30}, {0, 30}), Line({0, 30}, {0, 0})},
         0x0000FF, true},
        {{Bezier({50, 10}, {60, 40}, {80, -20}, {90, 10}), Bezier({90, 10}, {95, 20}, {100, 25}, {120.5, 12.25})},
         0x00FF00, false},
        {{Line({-12.3, 5.5}, {-3.25, 17.75}), Bezier({-3.25, 17.75}, {0, 25}, {5, 25}, {8, 18})}, 0xFF0000, false},
    };
}

inline void FillList(CDbList<CFileLine>& list, const std::vector<CFileLine>& segments) {
    for (const CFileLine& segment : segments) {
        list.AddTail(segment);
    }
}

inline std::string WriteAiFile(const ScratchFolder& folder, const std::vector<ExportCurve>& curves) {
    const std::string path = folder.File("out.ai");
    std::FILE* file = std::fopen(path.c_str(), "wt");
    std::int32_t written = 0;
    EXPECT_EQ(_file_SaveAIHeader(file), 0);
    for (const ExportCurve& curve : curves) {
        CDbList<CFileLine> list;
        FillList(list, curve.segments);
        EXPECT_EQ(_file_SaveCurveAsAI(file, &list, curve.colour, curve.closed ? 1 : 0, &written), 0);
    }
    EXPECT_EQ(_file_SaveAIEnd(file), 0);
    std::fclose(file);
    EXPECT_NE(written, 0);
    return path;
}

}  // namespace filebridge::testing
