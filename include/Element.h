// CElement: the root of the curve class family of the curve libraries: a bounding rectangle and the
// virtual operations that every curve offers (drawing, transforms, picking, cloning, archiving).
#pragma once

#include <cstdint>
#include <memory>

#include "RectEx.h"
#include "SDPoint.h"

namespace platform {
class Archive;
class DeviceContext;
}  // namespace platform

class CElement {
  public:
    CRectEx rect;  // bounding box, refreshed by CalRect

    CElement() = default;
    virtual ~CElement() = default;
    CElement(const CElement&) = delete;
    CElement& operator=(const CElement&) = delete;

    virtual void Serialize(platform::Archive& ar);

    // Previews straight into dc in logical units (0.001 mm), with the pen and raster mode already selected.
    virtual void DrawMove(platform::DeviceContext* dc, double dx, double dy);
    virtual void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle);
    virtual void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double cx, double cy);
    // Converts through the mapping of mapDC and draws into drawDC.
    virtual void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, std::uint32_t colour);

    virtual CRectEx CalRect();
    virtual void TransMove(double dx, double dy);
    virtual void TransDrag(double sx, double sy, double cx, double cy);
    // angle in radians
    virtual void TransRotate(double cx, double cy, double angle);
    virtual void XMirror(double x0);
    virtual void YMirror(double y0);

    // p in logical units; the tolerance is a number of device pixels of dc.
    virtual int Select(platform::DeviceContext* dc, SDPoint p, unsigned int pixels);
    // p and tol in millimetres; index is the zero-based segment that was hit, t its parameter.
    virtual int HitTest(SDPoint p, double tol, long& index, double& t);
    virtual int DbSelect(SDPoint p, platform::DeviceContext* dc, unsigned short mode);

    // A copy owned by the caller; null for an element that cannot be copied.
    virtual std::unique_ptr<CElement> Clone() const;
};
