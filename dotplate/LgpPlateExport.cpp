// The design handed back to the drawing: one curve per dot or line, in cutting order, then the plate
// outlines, written to the hand-back file through the file library.
#include <algorithm>
#include <array>
#include <cstdio>
#include <span>
#include <string>

#include "AtomicFileStream.h"
#include "Geomcore.h"
#include "LgpPlate.h"
#include "MessageSink.h"
#include "ZintDataFile.h"

namespace dotplate {

namespace {

constexpr std::uint32_t kDotColour = 0;             // dots and horizontal lines
constexpr std::uint32_t kVerticalColour = 255;      // vertical lines
constexpr std::uint32_t kOutlineColour = 0xFF0000;  // plate outlines

// Makes the curve's segments the given ones. A curve that already has as many keeps its nodes and
// takes the new values, so that a walk over many dots of one shape allocates nothing per dot.
void SetSegments(CLgpCurve& curve, std::span<const CFileLine> segments) {
    if (static_cast<std::size_t>(curve.segments.GetCount()) != segments.size()) {
        curve.segments.RemoveAll();
        for (const CFileLine& segment : segments) {
            curve.AddSegment(segment);
        }
        return;
    }
    auto* node = curve.segments.head->next;
    for (const CFileLine& segment : segments) {
        node->value = segment;
        node = node->next;
    }
}

// Makes the scratch curve the line, keeping its storage between curves.
const CLgpCurve& LineCurve(CLgpCurve& scratch, SDPoint from, SDPoint to, std::uint32_t colour) {
    CFileLine line;
    line.start = from;
    line.end = to;
    SetSegments(scratch, {&line, 1});
    scratch.colour = colour;
    scratch.closed = 0;
    return scratch;
}

// The rows that hold dots, in list order.
std::vector<const LgpDotRow*> RowsWithDots(const std::deque<LgpDotRow>& rows) {
    std::vector<const LgpDotRow*> withDots;
    for (const LgpDotRow& row : rows) {
        if (!row.dots.empty()) {
            withDots.push_back(&row);
        }
    }
    return withDots;
}

bool WriteCurve(std::FILE* file, const CLgpCurve& curve, std::uint32_t colour) {
    return _file_ZintData_SaveCurve(file, const_cast<CDbList<CFileLine>*>(&curve.segments), colour) == 0;
}

bool WriteCount(std::FILE* file, std::size_t count) {
    const std::uint32_t stored = static_cast<std::uint32_t>(count);
    return _file_ZintData_Save(file, &stored, sizeof stored) == 0;
}

}  // namespace

void CLgpPlate::FillEllipseDotCurve(const LgpDot& dot, CLgpCurve& curve) {
    SDPoint points[13] = {};
    _math_elli2bezier(dot.x - dot.w / 2, dot.y - dot.h / 2, dot.x + dot.w / 2, dot.y + dot.h / 2, points);
    std::array<CFileLine, 4> quarters;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const SDPoint* p = points + 3 * quarter;
        CFileLine& bezier = quarters[quarter];
        bezier.type = CFileLine::kBezier;
        bezier.start = p[0];
        bezier.ctrl1 = p[1];
        bezier.ctrl2 = p[2];
        bezier.end = p[3];
    }
    SetSegments(curve, quarters);
    curve.closed = 1;
    curve.colour = kDotColour;
}

void CLgpPlate::FillRectDotCurve(const LgpDot& dot, CLgpCurve& curve) {
    const double left = dot.x - dot.w / 2, right = dot.x + dot.w / 2;
    const double bottom = dot.y - dot.h / 2, top = dot.y + dot.h / 2;
    const SDPoint corners[] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    std::array<CFileLine, 4> sides;
    for (int i = 0; i < 4; ++i) {
        sides[i].start = corners[i];
        sides[i].end = corners[(i + 1) % 4];
    }
    SetSegments(curve, sides);
    curve.closed = 1;
    curve.colour = kDotColour;
}

std::unique_ptr<CLgpCurve> CLgpPlate::MakeEllipseDotCurve(const LgpDot& dot) {
    auto curve = std::make_unique<CLgpCurve>();
    FillEllipseDotCurve(dot, *curve);
    return curve;
}

// Dots row by row, the walking direction flipping after every row: the first row from its last dot.
bool CLgpPlate::VisitDotCurves(const LgpCurveVisitor& visit, void (*fill)(const LgpDot&, CLgpCurve&)) const {
    CLgpCurve scratch;
    bool forward = false;
    for (const LgpDotRow* row : RowsWithDots(dotRows)) {
        auto each = [&](const LgpDot& dot) {
            fill(dot, scratch);
            return visit(scratch);
        };
        const bool all = forward ? std::all_of(row->dots.begin(), row->dots.end(), each)
                                 : std::all_of(row->dots.rbegin(), row->dots.rend(), each);
        if (!all) {
            return false;
        }
        forward = !forward;
    }
    return true;
}

// Horizontal lines row by row, or vertical lines column by column, each line running against the
// one before it so that the head never travels back across the plate.
bool CLgpPlate::VisitLineCurves(const LgpCurveVisitor& visit, bool horizontal) const {
    CLgpCurve scratch;
    bool forward = true;
    auto walk = [&](std::span<const LgpDot> dots) {
        auto each = [&](const LgpDot& dot) {
            if (horizontal) {
                const SDPoint low{dot.x - dot.w / 2, dot.y}, high{dot.x + dot.w / 2, dot.y};
                return visit(forward ? LineCurve(scratch, low, high, kDotColour) : LineCurve(scratch, high, low, kDotColour));
            }
            const SDPoint low{dot.x, dot.y - dot.h / 2}, high{dot.x, dot.y + dot.h / 2};
            return visit(forward ? LineCurve(scratch, low, high, kVerticalColour)
                                 : LineCurve(scratch, high, low, kVerticalColour));
        };
        const bool all = forward ? std::all_of(dots.begin(), dots.end(), each)
                                 : std::all_of(dots.rbegin(), dots.rend(), each);
        forward = !forward;
        return all;
    };
    if (horizontal) {
        const auto rows = RowsWithDots(dotRows);
        return std::all_of(rows.begin(), rows.end(), [&](const LgpDotRow* row) { return walk(row->dots); });
    }
    const auto columns = DotColumns(dotRows);
    return std::all_of(columns.begin(), columns.end(), walk);
}

bool CLgpPlate::VisitGridCurves(const LgpCurveVisitor& visit) const {
    CLgpCurve scratch;
    for (const LgpDotRow& row : dotRows) {
        for (const LgpDot& line : row.dots) {
            if (!visit(LineCurve(scratch, {line.x, line.y}, {line.w, line.h},
                                 line.x == line.w ? kVerticalColour : kDotColour))) {
                return false;
            }
        }
    }
    return true;
}

bool CLgpPlate::VisitExportCurves(const LgpCurveVisitor& visit) const {
    switch (dotPara.dotMode) {
        case kHorizontalLine:
            return VisitLineCurves(visit, true);
        case kVerticalLine:
            return VisitLineCurves(visit, false);
        case kEllipse:
            return VisitDotCurves(visit, &CLgpPlate::FillEllipseDotCurve);
        case kRectangle:
            return VisitDotCurves(visit, &CLgpPlate::FillRectDotCurve);
        case kGrid:
            return VisitGridCurves(visit);
        case kCrossLine:
            return VisitLineCurves(visit, true) && VisitLineCurves(visit, false);
        default:
            return true;
    }
}

std::size_t CLgpPlate::ExportCurveCount() const {
    std::size_t dots = 0;
    for (const LgpDotRow& row : dotRows) {
        dots += row.dots.size();
    }
    switch (dotPara.dotMode) {
        case kCrossLine:
            return 2 * dots;
        case kHorizontalLine:
        case kVerticalLine:
        case kEllipse:
        case kRectangle:
        case kGrid:
            return dots;
        default:
            return 0;
    }
}

int CLgpPlate::BuildExportCurves(LgpCurveList& curves) const {
    VisitExportCurves([&curves](const CLgpCurve& curve) {
        curves.push_back(std::make_unique<CLgpCurve>(curve));
        curves.back()->CalcBounds();
        return true;
    });
    return 1;
}

int CLgpPlate::ExportDesign(const std::filesystem::path& file, const LgpShapePara& shape, std::uint16_t languageIndex,
                            platform::MessageSink& messages) {
    const std::size_t count = ExportCurveCount();
    if (count == 0) {
        return 0;
    }
    // Each curve goes straight into a temporary file beside the target, which replaces the target
    // only once written whole: neither the curves nor the file are ever held in memory.
    platform::AtomicFileStream stream(file);
    std::FILE* out = stream.File();
    std::size_t written = 0;
    auto writeDot = [out, &written](const CLgpCurve& curve) {
        ++written;
        return WriteCurve(out, curve, curve.colour);
    };
    LgpCurveList& outlines = shape.applyToOutline != 0 ? edgeOutlines : plateOutlines;
    bool ok = out != nullptr && _file_ZintData_Start(out) == 0 && WriteCount(out, count) &&
              VisitExportCurves(writeDot) && written == count && WriteCount(out, outlines.size());
    for (std::size_t i = 0; ok && i < outlines.size(); ++i) {
        outlines[i]->colour = kOutlineColour;  // the outlines keep the colour they are handed back in
        ok = WriteCurve(out, *outlines[i], kOutlineColour);
    }
    ok = ok && _file_ZintData_End(out) == 0 && stream.Commit();
    if (!ok) {
        messages.ShowMessageBox(languageIndex == 0 ? "导出文件创建失败!" : "Failed to create exopt file!", "",
                                platform::kOk | platform::kIconError);
        return 0;
    }
    return 1;
}

}  // namespace dotplate
