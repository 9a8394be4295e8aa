// A plate outline drawn elsewhere: the curves of an imported drawing joined into closed outlines, what
// stays open dropped, the result moved to the origin. The import is built apart from the plate, so
// that a drawing without a usable outline leaves the plate as it was.
#include "LgpImport.h"

#include <cmath>

#include "LgpPageRules.h"

namespace dotplate {

namespace {

constexpr double kImportTolerance = 0.1;

// A line from the curve's start to its end, for matching ends.
CFileLine EndsOf(const CLgpCurve& curve) {
    CFileLine ends;
    ends.start = curve.segments.head->next->value.start;
    ends.end = curve.segments.head->prev->value.end;
    return ends;
}

std::unique_ptr<CLgpCurve> CurveFromRecord(CFileCurve& record) {
    auto curve = std::make_unique<CLgpCurve>();
    curve->segments = std::move(record.segments);
    record.segments = CDbList<CFileLine>();
    curve->CalcBounds();
    return curve;
}

}  // namespace

void JoinCurves(CLgpCurve& a, CLgpCurve& b, int match) {
    const SDPoint aStart = a.segments.head->next->value.start;
    const SDPoint aEnd = a.segments.head->prev->value.end;
    CFileLine& bFirst = b.segments.head->next->value;
    CFileLine& bLast = b.segments.head->prev->value;
    switch (match) {
        case 1:
            bFirst.start = aStart;
            b.Reverse();
            a.TakeFront(b);
            break;
        case 2:
            bLast.end = aStart;
            a.TakeFront(b);
            break;
        case 3:
            bFirst.start = aEnd;
            a.TakeBack(b);
            break;
        case 4:
            bLast.end = aEnd;
            b.Reverse();
            a.TakeBack(b);
            break;
        default:
            break;
    }
}

void CLgpPlate::MakeImportOutline(double tolerance) {
    LgpCurveList joinedClosed;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < plateOutlines.size();) {
            CLgpCurve& a = *plateOutlines[i];
            if (a.closed != 0 || a.IsEmpty()) {
                ++i;
                continue;
            }
            for (std::size_t j = i + 1; j < plateOutlines.size() && a.closed == 0;) {
                CLgpCurve& b = *plateOutlines[j];
                const int match = b.closed != 0 || b.IsEmpty() ? 0 : MatchEnds(EndsOf(a), EndsOf(b), tolerance);
                if (match == 0) {
                    ++j;
                    continue;
                }
                JoinCurves(a, b, match);
                plateOutlines.erase(plateOutlines.begin() + static_cast<std::ptrdiff_t>(j));
                a.Close(tolerance, false);
            }
            if (a.closed != 0) {
                joinedClosed.push_back(std::move(plateOutlines[i]));
                plateOutlines.erase(plateOutlines.begin() + static_cast<std::ptrdiff_t>(i));
            } else {
                ++i;
            }
        }
    }
    for (auto& curve : joinedClosed) {
        plateOutlines.push_back(std::move(curve));
    }
}

void CLgpPlate::NormaliseImport() {
    LgpCurveList kept;
    for (auto& outline : plateOutlines) {
        outline->Close(kImportTolerance, false);
        if (outline->closed == 0) {
            continue;
        }
        outline->Flatten();
        outline->CalcBounds();
        kept.push_back(std::move(outline));
    }
    plateOutlines = std::move(kept);
    if (plateOutlines.empty()) {
        return;
    }
    CalcPlateExtent();
    const double dx = -extent.left, dy = -extent.bottom;
    for (auto& outline : plateOutlines) {
        outline->Move(dx, dy);
    }
    extent = {0.0, 0.0, extent.Width(), extent.Height()};
}

void CLgpPlate::RoundImport() {
    for (auto& outline : plateOutlines) {
        outline->RoundPoints();
        outline->CalcBounds();
    }
    extent = {RoundCoord(extent.left), RoundCoord(extent.bottom), RoundCoord(extent.right), RoundCoord(extent.top)};
}

int CLgpPlate::ImportOutline(std::vector<std::unique_ptr<CFileDraw>> records) {
    CLgpPlate aside;
    for (auto& record : records) {
        if (record != nullptr && record->type == CFileDraw::kCurve) {
            auto curve = CurveFromRecord(static_cast<CFileCurve&>(*record));
            if (!curve->IsEmpty()) {
                aside.plateOutlines.push_back(std::move(curve));
            }
        }
    }
    records.clear();
    if (aside.plateOutlines.empty()) {
        return 0;
    }
    aside.MakeImportOutline(kImportTolerance);
    aside.NormaliseImport();
    if (aside.plateOutlines.empty()) {
        return 0;
    }
    ClearAll();
    plateOutlines = std::move(aside.plateOutlines);
    CalcPlateExtent();
    ClassifyOutlines();
    RoundImport();
    return 1;
}

const char* ImportFailureMessage(std::uint16_t languageIndex) { return languageIndex == 0 ? "没有数据!" : "No data!"; }

}  // namespace dotplate
