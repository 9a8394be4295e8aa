#include "PlaceImportedData.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "CadBitmap.h"
#include "CadCurve.h"
#include "CadPoint.h"
#include "LanguageTexts.h"
#include "ListNodes.h"
#include "Rasterkit.h"
#include "SettingsGlobals.h"

namespace {

constexpr double kMmPerMetre = 1000.0;
constexpr double kMaxPelsPerMetre = 2147483647.0;

double UsableScale(double mmPerPixel) {
    return std::isfinite(mmPerPixel) && mmPerPixel > 0.0 ? mmPerPixel : CFileDib::kDefaultScaleMm;
}

int PelsPerMetre(double mmPerPixel) {
    return static_cast<int>(std::clamp(std::floor(kMmPerMetre / mmPerPixel + 0.5), 1.0, kMaxPelsPerMetre));
}

// The worker measures every curve once it has cleaned it; without the worker the box is measured here.
// Either way each curve's box is computed once.
enum class CurveBox { kMeasureNow, kWorkerMeasures };

std::unique_ptr<CCadElement> CurveFrom(CFileCurve& record, CurveBox box) {
    if (record.segments.IsEmpty() != 0) {
        return nullptr;
    }
    auto curve = std::make_unique<CCadCurve>();
    curve->color = static_cast<std::uint32_t>(record.extra);
    curve->pathList = std::move(record.segments);
    if (box == CurveBox::kMeasureNow) {
        curve->CalRect();
    }
    return curve;
}

std::unique_ptr<CCadElement> BitmapFrom(const CFileDib& record, std::uint32_t colour) {
    if (!std::isfinite(record.dx) || !std::isfinite(record.dy)) {
        return nullptr;
    }
    auto bitmap = std::make_unique<CCadBitmap>();
    if (bitmap->SetDib(&record.dib) == 0) {
        return nullptr;
    }
    const double xScale = UsableScale(record.m11), yScale = UsableScale(record.m22);
    CCadRect rect;
    rect.x1 = record.dx;
    rect.x2 = record.dx + bitmap->GetWidth() * xScale;
    rect.y1 = record.dy - bitmap->GetHeight() * yScale;
    rect.y2 = record.dy;
    rect.Normalize();
    bitmap->rect = rect;
    bitmap->centre = {(rect.x1 + rect.x2) / 2, (rect.y1 + rect.y2) / 2};
    _dib_setprecision(&bitmap->dib, PelsPerMetre(xScale), PelsPerMetre(yScale));
    bitmap->color = colour;
    return bitmap;
}

std::unique_ptr<CCadElement> PointFrom(const CFilePoint& record) {
    auto point = std::make_unique<CCadPoint>();
    point->color = static_cast<std::uint32_t>(record.value);
    point->x = record.x;
    point->y = record.y;
    point->CalRect();
    return point;
}

std::unique_ptr<CCadElement> ElementFrom(CFileDraw& record, std::uint32_t bitmapColour, CurveBox box) {
    switch (record.type) {
        case CFileDraw::kCurve:
            return CurveFrom(static_cast<CFileCurve&>(record), box);
        case CFileDraw::kBitmap:
            return BitmapFrom(static_cast<const CFileDib&>(record), bitmapColour);
        case CFileDraw::kPoint:
            return PointFrom(static_cast<const CFilePoint&>(record));
        default:
            return nullptr;
    }
}

void StageRecords(CDbList<CFileDraw*>& records, CImportStaging& staging, std::uint32_t bitmapColour,
                  CurveBox box) {
    while (records.IsEmpty() == 0) {
        std::unique_ptr<CFileDraw> record(records.head->next->value);
        UnlinkNode(records, records.head->next);
        if (record == nullptr) {
            continue;
        }
        if (std::unique_ptr<CCadElement> element = ElementFrom(*record, bitmapColour, box)) {
            staging.elements.AddTail(element.release());
        }
    }
}

// A worker that could not start leaves the curves as they came, and unmeasured: they are measured here.
void RunWorker(ImportPlacement& placement) {
    ImportWorkerJob job{&placement.staging, &placement.settings, placement.manager.drawColor};
    if (placement.runWorker) {
        placement.runWorker(job);
    } else if (!RunImportWorkerAndWait(job)) {
        placement.messages.ShowMessageBox(ImportWorkerStartFailedText(), "",
                                          platform::kOk | platform::kIconError);
    }
    if (job.done) {
        return;
    }
    CDbList<CCadElement*>& staging = placement.staging.elements;
    for (auto* node = staging.head->next; node != staging.head; node = node->next) {
        if (node->value->typeCode == kCurveElement) {
            node->value->CalRect();
        }
    }
}

}  // namespace

const char* NoImportDataText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? "无导入数据!" : "No data!";
}

std::string LoadFailureText() {
    return GetLangText("Prompt", "3");
}

std::string ImportRefusedText(std::string_view prompt, std::string_view reason) {
    std::string text(prompt);
    if (!reason.empty()) {
        text.append("\n").append(reason);
    }
    return text;
}

std::string LeftOutText(std::string_view leftOut) {
    return leftOut.empty() ? std::string() : ImportRefusedText(GetLangText("Prompt", "LeftOut"), leftOut);
}

const char* ImportWorkerStartFailedText() {
    return LanguageIndex == kLanguageSimplifiedChinese ? "创建导入进程失败!"
                                                       : "Creat import progress failure!";
}

int PlaceImportedData(CDbList<CFileDraw*>& records, int runWorker, ImportPlacement& placement) {
    StageRecords(records, placement.staging, placement.bitmapColour,
                 runWorker != 0 ? CurveBox::kWorkerMeasures : CurveBox::kMeasureNow);
    CDbList<CCadElement*>& staging = placement.staging.elements;
    if (staging.IsEmpty() != 0) {
        placement.messages.ShowMessageBox(NoImportDataText(), "", platform::kOk | platform::kIconWarning);
        return 0;
    }
    if (runWorker != 0) {
        RunWorker(placement);
    }
    if (staging.IsEmpty() != 0) {
        return 1;
    }
    CCadMgr& manager = placement.manager;
    manager.ClearSelection();
    while (staging.IsEmpty() == 0) {
        CCadElement* element = staging.head->next->value;
        UnlinkNode(staging, staging.head->next);
        if (manager.AddElement(element) == 1) {
            manager.AddToSelection(element);
        } else {
            delete element;
        }
    }
    manager.RenumberElements();
    return 1;
}
