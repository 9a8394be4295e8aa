// The off-screen holders and scoped selections over the platform's device context.
#include "MemDC.h"

#include <algorithm>

using platform::DeviceContext;
using platform::Rect;

namespace {

platform::Size AreaSize(const Rect& area) {
    return {static_cast<std::int32_t>(std::max<std::int64_t>(0, area.Width())),
            static_cast<std::int32_t>(std::max<std::int64_t>(0, area.Height()))};
}

platform::Brush BrushOf(platform::ColorRef color) {
    return color == platform::kInvalidColor ? platform::Brush::Null() : platform::Brush::Solid(color);
}

}  // namespace

CMemDC::CMemDC(DeviceContext& target, Rect area)
    : target_(target), area_(area.Normalized()), memory_(target.CreateCompatibleDC(AreaSize(area_))) {
    memory_.SetWindowOrg(area_.left, area_.top);
}

CMemDC::~CMemDC() {
    const platform::Size size = AreaSize(area_);
    target_.BitBlt(area_.left, area_.top, size.width, size.height, memory_, area_.left, area_.top);
}

CBufferDC::CBufferDC(DeviceContext& target, Rect area)
    : target_(target),
      area_(area.Normalized()),
      memory_(target.CreateCompatibleDC({std::max(0, area_.right), std::max(0, area_.bottom)})) {}

CBufferDC::~CBufferDC() {
    const platform::Size size = AreaSize(area_);
    target_.BitBlt(area_.left, area_.top, size.width, size.height, memory_, area_.left, area_.top);
}

CPenDC::CPenDC(DeviceContext& dc, platform::ColorRef color)
    : dc_(dc), old_(dc.SelectObject(platform::Pen::Solid(1, color))), color_(color) {}

CPenDC::~CPenDC() { dc_.SelectObject(old_); }

void CPenDC::Color(platform::ColorRef color) {
    color_ = color;
    dc_.SelectObject(platform::Pen::Solid(1, color));
}

CBrushDC::CBrushDC(DeviceContext& dc, platform::ColorRef color) : dc_(dc), old_(dc.SelectObject(BrushOf(color))) {}

CBrushDC::~CBrushDC() { dc_.SelectObject(old_); }

void CBrushDC::Color(platform::ColorRef color) { dc_.SelectObject(BrushOf(color)); }
