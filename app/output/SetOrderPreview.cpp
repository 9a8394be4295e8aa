#include "SetOrderPreview.h"

#include <algorithm>
#include <cmath>

#include "CadElement.h"
#include "CadMgr.h"
#include "CanvasMapping.h"
#include "DlgSetOrder.h"
#include "RecordingBackend.h"
#include "SettingsRecords.h"

namespace {

constexpr std::int32_t kViewportExtent = 1000;
constexpr double kZoomInFactor = 2.0 / 3.0;
constexpr double kZoomOutFactor = 1.5;
constexpr platform::ColorRef kBackground = platform::Rgb(255, 255, 255);
constexpr platform::ColorRef kExtentFrame = platform::Rgb(192, 192, 192);
constexpr platform::ColorRef kOriginMark = platform::Rgb(0, 0, 200);
constexpr int kOriginMarkHalfPx = 4;  // an 8 x 8 square

}  // namespace

void SetOrderPreview::Fit(const CCadRect& unionMm) {
    const double widthLogical = std::fabs(unionMm.x2 - unionMm.x1) * kLogicalUnitsPerMm;
    const double heightLogical = std::fabs(unionMm.y2 - unionMm.y1) * kLogicalUnitsPerMm;
    const double byWidth = widthLogical / (kFitMargin * std::max(area_.width, 1));
    const double byHeight = heightLogical / (kFitMargin * std::max(area_.height, 1));
    scale_ = std::max({byWidth, byHeight, kMinScale});
    // The centre at the area's centre: the viewport origin moves by the centre's pixels.
    const double centreX = (unionMm.x1 + unionMm.x2) * 0.5 * kLogicalUnitsPerMm;
    const double centreY = (unionMm.y1 + unionMm.y2) * 0.5 * kLogicalUnitsPerMm;
    pan_ = {static_cast<std::int32_t>(std::lround(-centreX / scale_)),
            static_cast<std::int32_t>(std::lround(centreY / scale_))};
}

void SetOrderPreview::ZoomAt(int wheelDelta, platform::Point cursorPx) {
    const platform::Point underCursor = ToLogical(cursorPx);
    scale_ = std::max(scale_ * (wheelDelta >= 0 ? kZoomInFactor : kZoomOutFactor), kMinScale);
    // Where that logical point lands now, moved back under the cursor.
    platform::DeviceContext mapping(std::make_unique<platform::RecordingBackend>(area_));
    PrepareDC(mapping);
    const platform::Point landed = mapping.LPtoDP(underCursor);
    Pan(cursorPx.x - landed.x, cursorPx.y - landed.y);
}

void SetOrderPreview::Pan(int dxPx, int dyPx) {
    pan_.x += dxPx;
    pan_.y += dyPx;
}

void SetOrderPreview::PrepareDC(platform::DeviceContext& dc) const {
    dc.SetMapMode(platform::MapMode::Isotropic);
    const auto windowExtent = static_cast<std::int32_t>(std::max(std::lround(scale_ * kViewportExtent), 1L));
    dc.SetWindowExt(windowExtent, windowExtent);
    dc.SetViewportExt(kViewportExtent, -kViewportExtent);
    dc.SetViewportOrg(area_.width / 2 + pan_.x, area_.height / 2 + pan_.y);
}

platform::Point SetOrderPreview::ToLogical(platform::Point devicePx) const {
    platform::DeviceContext mapping(std::make_unique<platform::RecordingBackend>(area_));
    PrepareDC(mapping);
    return mapping.DPtoLP(devicePx);
}

SDPoint SetOrderPreview::ToMm(platform::Point devicePx) const {
    return canvas::LogicalToMm(ToLogical(devicePx));
}

void SetOrderPreview::Paint(platform::DeviceContext& picture, const CDlgSetOrder& lists) const {
    const platform::Rect areaRect{0, 0, area_.width, area_.height};
    picture.SetROP2(platform::RasterOp::CopyPen);
    picture.FillSolidRect(areaRect, kBackground);
    platform::DeviceContext mapDC(std::make_unique<platform::RecordingBackend>(area_));
    PrepareDC(mapDC);

    const CCadRect& extent = lists.UnionRect();
    const platform::Pen previousPen = picture.SelectObject(platform::Pen::Solid(0, kExtentFrame));
    const platform::Brush previousBrush = picture.SelectObject(platform::Brush::Null());
    const platform::Rect extentLogical{ToLogicalUnits(extent.x1), ToLogicalUnits(extent.y1),
                                       ToLogicalUnits(extent.x2), ToLogicalUnits(extent.y2)};
    picture.Rectangle(mapDC.LPtoDP(extentLogical));
    SDPoint last = CCadMgr::JobOriginMark(extent, gGeneralSettings.laserHeadPosition);
    if (lists.ShowPathOn()) {
        picture.SelectObject(platform::Pen::Solid(0, kOriginMark));
        picture.Rectangle(canvas::BoxAround(canvas::MmToDeviceRounded(mapDC, last), kOriginMarkHalfPx));
    }
    picture.SelectObject(previousPen);

    const platform::Rect logical = mapDC.DPtoLP(areaRect);
    CCadRect visible(logical.left * 0.001, logical.top * 0.001, logical.right * 0.001, logical.bottom * 0.001,
                     0);
    visible.Normalize();
    for (auto list : {CDlgSetOrder::OrderList::kOrdered, CDlgSetOrder::OrderList::kRemaining}) {
        for (CCadElement* element : lists.Elements(list)) {
            element->Paint(&mapDC, &picture, &last, visible);
        }
    }
    picture.SelectObject(previousBrush);
}
