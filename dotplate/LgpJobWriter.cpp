#include "LgpJobWriter.h"

#include <algorithm>
#include <cmath>

#include "MotionlinkJob.h"

namespace dotplate {

namespace {

constexpr double kCellMm = 0.01;
constexpr double kLowestSpeed = 0.01;
constexpr double kProgressAtStart = 0.1;
constexpr double kDotShareWithOutline = 0.8;

// Work mode codes of the dot layer: 1 dots and horizontal lines, 3 vertical lines, 0 mixed lines.
std::uint8_t DotWorkMode(std::uint16_t dotMode) {
    switch (dotMode) {
        case kVerticalLine:
            return 3;
        case kGrid:
        case kCrossLine:
            return 0;
        default:
            return 1;
    }
}

double SentSpeed(const LgpPassPara& pass) { return pass.speedDefault != 0 ? 0.0 : std::max(pass.speed, kLowestSpeed); }

// Rounded to the nearest whole, halves up, as the cell arithmetic has always counted.
std::int64_t RoundCells(double mm) { return static_cast<std::int64_t>(std::trunc(mm * 100.0 + 0.5)); }

// Marks the cells from..to, clamped into the array, and widens the marked range.
void MarkCells(std::vector<std::uint8_t>& cells, std::int64_t from, std::int64_t to, std::size_t& first,
               std::size_t& last) {
    const std::int64_t top = static_cast<std::int64_t>(cells.size()) - 1;
    from = std::clamp<std::int64_t>(from, 0, top);
    to = std::clamp<std::int64_t>(to, 0, top);
    if (from > to) {
        return;
    }
    std::fill(cells.begin() + from, cells.begin() + to + 1, 1);
    first = std::min(first, static_cast<std::size_t>(from));
    last = std::max(last, static_cast<std::size_t>(to));
}

bool Ok(std::uint16_t status) { return status == 0; }

bool WritePassPowers(const LgpPassPara& pass) {
    const double low = pass.powerDefault != 0 ? 0.0 : pass.minPower;
    const double high = pass.powerDefault != 0 ? 0.0 : pass.maxPower;
    return Ok(Zint_ExwSetMinPower(low, low, 0)) && Ok(Zint_ExwSetMaxPower(high, high, 0));
}

}  // namespace

bool LgpJobWriter::MoveTo(double x, double y) {
    const SDPoint at = job_.frame.ToJobCoord(x, y);
    return Ok(Zint_wMoveTo(&cellX_, &cellY_, at.x, at.y));
}

bool LgpJobWriter::LineTo(double x, double y) {
    const SDPoint at = job_.frame.ToJobCoord(x, y);
    return Ok(Zint_wLineTo(&cellX_, &cellY_, at.x, at.y));
}

void LgpJobWriter::ReportRow(double start, double range, std::size_t row) const {
    const std::size_t rows = std::max<std::size_t>(job_.plate->dotRows.size(), 1);
    progress_.store(start + range * static_cast<double>(row) / static_cast<double>(rows));
}

int LgpJobWriter::WriteLgpBlock(double start, double range) {
    cellX_ = cellY_ = 0;
    const bool outlineCut = job_.laser.outlineCut != 0;
    const double dotRange = outlineCut ? range * kDotShareWithOutline : range;
    if (!WriteDotLayerHead() || !EmitDots(start, dotRange)) {
        return 0;
    }
    progress_.store(start + dotRange);
    if (outlineCut && (!WriteOutlineLayerHead() || !EmitOutlineCut())) {
        return 0;
    }
    progress_.store(start + range);
    return Ok(Zint_wSetBlockEnd()) ? 1 : 0;
}

bool LgpJobWriter::WriteDotLayerHead() {
    const LgpLaserPara& laser = job_.laser;
    const std::uint16_t mode = job_.plate->dotPara.dotMode;
    // Only line patterns written as one layer of mixed strokes take the page's laser delays.
    const bool withDelays = mode == kGrid || mode == kCrossLine;
    return Ok(Zint_wSetWorkMode(DotWorkMode(mode))) && Ok(Zint_wSetLayerNum(1)) && Ok(Zint_wSetLayerDevice(0)) &&
           Ok(Zint_wSetLayerBlower(laser.dots.blower)) && Ok(Zint_wSetEngVel(SentSpeed(laser.dots))) &&
           Ok(Zint_wLaserOn2(withDelays ? laser.onDelayMs : 0.0)) &&
           Ok(Zint_wLaserOff2(withDelays ? laser.offDelayMs : 0.0)) && WritePassPowers(laser.dots);
}

bool LgpJobWriter::WriteOutlineLayerHead() {
    const LgpLaserPara& laser = job_.laser;
    const double speed = SentSpeed(laser.outline);
    return Ok(Zint_wSetWorkMode(6)) && Ok(Zint_wSetWorkMode(0)) && Ok(Zint_wSetLayerNum(2)) &&
           Ok(Zint_wSetLayerDevice(0)) && Ok(Zint_wSetLayerBlower(laser.outline.blower)) &&
           Ok(Zint_wSetEngVel(speed)) && Ok(Zint_wSetForceEngVel(speed)) &&
           Ok(Zint_wLaserOn2(laser.outlineOnDelayMs)) && Ok(Zint_wLaserOff2(laser.outlineOffDelayMs)) &&
           WritePassPowers(laser.outline);
}

bool LgpJobWriter::EmitDots(double start, double range) {
    switch (job_.plate->dotPara.dotMode) {
        case kHorizontalLine:
            return EmitHorizontalLines(false, start, range);
        case kVerticalLine:
            return EmitVerticalLines();
        case kEllipse:
            if (job_.laser.ellipseToDot != 0 && job_.laser.dotTimeMs > 1.0) {
                return EmitEllipseToDot(start, range);
            }
            return EmitScan(start, range);
        case kRectangle:
            return EmitScan(start, range);
        case kGrid:
            return EmitGrid();
        case kCrossLine:
            return EmitHorizontalLines(true, start, range);
        default:
            return true;
    }
}

bool LgpJobWriter::EmitHorizontalLines(bool withVerticals, double start, double range) {
    bool forward = true;
    std::size_t rowIndex = 0;
    for (const LgpDotRow& row : job_.plate->dotRows) {
        ReportRow(start, range, rowIndex++);
        if (row.dots.empty()) {
            continue;
        }
        auto stroke = [&](const LgpDot& dot) {
            const double left = dot.x - dot.w / 2, right = dot.x + dot.w / 2;
            if (!MoveTo(forward ? left : right, dot.y) || !LineTo(forward ? right : left, dot.y)) {
                return false;
            }
            return !withVerticals || (MoveTo(dot.x, dot.y - dot.h / 2) && LineTo(dot.x, dot.y + dot.h / 2));
        };
        const bool written = forward ? std::all_of(row.dots.begin(), row.dots.end(), stroke)
                                     : std::all_of(row.dots.rbegin(), row.dots.rend(), stroke);
        if (!written) {
            return false;
        }
        forward = !forward;
    }
    return true;
}

bool LgpJobWriter::EmitVerticalLines() {
    bool upward = true;
    for (std::span<const LgpDot> column : DotColumns(job_.plate->dotRows)) {
        auto stroke = [&](const LgpDot& dot) {
            const double low = dot.y - dot.h / 2, high = dot.y + dot.h / 2;
            return MoveTo(dot.x, upward ? low : high) && LineTo(dot.x, upward ? high : low);
        };
        const bool written = upward ? std::all_of(column.begin(), column.end(), stroke)
                                    : std::all_of(column.rbegin(), column.rend(), stroke);
        if (!written) {
            return false;
        }
        upward = !upward;
    }
    return true;
}

bool LgpJobWriter::EmitGrid() {
    for (const LgpDotRow& row : job_.plate->dotRows) {
        if (row.dots.empty()) {
            continue;
        }
        const LgpDot& line = row.dots.front();
        if (!MoveTo(line.x, line.y) || !LineTo(line.w, line.h)) {
            return false;
        }
    }
    return true;
}

bool LgpJobWriter::EmitRuns(const std::vector<std::uint8_t>& cells, std::size_t first, std::size_t last,
                            double spanStart, double y, bool forward) {
    const double halfReverse = LookupReverseInterval(job_.reverseIntervals, job_.laser.dots.speed) / 2;
    auto runFrom = [&](std::size_t a, std::size_t b) {
        const double low = spanStart + static_cast<double>(a) * kCellMm;
        const double high = spanStart + static_cast<double>(b + 1) * kCellMm;
        return forward ? MoveTo(low + halfReverse, y) && LineTo(high + halfReverse, y)
                       : MoveTo(high - halfReverse, y) && LineTo(low - halfReverse, y);
    };
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t i = first; i <= last; ++i) {
        if (cells[i] == 0) {
            continue;
        }
        std::size_t end = i;
        while (end < last && cells[end + 1] != 0) {
            ++end;
        }
        runs.emplace_back(i, end);
        i = end;
    }
    if (!forward) {
        std::reverse(runs.begin(), runs.end());
    }
    return std::all_of(runs.begin(), runs.end(), [&](const auto& run) { return runFrom(run.first, run.second); });
}

bool LgpJobWriter::EmitEllipseToDot(double start, double range) {
    const double burn = job_.laser.dotTimeMs * job_.laser.dots.speed * 0.001;
    bool forward = true;
    std::size_t rowIndex = 0;
    for (const LgpDotRow& row : job_.plate->dotRows) {
        ReportRow(start, range, rowIndex++);
        if (row.dots.empty()) {
            continue;
        }
        double spanStart = row.dots.front().x - burn / 2, spanEnd = row.dots.front().x + burn / 2;
        for (const LgpDot& dot : row.dots) {
            spanStart = std::min(spanStart, dot.x - burn / 2);
            spanEnd = std::max(spanEnd, dot.x + burn / 2);
        }
        const std::int64_t cellCount = RoundCells(spanEnd - spanStart);
        if (cellCount > 0) {
            std::vector<std::uint8_t> cells(static_cast<std::size_t>(cellCount), 0);
            std::size_t first = cells.size(), last = 0;
            for (const LgpDot& dot : row.dots) {
                MarkCells(cells, RoundCells(dot.x - burn / 2 - spanStart), RoundCells(dot.x + burn / 2 - spanStart),
                          first, last);
            }
            if (first <= last && !EmitRuns(cells, first, last, spanStart, row.dots.front().y, forward)) {
                return false;
            }
        }
        forward = !forward;
    }
    return true;
}

// Each row is scanned in lines one scan step apart across its height; on each line every dot that
// the line meets contributes its chord, and the chords become strokes through the cell array, which
// covers the plate from its left edge.
bool LgpJobWriter::EmitScan(double start, double range) {
    progress_.store(start);
    const double step = 25.4 / job_.laser.scanPrecisionDpi;
    const double plateLeft = job_.frame.plate.left;
    const std::int64_t cellCount = RoundCells(std::fabs(job_.frame.plate.right - plateLeft));
    if (cellCount <= 0 || !(step > 0)) {
        return true;
    }
    std::vector<std::uint8_t> cells(static_cast<std::size_t>(cellCount), 0);
    const bool ellipse = job_.plate->dotPara.dotMode == kEllipse;
    bool forward = true;
    std::size_t rowIndex = 0;
    for (const LgpDotRow& row : job_.plate->dotRows) {
        ReportRow(start, range, rowIndex++);
        const double lower = row.bounds.bottom, upper = row.bounds.top;
        const auto half = static_cast<std::int64_t>(std::trunc(std::fabs(upper - lower) / 2 / step));
        for (std::int64_t k = 0; k <= 2 * half; ++k) {
            const double y = (lower + upper) / 2 + static_cast<double>(k - half) * step;
            std::size_t first = cells.size(), last = 0;
            for (const LgpDot& dot : row.dots) {
                const double halfHeight = dot.h / 2, offset = y - dot.y;
                if (std::fabs(offset) > halfHeight) {
                    continue;
                }
                const double halfWidth =
                    ellipse ? dot.w / 2 * std::sqrt(std::max(0.0, 1 - offset * offset / (halfHeight * halfHeight)))
                            : dot.w / 2;
                MarkCells(cells, RoundCells(dot.x - halfWidth - plateLeft), RoundCells(dot.x + halfWidth - plateLeft),
                          first, last);
            }
            if (first > last) {
                continue;
            }
            const bool written = EmitRuns(cells, first, last, plateLeft, y, forward);
            std::fill(cells.begin() + static_cast<std::ptrdiff_t>(first),
                      cells.begin() + static_cast<std::ptrdiff_t>(last) + 1, 0);
            if (!written) {
                return false;
            }
            forward = !forward;
        }
    }
    return true;
}

bool LgpJobWriter::EmitOutlineCut() {
    if (job_.outlines == nullptr) {
        return true;
    }
    for (const auto& outline : *job_.outlines) {
        bool first = true;
        for (auto* node = outline->segments.head->next; node != outline->segments.head; node = node->next) {
            if (first && !MoveTo(node->value.start.x, node->value.start.y)) {
                return false;
            }
            first = false;
            if (!LineTo(node->value.end.x, node->value.end.y)) {
                return false;
            }
        }
    }
    return true;
}

int WriteDotJob(const LgpDotJob& job, motionlink::JobSink* sink, std::atomic<double>& progress) {
    progress.store(kProgressAtStart);
    const LgpLaserPara& laser = job.laser;
    const LgpJobBox box = job.frame.JobBox();
    const LgpBox& plate = job.frame.plate;
    const bool header =
        Ok(Zint_StrtWFile(sink)) && Ok(Zint_wSetRefPointMode(static_cast<std::uint8_t>(laser.referencePointMode))) &&
        Ok(Zint_wStrtProcess()) && Ok(Zint_wSetFeedRepeat(0, 0.0)) && Ok(Zint_SetRotateRatio(0, 1.0)) &&
        Ok(Zint_wSetProcessTopLeft(box.left, box.top)) && Ok(Zint_wSetProcessBottomRight(box.right, box.bottom)) &&
        Ok(Zint_wSetProcessRepeat(std::max<std::uint32_t>(laser.arrayCountX, 1), std::max<std::uint32_t>(laser.arrayCountY, 1),
                                  std::fabs(plate.right - plate.left) + laser.arraySpaceX,
                                  std::fabs(plate.top - plate.bottom) + laser.arraySpaceY)) &&
        Ok(Zint_wArrayDir(1, 1));
    if (!header) {
        return 1;
    }
    LgpJobWriter writer(job, progress);
    if (writer.WriteLgpBlock(kProgressAtStart, 1.0 - kProgressAtStart) == 0) {
        return 1;
    }
    progress.store(1.0);
    return Ok(Zint_wSetFileEnd()) ? 0 : 1;
}

}  // namespace dotplate
