// Off-screen device contexts for flicker-free painting: drawing goes to a memory picture in the target's
// own coordinates and is copied to the target in one block when the holder ends.
#pragma once

#include "DeviceContext.h"

// Covers `area` of the target (target device units). The memory context's origin is shifted by the
// area's corner, so that a point drawn at (x, y) lands at (x, y) of the target, whatever the corner.
class CMemDC {
  public:
    CMemDC(platform::DeviceContext& target, platform::Rect area);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    platform::DeviceContext& Dc() { return memory_; }
    const platform::Rect& Area() const { return area_; }

  private:
    platform::DeviceContext& target_;
    platform::Rect area_;
    platform::DeviceContext memory_;
};

// The buffer of the flat controls: a memory picture reaching from the origin to the rectangle's right
// and bottom edges, of which only the rectangle is copied back.
class CBufferDC {
  public:
    CBufferDC(platform::DeviceContext& target, platform::Rect area);
    ~CBufferDC();
    CBufferDC(const CBufferDC&) = delete;
    CBufferDC& operator=(const CBufferDC&) = delete;

    platform::DeviceContext& Dc() { return memory_; }

  private:
    platform::DeviceContext& target_;
    platform::Rect area_;
    platform::DeviceContext memory_;
};

// Scoped selections: each selects its object for one drawing step and puts the old one back at its end.
class CPenDC {
  public:
    CPenDC(platform::DeviceContext& dc, platform::ColorRef color);
    ~CPenDC();
    CPenDC(const CPenDC&) = delete;
    CPenDC& operator=(const CPenDC&) = delete;

    void Color(platform::ColorRef color);
    platform::ColorRef GetColor() const { return color_; }

  private:
    platform::DeviceContext& dc_;
    platform::Pen old_;
    platform::ColorRef color_;
};

// The colour 0xFFFFFFFF selects the hollow brush: shapes are outlined only.
class CBrushDC {
  public:
    CBrushDC(platform::DeviceContext& dc, platform::ColorRef color);
    ~CBrushDC();
    CBrushDC(const CBrushDC&) = delete;
    CBrushDC& operator=(const CBrushDC&) = delete;

    void Color(platform::ColorRef color);

  private:
    platform::DeviceContext& dc_;
    platform::Brush old_;
};
