// The design handed back to the drawing: one curve per dot or line, in cutting order, then the plate
// outlines, written to the hand-back file through the file library.
#include <cstdio>
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

std::unique_ptr<CLgpCurve> LineCurve(SDPoint from, SDPoint to, std::uint32_t colour) {
    auto curve = std::make_unique<CLgpCurve>();
    CFileLine line;
    line.start = from;
    line.end = to;
    curve->AddSegment(line);
    curve->colour = colour;
    curve->CalcBounds();
    return curve;
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

bool WriteCurves(std::FILE* file, const LgpCurveList& curves, const std::uint32_t* forcedColour) {
    const std::uint32_t count = static_cast<std::uint32_t>(curves.size());
    bool ok = _file_ZintData_Save(file, &count, sizeof count) == 0;
    for (const auto& curve : curves) {
        if (forcedColour != nullptr) {
            curve->colour = *forcedColour;
        }
        ok = ok && _file_ZintData_SaveCurve(file, &curve->segments, curve->colour) == 0;
    }
    return ok;
}

}  // namespace

std::unique_ptr<CLgpCurve> CLgpPlate::MakeEllipseDotCurve(const LgpDot& dot) {
    SDPoint points[13] = {};
    _math_elli2bezier(dot.x - dot.w / 2, dot.y - dot.h / 2, dot.x + dot.w / 2, dot.y + dot.h / 2, points);
    auto curve = std::make_unique<CLgpCurve>();
    for (int quarter = 0; quarter < 4; ++quarter) {
        const SDPoint* p = points + 3 * quarter;
        CFileLine bezier;
        bezier.type = CFileLine::kBezier;
        bezier.start = p[0];
        bezier.ctrl1 = p[1];
        bezier.ctrl2 = p[2];
        bezier.end = p[3];
        curve->AddSegment(bezier);
    }
    curve->closed = 1;
    curve->colour = kDotColour;
    return curve;
}

std::unique_ptr<CLgpCurve> CLgpPlate::MakeRectDotCurve(const LgpDot& dot) {
    const double left = dot.x - dot.w / 2, right = dot.x + dot.w / 2;
    const double bottom = dot.y - dot.h / 2, top = dot.y + dot.h / 2;
    const SDPoint corners[] = {{left, bottom}, {right, bottom}, {right, top}, {left, top}};
    auto curve = std::make_unique<CLgpCurve>();
    for (int i = 0; i < 4; ++i) {
        CFileLine line;
        line.start = corners[i];
        line.end = corners[(i + 1) % 4];
        curve->AddSegment(line);
    }
    curve->closed = 1;
    curve->colour = kDotColour;
    return curve;
}

// Dots row by row, the walking direction flipping after every row: the first row from its last dot.
void CLgpPlate::AppendDotCurves(LgpCurveList& curves, std::unique_ptr<CLgpCurve> (*make)(const LgpDot&)) const {
    bool forward = false;
    for (const LgpDotRow* row : RowsWithDots(dotRows)) {
        auto add = [&](const LgpDot& dot) {
            auto curve = make(dot);
            curve->CalcBounds();
            curves.push_back(std::move(curve));
        };
        if (forward) {
            std::for_each(row->dots.begin(), row->dots.end(), add);
        } else {
            std::for_each(row->dots.rbegin(), row->dots.rend(), add);
        }
        forward = !forward;
    }
}

// Horizontal lines row by row, or vertical lines column by column, each line running against the
// one before it so that the head never travels back across the plate.
void CLgpPlate::AppendLineCurves(LgpCurveList& curves, bool horizontal) const {
    bool forward = true;
    auto walk = [&](const std::vector<LgpDot>& dots) {
        auto add = [&](const LgpDot& dot) {
            if (horizontal) {
                const SDPoint low{dot.x - dot.w / 2, dot.y}, high{dot.x + dot.w / 2, dot.y};
                curves.push_back(forward ? LineCurve(low, high, kDotColour) : LineCurve(high, low, kDotColour));
            } else {
                const SDPoint low{dot.x, dot.y - dot.h / 2}, high{dot.x, dot.y + dot.h / 2};
                curves.push_back(forward ? LineCurve(low, high, kVerticalColour) : LineCurve(high, low, kVerticalColour));
            }
        };
        if (forward) {
            std::for_each(dots.begin(), dots.end(), add);
        } else {
            std::for_each(dots.rbegin(), dots.rend(), add);
        }
        forward = !forward;
    };
    if (horizontal) {
        for (const LgpDotRow* row : RowsWithDots(dotRows)) {
            walk(row->dots);
        }
    } else {
        for (const auto& column : DotColumns(dotRows)) {
            walk(column);
        }
    }
}

void CLgpPlate::AppendGridCurves(LgpCurveList& curves) const {
    for (const LgpDotRow& row : dotRows) {
        for (const LgpDot& line : row.dots) {
            curves.push_back(LineCurve({line.x, line.y}, {line.w, line.h}, line.x == line.w ? kVerticalColour : kDotColour));
        }
    }
}

int CLgpPlate::BuildExportCurves(LgpCurveList& curves) const {
    switch (dotPara.dotMode) {
        case kHorizontalLine:
            AppendLineCurves(curves, true);
            break;
        case kVerticalLine:
            AppendLineCurves(curves, false);
            break;
        case kEllipse:
            AppendDotCurves(curves, &CLgpPlate::MakeEllipseDotCurve);
            break;
        case kRectangle:
            AppendDotCurves(curves, &CLgpPlate::MakeRectDotCurve);
            break;
        case kGrid:
            AppendGridCurves(curves);
            break;
        case kCrossLine:
            AppendLineCurves(curves, true);
            AppendLineCurves(curves, false);
            break;
        default:
            break;
    }
    return 1;
}

int CLgpPlate::ExportDesign(const std::filesystem::path& file, const LgpShapePara& shape, std::uint16_t languageIndex,
                            platform::MessageSink& messages) {
    LgpCurveList curves;
    BuildExportCurves(curves);
    if (curves.empty()) {
        return 0;
    }
    // Streamed into a temporary file beside the target, which replaces it only once written whole.
    platform::AtomicFileStream stream(file);
    const LgpCurveList& outlines = shape.applyToOutline != 0 ? edgeOutlines : plateOutlines;
    std::FILE* out = stream.File();
    const bool written = out != nullptr && _file_ZintData_Start(out) == 0 && WriteCurves(out, curves, nullptr) &&
                         WriteCurves(out, outlines, &kOutlineColour) && _file_ZintData_End(out) == 0 && stream.Commit();
    if (!written) {
        messages.ShowMessageBox(languageIndex == 0 ? "导出文件创建失败!" : "Failed to create exopt file!", "",
                                platform::kOk | platform::kIconError);
        return 0;
    }
    return 1;
}

}  // namespace dotplate
