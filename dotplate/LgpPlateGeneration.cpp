// Dot pattern generation: rows of dots (or grid lines) outward from the baseline, each dot laid only
// where a scan line through it stays inside the dot area.
#include <algorithm>

#include "LgpPageRules.h"
#include "LgpPlate.h"

namespace dotplate {

namespace {

// A dot may overhang the plate by this much and still be tested against the intervals.
constexpr double kPlateTolerance = 0.001;

// The next spacing: the gradient added, never below the minimum spacing, so that every loop advances.
double NextSpacing(double spacing, double gradient, double minSpacing) {
    return std::max(spacing + gradient, minSpacing);
}

SDPoint RoundedPoint(SDPoint point) { return {RoundCoord(point.x), RoundCoord(point.y)}; }

// Where the scan line crosses the segment's chord. A segment counts when the line lies in
// [min, max) of its span, so a vertex shared by two segments counts once where the outline passes
// through it and twice or not at all where it turns back, as the even-odd pairing needs.
bool CrossingOf(const CFileLine& segment, bool horizontal, double coordinate, double& crossing) {
    SDPoint a = RoundedPoint(segment.start), b = RoundedPoint(segment.end);
    if (!horizontal) {
        std::swap(a.x, a.y);
        std::swap(b.x, b.y);
    }
    if (coordinate < std::min(a.y, b.y) || coordinate >= std::max(a.y, b.y)) {
        return false;
    }
    crossing = a.x + (b.x - a.x) * (coordinate - a.y) / (b.y - a.y);
    return true;
}

bool SpansCoordinate(const LgpBox& box, bool horizontal, double coordinate) {
    return horizontal ? box.bottom <= coordinate && coordinate <= box.top
                      : box.left <= coordinate && coordinate <= box.right;
}

}  // namespace

void CLgpPlate::Generate(const LgpDotPara& parameters, const LgpShapePara& shape) {
    ResetDots();
    // The outlines come first so that the light sources measure the dot area this generation uses.
    ApplyOutline(shape);
    SetDotPara(parameters);
    switch (dotPara.dotMode) {
        case kGrid:
            GenerateGrid();
            break;
        case kCrossLine:
            GenerateRows(kCrossLine);
            break;
        default:
            GenerateRows(dotPara.dotMode);
            break;
    }
}

void CLgpPlate::SetDotPara(const LgpDotPara& parameters) {
    dotPara = parameters;
    // Without a positive minimum spacing the row and column loops would not advance.
    if (!(dotPara.minSpacing > 0)) {
        dotPara.minSpacing = LgpDotPara{}.minSpacing;
    }
    if (!dotPara.AnyLightSource()) {
        return;
    }
    const double width = extent.Width(), height = extent.Height();
    if (dotPara.lightLeft != 0 || dotPara.lightRight != 0) {
        const bool both = dotPara.lightLeft != 0 && dotPara.lightRight != 0;
        dotPara.baselineX = both ? 0.0 : (dotPara.lightLeft != 0 ? width / 2 : -width / 2);
    } else {
        dotPara.widthGradients.leftColumns = dotPara.widthGradients.rightColumns = 0.0;
        dotPara.heightGradients.leftColumns = dotPara.heightGradients.rightColumns = 0.0;
        dotPara.leftColumns.gradient = dotPara.rightColumns.gradient = 0.0;
    }
    if (dotPara.lightUp != 0 || dotPara.lightDown != 0) {
        const bool both = dotPara.lightUp != 0 && dotPara.lightDown != 0;
        dotPara.baselineY = both ? 0.0 : (dotPara.lightUp != 0 ? -height / 2 : height / 2);
    } else {
        dotPara.widthGradients.upperRows = dotPara.widthGradients.lowerRows = 0.0;
        dotPara.heightGradients.upperRows = dotPara.heightGradients.lowerRows = 0.0;
        dotPara.upperRows.gradient = dotPara.lowerRows.gradient = 0.0;
    }
}

int CLgpPlate::CrossOutline(bool horizontal, bool ascending, double coordinate,
                            std::vector<LgpInterval>& intervals) const {
    intervals.clear();
    coordinate = RoundCoord(coordinate);
    if (dotAreaOutlines.empty() || !SpansCoordinate(extent, horizontal, coordinate)) {
        return 0;
    }
    std::vector<double> crossings;
    for (const auto& outline : dotAreaOutlines) {
        if (outline->closed == 0 || !SpansCoordinate(outline->bounds, horizontal, coordinate)) {
            continue;
        }
        for (auto* node = outline->segments.head->next; node != outline->segments.head; node = node->next) {
            double crossing = 0.0;
            if (CrossingOf(node->value, horizontal, coordinate, crossing)) {
                crossings.push_back(crossing);
            }
        }
    }
    if (ascending) {
        std::stable_sort(crossings.begin(), crossings.end());
    } else {
        std::stable_sort(crossings.begin(), crossings.end(), std::greater<>());
    }
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        intervals.push_back({crossings[i], crossings[i + 1]});
    }
    return intervals.empty() ? 0 : 1;
}

int CLgpPlate::DotFits(const LgpDot& dot, const std::vector<LgpInterval>& intervals) const {
    if (dot.kind > kCrossLine) {
        return 0;
    }
    const LgpBox box = dot.Extent();
    if (box.right < extent.left - kPlateTolerance || box.left > extent.right + kPlateTolerance ||
        box.top < extent.bottom - kPlateTolerance || box.bottom > extent.top + kPlateTolerance) {
        return 0;
    }
    if (intervals.empty() || box.right < intervals.front().start || box.left > intervals.back().end) {
        return 0;
    }
    return std::any_of(intervals.begin(), intervals.end(),
                       [&box](const LgpInterval& interval) {
                           return interval.start <= box.left && interval.end >= box.right;
                       })
               ? 1
               : 0;
}

// One column of dots: its centre, the spacing that led to it, its index counted outward from the
// baseline, whether its dots are raised by half a row, and what its dots grow by per column.
struct CLgpPlate::PatternColumn {
    double x = 0.0;
    double spacing = 0.0;
    int index = 0;
    bool raised = false;
    double widthGradient = 0.0;
    double heightGradient = 0.0;
};

std::vector<CLgpPlate::PatternColumn> CLgpPlate::PatternColumns() const {
    const bool columnStagger = dotPara.columnStagger != 0;
    const LgpGradients& widths = dotPara.widthGradients;
    const LgpGradients& heights = dotPara.heightGradients;
    std::vector<PatternColumn> columns;
    const double centreX = (extent.left + extent.right) / 2;
    double spacing = dotPara.leftColumns.start;
    double x = centreX + dotPara.baselineX - spacing / 2;
    for (int column = 0; x > extent.left; ++column) {
        columns.push_back(
            {x, spacing, column, columnStagger && column % 2 == 1, widths.leftColumns, heights.leftColumns});
        spacing = NextSpacing(spacing, dotPara.leftColumns.gradient, dotPara.minSpacing);
        x -= spacing;
    }
    spacing = dotPara.rightColumns.start;
    x = (extent.left + extent.right + spacing) / 2 + dotPara.baselineX;
    for (int column = 0; x < extent.right; ++column) {
        // Even right columns are raised, so the alternation runs on across the baseline.
        columns.push_back({x, spacing, column, columnStagger && column % 2 == 0, widths.rightColumns,
                           heights.rightColumns});
        spacing = NextSpacing(spacing, dotPara.rightColumns.gradient, dotPara.minSpacing);
        x += spacing;
    }
    return columns;
}

void CLgpPlate::GenerateRows(std::uint16_t kind) {
    const std::vector<PatternColumn> columns = PatternColumns();
    const double centreY = (extent.bottom + extent.top) / 2;
    const double minSpacing = dotPara.minSpacing;
    double spacing = dotPara.lowerRows.start;
    double y = centreY + dotPara.baselineY - spacing / 2;
    for (int row = 0; y >= extent.bottom; ++row) {
        GenerateRow(kind, y, row, spacing, true, columns);
        spacing = NextSpacing(spacing, dotPara.lowerRows.gradient, minSpacing);
        y -= spacing;
    }
    spacing = dotPara.upperRows.start;
    y = centreY + dotPara.baselineY + spacing / 2;
    for (int row = 0; y <= extent.top; ++row) {
        GenerateRow(kind, y, row, spacing, false, columns);
        spacing = NextSpacing(spacing, dotPara.upperRows.gradient, minSpacing);
        y += spacing;
    }
}

void CLgpPlate::GenerateRow(std::uint16_t kind, double y, int rowIndex, double rowSpacing, bool lower,
                            const std::vector<PatternColumn>& columns) {
    std::vector<LgpInterval> plainIntervals, raisedIntervals;
    CrossOutline(true, true, y, plainIntervals);
    const bool columnStagger = dotPara.columnStagger != 0;
    if (columnStagger) {
        CrossOutline(true, true, y + rowSpacing / 2, raisedIntervals);
    }
    const LgpGradients& widths = dotPara.widthGradients;
    const LgpGradients& heights = dotPara.heightGradients;
    const double widthRowTerm = rowIndex * (lower ? widths.lowerRows : widths.upperRows);
    const double heightRowTerm = rowIndex * (lower ? heights.lowerRows : heights.upperRows);
    // Staggered and plain rows alternate across the baseline: lower rows 1, 3, 5 … and upper rows
    // 0, 2, 4 … are shifted.
    const bool rowShifted = dotPara.rowStagger != 0 && rowIndex % 2 == (lower ? 1 : 0);

    // Room for a whole row up front: a row grown dot by dot would touch several times its memory.
    LgpDotRow plain, raised;
    plain.dots = TakeDotStorage();
    plain.dots.reserve(columns.size());
    if (columnStagger) {
        raised.dots = TakeDotStorage();
        raised.dots.reserve(columns.size());
    }
    for (const PatternColumn& column : columns) {
        LgpDot dot;
        dot.kind = kind;
        dot.x = rowShifted ? column.x - column.spacing / 2 : column.x;
        dot.y = column.raised ? y + rowSpacing / 2 : y;
        dot.w = std::max(dotPara.dotWidth + column.index * column.widthGradient + widthRowTerm,
                         dotPara.minDotSize);
        dot.h = std::max(dotPara.dotHeight + column.index * column.heightGradient + heightRowTerm,
                         dotPara.minDotSize);
        if (DotFits(dot, column.raised ? raisedIntervals : plainIntervals) != 0) {
            (column.raised ? raised : plain).dots.push_back(dot);
        }
    }

    // Lower rows go to the front and upper rows to the back, so the list runs from the lowest row up;
    // a raised record lies above its plain one.
    std::vector<LgpDotRow*> made;
    for (LgpDotRow* row : {&plain, &raised}) {
        if (row->dots.empty()) {
            KeepDotStorage(std::move(row->dots));
        } else {
            row->CalcBounds();
            made.push_back(row);
        }
    }
    if (lower) {
        for (auto it = made.rbegin(); it != made.rend(); ++it) {
            dotRows.push_front(std::move(**it));
        }
    } else {
        for (LgpDotRow* row : made) {
            dotRows.push_back(std::move(*row));
        }
    }
}

void CLgpPlate::GenerateGrid() {
    if (dotPara.rowStagger != 0) {
        GenerateGridLines(true);
    }
    if (dotPara.columnStagger != 0) {
        GenerateGridLines(false);
    }
}

// Rows (horizontal) or columns of full-length lines at the row or column positions, with successive
// lines running in alternating directions.
void CLgpPlate::GenerateGridLines(bool horizontal) {
    const double low = horizontal ? extent.bottom : extent.left;
    const double high = horizontal ? extent.top : extent.right;
    const double baseline = horizontal ? dotPara.baselineY : dotPara.baselineX;
    const LgpSpacing& before = horizontal ? dotPara.lowerRows : dotPara.leftColumns;
    const LgpSpacing& after = horizontal ? dotPara.upperRows : dotPara.rightColumns;

    bool ascending = true;
    double spacing = before.start;
    for (double at = (low + high) / 2 + baseline - spacing / 2; at >= low;) {
        AddGridLines(horizontal, ascending, at);
        spacing = NextSpacing(spacing, before.gradient, dotPara.minSpacing);
        at -= spacing;
    }
    ascending = false;
    spacing = after.start;
    for (double at = (low + high + spacing) / 2 + baseline; at <= high;) {
        AddGridLines(horizontal, ascending, at);
        spacing = NextSpacing(spacing, after.gradient, dotPara.minSpacing);
        at += spacing;
    }
}

void CLgpPlate::AddGridLines(bool horizontal, bool& ascending, double coordinate) {
    std::vector<LgpInterval> intervals;
    CrossOutline(horizontal, ascending, coordinate, intervals);
    const double low = horizontal ? extent.left : extent.bottom;
    const double high = horizontal ? extent.right : extent.top;
    bool made = false;
    for (const LgpInterval& interval : intervals) {
        const double first = std::min(interval.start, interval.end), last = std::max(interval.start, interval.end);
        if (last < low - kPlateTolerance || first > high + kPlateTolerance) {
            continue;
        }
        const double from = std::clamp(interval.start, low, high), to = std::clamp(interval.end, low, high);
        LgpDot line;
        line.kind = kGrid;
        if (horizontal) {
            line.x = from, line.y = coordinate, line.w = to, line.h = coordinate;
        } else {
            line.x = coordinate, line.y = from, line.w = coordinate, line.h = to;
        }
        LgpDotRow row;
        row.dots = TakeDotStorage();
        row.dots.push_back(line);
        row.CalcBounds();
        dotRows.push_back(std::move(row));
        made = true;
    }
    if (made) {
        ascending = !ascending;
    }
}

}  // namespace dotplate
