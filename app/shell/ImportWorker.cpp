#include "ImportWorker.h"

#include <algorithm>
#include <cmath>
#include <system_error>
#include <thread>
#include <vector>

#include "CadBitmap.h"
#include "CadCurve.h"
#include "JoinImportedCurves.h"
#include "ListNodes.h"
#include "Progress.h"

std::atomic<std::int32_t> ImportDone{1};

namespace {

constexpr double kMaxCombineToleranceMm = 3.0;
constexpr double kWorkerSmoothPrecision = 0.3;

// Kept within [low, high]; a NaN becomes `low`, so that a damaged setting cannot reach the geometry.
double ClampSetting(double& value, double low, double high) {
    value = std::isnan(value) ? low : std::clamp(value, low, high);
    return value;
}

// The colour of new elements, and a depth the drawing works with: 1 and 8 bits stay (their palette
// made usable), every other depth becomes 8 bits.
void PreparePicture(CCadBitmap& picture, std::uint32_t colourKey) {
    picture.color = colourKey;
    const int bitsPerPixel = picture.GetBitCount();
    if (bitsPerPixel != 1 && bitsPerPixel != 8) {
        picture.SetFormat(8);
    } else {
        picture.AdjustPalette();
    }
}

bool IsOpenCurve(const CCadElement* element) {
    return element->typeCode == kCurveElement && static_cast<const CCadCurve*>(element)->closed == 0;
}

// Zero-length segments go, and a curve with nothing left goes with them; pictures are prepared.
void CleanElements(CDbList<CCadElement*>& staging, const FileParaSettings& settings,
                   std::uint32_t colourKey) {
    for (auto* node = staging.head->next; node != staging.head;) {
        auto* next = node->next;
        CCadElement* element = node->value;
        if (element->typeCode == kCurveElement) {
            auto* curve = static_cast<CCadCurve*>(element);
            curve->DeletePointSegments();
            if (curve->pathList.IsEmpty() != 0) {
                delete curve;
                UnlinkNode(staging, node);
                node = next;
                continue;
            }
            if (settings.autoClose != 0) {
                curve->AutoClose(settings.closeErrorMm, 0);
            }
            curve->CalRect();
        } else if (element->typeCode == kBitmapElement) {
            PreparePicture(*static_cast<CCadBitmap*>(element), colourKey);
        }
        node = next;
    }
}

// Leaves the open curves in the list and returns everything else, in order.
std::vector<CCadElement*> TakeAllButOpenCurves(CDbList<CCadElement*>& staging) {
    std::vector<CCadElement*> taken;
    for (auto* node = staging.head->next; node != staging.head;) {
        auto* next = node->next;
        if (!IsOpenCurve(node->value)) {
            taken.push_back(node->value);
            UnlinkNode(staging, node);
        }
        node = next;
    }
    return taken;
}

void ForEachCurve(CDbList<CCadElement*>& staging, auto&& action) {
    for (auto* node = staging.head->next; node != staging.head; node = node->next) {
        if (node->value->typeCode == kCurveElement) {
            action(*static_cast<CCadCurve*>(node->value));
        }
    }
}

}  // namespace

int ImportWorker(ImportWorkerJob& job) {
    ProgressRatio = 0.0;
    ImportDone = 0;
    job.done = true;  // read by the waiting thread only after this one has ended
    if (job.staging == nullptr || job.settings == nullptr || job.staging->elements.IsEmpty() != 0) {
        ProgressRatio = 1.0;
        ImportDone = 1;
        return 0;
    }
    CDbList<CCadElement*>& staging = job.staging->elements;
    FileParaSettings& settings = *job.settings;
    CCadElement* first = staging.head->next->value;
    if (staging.head->next->next == staging.head && first->typeCode == kBitmapElement) {
        PreparePicture(*static_cast<CCadBitmap*>(first), job.colourKey);
        ProgressRatio = 1.0;
        ImportDone = 1;
        return 0;
    }
    CleanElements(staging, settings, job.colourKey);
    const std::vector<CCadElement*> setAside = TakeAllButOpenCurves(staging);
    if (settings.combineLines != 0) {
        JoinImportedCurves(staging, ClampSetting(settings.combineErrorMm, 0.0, kMaxCombineToleranceMm));
    }
    if (settings.autoClose != 0 && staging.IsEmpty() == 0) {
        ForEachCurve(staging, [&](CCadCurve& curve) { curve.AutoClose(settings.closeErrorMm, 0); });
    }
    for (CCadElement* element : setAside) {
        staging.AddTail(element);
    }
    if (settings.smoothCurves != 0) {
        ClampSetting(settings.smoothPrecision, 0.0, 1.0);
        ForEachCurve(staging, [](CCadCurve& curve) { curve.Smooth(kWorkerSmoothPrecision, 1, 0); });
    }
    ImportDone = 1;
    return 0;
}

bool RunImportWorkerAndWait(ImportWorkerJob& job) {
    try {
        std::thread worker([&job] { ImportWorker(job); });
        worker.join();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}
