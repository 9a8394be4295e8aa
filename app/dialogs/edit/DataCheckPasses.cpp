#include "DataCheckPasses.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "CadCurve.h"
#include "CadMgr.h"
#include "LanguageTexts.h"
#include "NearBoxPairs.h"

namespace dialogs::edit {
namespace {

constexpr double kCrossBoxGap = 0.001;  // mm; boxes further apart than this cannot cross
constexpr double kZeroLength = 0.001;   // mm on both axes

std::string Text(const char* key) {
    return GetLangText("DataCheck", key);
}

CCadCurve* AsCurve(CCadElement* element) {
    return element != nullptr && element->typeCode == kCurveElement ? static_cast<CCadCurve*>(element) : nullptr;
}

CFileLine::Box BoxOf(const CCadRect& rect) {
    return {std::min(rect.x1, rect.x2), std::min(rect.y1, rect.y2), std::max(rect.x1, rect.x2),
            std::max(rect.y1, rect.y2)};
}

// A straight segment's box is that of its ends; a Bezier's holds its sample polyline.
CFileLine::Box SegmentBox(const CFileLine& segment) {
    return segment.IsBezier() ? segment.GetBox() : CFileLine::Box::Of(segment.start, segment.end);
}

// The element boxes of the curves, for the pair screening; a non-curve gets a box that meets nothing
// near the curves (it is never compared).
std::vector<CFileLine::Box> CurveBoxes(const std::vector<CCadElement*>& selection) {
    std::vector<CFileLine::Box> boxes;
    boxes.reserve(selection.size());
    for (CCadElement* element : selection) {
        boxes.push_back(AsCurve(element) != nullptr ? BoxOf(element->rect) : CFileLine::Box{});
    }
    return boxes;
}

std::string WithPercent(const std::string& text, double percent) {
    char digits[32];
    const auto written = std::to_chars(digits, digits + sizeof digits, percent, std::chars_format::fixed, 1);
    return text + "  " + std::string(digits, written.ptr) + "%";
}

// Drops the zero-length segments; true when one went. The cursor is left on the sentinel, never on a
// freed node.
bool DropZeroLengthSegments(CDbList<CFileLine>& path) {
    bool dropped = false;
    path.cursor = path.head->next;
    while (path.cursor != path.head) {
        if (path.cursor->value.IsShort(kZeroLength) != 0) {
            path.RemoveCurrent();
            dropped = true;
        } else {
            path.cursor = path.cursor->next;
        }
    }
    path.cursor = path.head;
    return dropped;
}

}  // namespace

void DataCheckResults::AddUniqueResult(CCadElement* element) {
    if (listed_.insert(element).second) {
        elements_.push_back(element);
    }
}

DataCheckPasses::Progress::Progress(DataCheckReport& report, std::string startText, double stepPercent)
    : report_(report),
      startText_(std::move(startText)),
      stepPercent_(stepPercent),
      line_(report.AddLine(startText_, kReportGreen)) {}

void DataCheckPasses::Progress::Advance() {
    percent_ = std::min(percent_ + stepPercent_, 100.0);
    report_.ReplaceLine(line_, WithPercent(startText_, percent_), kReportGreen);
}

void DataCheckPasses::Progress::Finish(const std::string& endText) {
    report_.ReplaceLine(line_, endText, kReportGreen);
}

DataCheckPasses::DataCheckPasses(DataCheckReport& report, const DataCheckSettings& options, Pump pump)
    : report_(report), options_(options), pump_(std::move(pump)), lastPump_(std::chrono::steady_clock::now()) {}

void DataCheckPasses::PumpNow() {
    if (pump_) {
        lastPump_ = std::chrono::steady_clock::now();
        pump_();
    }
}

void DataCheckPasses::MaybePump() {
    // Reading the clock on every pair would cost more than the pair test itself.
    constexpr unsigned kCallsPerClockRead = 256;
    if (!pump_ || ++pumpCalls_ % kCallsPerClockRead != 0) {
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - lastPump_ >= kPumpInterval) {
        lastPump_ = now;
        pump_();
    }
}

void DataCheckPasses::AddCount(const char* key, long count, std::uint32_t colour) {
    report_.AddLine(Text(key) + std::to_string(count), colour);
}

void DataCheckPasses::Summary(long found, const char* noneKey, const char* foundKey) {
    if (found == 0) {
        report_.AddLine(Text(noneKey), kReportGreen);
    } else {
        AddCount(foundKey, found, kReportRed);
    }
}

void DataCheckPasses::CheckClosure(const std::vector<CCadElement*>& selection, DataCheckResults& results) {
    if (selection.empty()) {
        return;
    }
    Progress progress(report_, Text("1"), 100.0 / static_cast<double>(selection.size()));
    PumpNow();  // the start line shows at once
    long unclosed = 0, autoClosed = 0;
    for (CCadElement* element : selection) {
        MaybePump();
        progress.Advance();
        CCadCurve* curve = AsCurve(element);
        if (curve == nullptr) {
            continue;
        }
        const std::int32_t wasClosed = curve->closed;
        const bool closed = curve->CheckClosed() != 0;
        changedDrawing_ = changedDrawing_ || curve->closed != wasClosed;
        if (closed) {
            continue;
        }
        ++unclosed;
        if (options_.autoClose != 0) {
            curve->AutoClose(options_.closeError, 0);
            if (curve->CheckClosed() != 0) {
                ++autoClosed;
                changedDrawing_ = true;
                continue;
            }
        }
        results.AddUniqueResult(curve);
    }
    progress.Finish(Text("2"));
    Summary(unclosed, "3", "4");
    if (options_.autoClose != 0) {
        AddCount("5", autoClosed, kReportOlive);
    }
}

void DataCheckPasses::CheckSelfCross(const std::vector<CCadElement*>& selection, DataCheckResults& results) {
    if (selection.empty()) {
        return;
    }
    Progress progress(report_, Text("6"), 100.0 / static_cast<double>(selection.size()));
    PumpNow();  // the start line shows at once
    long found = 0;
    for (CCadElement* element : selection) {
        MaybePump();
        progress.Advance();
        CCadCurve* curve = AsCurve(element);
        if (curve != nullptr && curve->IsSelfCross() != 0) {
            ++found;
            results.AddUniqueResult(curve);
        }
    }
    progress.Finish(Text("7"));
    Summary(found, "8", "9");
    if (options_.autoOpenSelfCross != 0) {
        AddCount("A", 0, kReportOlive);  // opening self-crossing curves is not offered yet
    }
}

void DataCheckPasses::CheckCross(const std::vector<CCadElement*>& selection, DataCheckResults& results) {
    if (selection.empty()) {
        return;
    }
    Progress progress(report_, Text("B"), 100.0 / static_cast<double>(selection.size()));
    PumpNow();  // the start line shows at once
    const std::vector<std::vector<int>> partners = NearBoxPairs(CurveBoxes(selection), kCrossBoxGap);
    long found = 0;
    for (std::size_t i = 0; i + 1 < selection.size(); ++i) {
        progress.Advance();
        CCadCurve* curve = AsCurve(selection[i]);
        if (curve == nullptr) {
            continue;
        }
        for (const int j : partners[i]) {
            MaybePump();
            CCadCurve* other = AsCurve(selection[j]);
            if (other != nullptr && CurvesCross(*curve, *other)) {
                ++found;
                results.AddUniqueResult(curve);
                results.AddUniqueResult(other);
                break;
            }
        }
    }
    progress.Finish(Text("C"));
    Summary(found, "D", "E");
    if (options_.autoCombineClosed != 0) {
        AddCount("F", 0, kReportOlive);  // combining crossing closed curves is not offered yet
    }
}

void DataCheckPasses::CheckOverlap(const std::vector<CCadElement*>& selection, DataCheckResults& results) {
    if (selection.empty()) {
        return;
    }
    const double tolerance = options_.overlapErrorOn != 0 ? options_.overlapError : kDefaultOverlapTolerance;
    Progress progress(report_, Text("G"), 100.0 / (2.0 * static_cast<double>(selection.size())));
    PumpNow();  // the start line shows at once
    long pairs = 0;
    for (CCadElement* element : selection) {
        progress.Advance();
        CCadCurve* curve = AsCurve(element);
        if (curve == nullptr) {
            continue;
        }
        const int segmentsBefore = curve->pathList.GetCount();
        if (CurveSelfOverlaps(*curve, tolerance, pairs)) {
            results.AddUniqueResult(curve);
        }
        changedDrawing_ = changedDrawing_ || curve->pathList.GetCount() != segmentsBefore;
    }
    const std::vector<std::vector<int>> partners = NearBoxPairs(CurveBoxes(selection), tolerance);
    for (std::size_t i = 0; i + 1 < selection.size(); ++i) {
        progress.Advance();
        CCadCurve* curve = AsCurve(selection[i]);
        if (curve == nullptr) {
            continue;
        }
        for (const int j : partners[i]) {
            MaybePump();
            CCadCurve* other = AsCurve(selection[j]);
            if (other != nullptr && CurvesOverlap(*curve, *other, tolerance, pairs)) {
                results.AddUniqueResult(curve);
                results.AddUniqueResult(other);
            }
        }
    }
    progress.Finish(Text("H"));
    Summary(pairs, "I", "J");
    if (options_.autoDeleteOverlap != 0) {
        AddCount("K", 0, kReportOlive);  // deleting is the "Delete overlap" command's work
    }
}

bool DataCheckPasses::CurveSelfOverlaps(CCadCurve& curve, double tolerance, long& counter) {
    CDbList<CFileLine>& path = curve.pathList;
    if (path.IsEmpty() != 0) {
        return false;
    }
    DropZeroLengthSegments(path);
    long found = 0;
    for (const auto* a = path.head->next; a != path.head; a = a->next) {
        for (const auto* b = a->next; b != path.head; b = b->next) {
            if (a->value.OverlapsSegment(b->value, tolerance)) {
                ++found;
            }
        }
    }
    counter += found;
    return found > 0;
}

bool DataCheckPasses::CurvesOverlap(const CCadCurve& a, const CCadCurve& b, double tolerance, long& counter) {
    if (a.pathList.IsEmpty() != 0 || b.pathList.IsEmpty() != 0 ||
        BoxOf(a.rect).IsApartFrom(BoxOf(b.rect), tolerance)) {
        return false;
    }
    long found = 0;
    for (const CFileLine& segment : a.pathList) {
        for (const CFileLine& other : b.pathList) {
            if (segment.OverlapsSegment(other, tolerance)) {
                ++found;
            }
        }
    }
    counter += found;
    return found > 0;
}

bool DataCheckPasses::CurvesCross(const CCadCurve& a, const CCadCurve& b) {
    const CFileLine::Box otherBox = BoxOf(b.rect);
    if (a.pathList.IsEmpty() != 0 || b.pathList.IsEmpty() != 0 || BoxOf(a.rect).IsApartFrom(otherBox, kCrossBoxGap)) {
        return false;
    }
    for (const CFileLine& segment : a.pathList) {
        if (SegmentBox(segment).IsApartFrom(otherBox, kCrossBoxGap)) {
            continue;
        }
        for (const CFileLine& other : b.pathList) {
            if (segment.CrossesSegment(other)) {
                return true;
            }
        }
    }
    return false;
}

DataCheckOutcome RunDataCheck(CCadMgr& manager, const DataCheckSettings& options, DataCheckReport& report,
                              DataCheckPasses::Pump pump) {
    const std::vector<CCadElement*> selection = manager.SelectedElements();
    if (selection.empty()) {
        return {};
    }
    // The overlap pass drops segments; no node selection may point at one.
    manager.ClearNodeSelection();
    DataCheckPasses passes(report, options, std::move(pump));
    DataCheckResults results;
    if (options.checkClose != 0) {
        passes.CheckClosure(selection, results);
    }
    if (options.checkSelfCross != 0) {
        passes.CheckSelfCross(selection, results);
    }
    if (options.checkCross != 0) {
        passes.CheckCross(selection, results);
    }
    if (options.checkOverlap != 0) {
        passes.CheckOverlap(selection, results);
    }
    manager.ClearSelection();
    for (CCadElement* element : results.Elements()) {
        manager.AddToSelection(element);
    }
    manager.CalcSelectionRect();
    if (passes.ChangedDrawing()) {
        manager.NotifyModified();
    }
    manager.Redraw();
    return {true, passes.ChangedDrawing()};
}

}  // namespace dialogs::edit
