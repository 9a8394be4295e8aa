#include "BenchDrawing.h"

#include <cstdlib>
#include <string>

#include "CadCurve.h"
#include "CadMgr.h"

namespace bench {
namespace {

CFileLine Line(double x1, double y1, double x2, double y2) {
    CFileLine line;
    line.start = {x1, y1};
    line.end = {x2, y2};
    return line;
}

}  // namespace

const std::filesystem::path& BenchHome() {
    static const std::filesystem::path home = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "cutrix-shell-bench-XXXXXX").string();
        const char* made = mkdtemp(pattern.data());
        setenv("CUTRIX_HOME", made != nullptr ? made : pattern.c_str(), 1);
        // Snapshots and documents of a large drawing take hundreds of megabytes; they go with the program.
        std::atexit([] { std::filesystem::remove_all(std::getenv("CUTRIX_HOME")); });
        return std::filesystem::path(pattern);
    }();
    return home;
}

std::unique_ptr<CCadMgr> MakeSquares(int count) {
    constexpr int kRow = 400;
    auto manager = std::make_unique<CCadMgr>();
    for (int index = 0; index < count; ++index) {
        const double x = (index % kRow) * 3.0;
        const double y = (index / kRow) * 3.0;
        auto curve = std::make_unique<CCadCurve>();
        curve->pathList.AddTail(Line(x, y, x + 2, y));
        curve->pathList.AddTail(Line(x + 2, y, x + 2, y + 2));
        curve->pathList.AddTail(Line(x + 2, y + 2, x, y + 2));
        curve->pathList.AddTail(Line(x, y + 2, x, y));
        curve->closed = 1;
        curve->CalRect();
        manager->AddElement(curve.release());
    }
    return manager;
}

}  // namespace bench
