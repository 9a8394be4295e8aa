// CMyCurve: the parameter blocks in the stored record, cloning, and drawing with visible bridge marks.
#include "MyCurve.h"

#include "Archive.h"
#include "DeviceContext.h"
#include "LogicalUnits.h"

namespace {

constexpr std::uint32_t kRed = 0xFF;
constexpr std::uint32_t kGreen = 0xFF00;
constexpr std::uint32_t kCyan = 0xFFFF00;

// kind, the three flags, then the five doubles; the two points are archived by the caller when wanted.
void StoreParams(platform::Archive& ar, const CurveParamBlock& block) {
    ar << block.kind << block.flag1 << block.flag2 << block.flag3;
    ar << block.length1 << block.value1 << block.length2 << block.value2 << block.angle;
}

void LoadParams(platform::Archive& ar, CurveParamBlock& block) {
    ar >> block.kind >> block.flag1 >> block.flag2 >> block.flag3;
    ar >> block.length1 >> block.value1 >> block.length2 >> block.value2 >> block.angle;
}

}  // namespace

void CMyCurve::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        ar << option;
        StoreParams(ar, paramA);
        ar << paramA.point1.x << paramA.point1.y << paramA.point2.x << paramA.point2.y;
        StoreParams(ar, paramB);
        CBaseCurve::Serialize(ar);
        return;
    }
    // Read into copies so that a record that fails part way leaves the curve as it was.
    std::int32_t loadedOption = 0;
    CurveParamBlock loadedA = paramA, loadedB = paramB;
    ar >> loadedOption;
    LoadParams(ar, loadedA);
    ar >> loadedA.point1.x >> loadedA.point1.y >> loadedA.point2.x >> loadedA.point2.y;
    LoadParams(ar, loadedB);
    CBaseCurve::Serialize(ar);
    option = loadedOption;
    paramA = loadedA;
    paramB = loadedB;
}

std::unique_ptr<CElement> CMyCurve::Clone() const {
    auto copy = std::make_unique<CMyCurve>();
    CopyCurveInto(*copy);
    copy->reserved1 = reserved1;
    copy->paramA = paramA;
    copy->paramB = paramB;
    copy->option = option;
    copy->combined = combined;
    return copy;
}

// Bridge marks show: a marked bridge piece is drawn in the alternate colour (green on red curves, red
// otherwise) and a gap bridge piece is left out. Beziers are not drawn either; the pen moves over them
// so that the next line starts where it belongs. Arcs and unknown kinds are skipped.
void CMyCurve::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, std::uint32_t colour) {
    if (mapDC == nullptr || drawDC == nullptr || segments.IsEmpty()) {
        return;
    }
    const std::uint32_t alternate = colour == kRed ? kGreen : kRed;
    if (highlight != 0) {
        colour = colour == kRed ? kCyan : kRed;
    }
    auto toDevice = [mapDC](SDPoint mm) { return mapDC->LPtoDP(ToLogicalUnits(mm)); };
    const platform::Pen previous = drawDC->CurrentPen();
    drawDC->MoveTo(toDevice(segments.head->next->value.p0));
    for (auto* node = segments.head->next; node != segments.head; node = node->next) {
        const CLineEx& segment = node->value;
        if (segment.type == CLineEx::kLine || segment.type == CLineEx::kBridgeMarked) {
            drawDC->SelectObject(
                platform::Pen::Solid(1, segment.type == CLineEx::kLine ? colour : alternate));
            drawDC->LineTo(toDevice(segment.p1));
        } else if (segment.type == CLineEx::kBridgeGap || segment.type == CLineEx::kBezier) {
            drawDC->MoveTo(toDevice(segment.p1));
        }
    }
    drawDC->SelectObject(previous);
}
