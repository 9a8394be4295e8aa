// CCadPoint: a single position of the drawing, element type 3, shown as a small circle and output as a
// pen-down at one place.
#pragma once

#include "CadElement.h"

class CCadPoint : public CCadElement {
  public:
    double x = 0.0;  // mm
    double y = 0.0;

    // Type 3, order number 1, at (0, 0); the creator sets the colour.
    CCadPoint();

    // A circle of 2 device pixels, 2 pixels wide when selected, dotted in mode 1.
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea, double dx,
              double dy, std::uint16_t mode) override;
    // "PU%d %d" then "PD%d %d" with the position in plotter units (40 per mm), saturated to 32 bits.
    int ExportPlt(std::FILE* file) override;
    // The base record, then x and y; loading puts the rectangle on the point.
    void Serialize(platform::Archive& ar) override;
    // A hit within 3 device pixels.
    int HitTest(double x, double y, platform::DeviceContext* viewDC) override;

    void DrawMove(platform::DeviceContext* dc, double dx, double dy) override;
    void TransMove(double dx, double dy) override;
    void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) override;
    void TransDrag(double sx, double sy, double px, double py) override;
    void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) override;
    void TransRotate(double cx, double cy, double angle) override;
    void DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY) override;
    void TransSkew(double cx, double cy, double angleX, double angleY) override;
    void XMirror(double axis) override;
    void YMirror(double axis) override;
    // The rectangle becomes (x, y)-(x, y).
    void CalRect() override;
    // Position moved by (dx, dy), colour and layer; 0 unless the source is a point.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

  private:
    SDPoint Dragged(double sx, double sy, double px, double py) const;
    SDPoint Rotated(double cx, double cy, double angle) const;
    SDPoint Skewed(double cx, double cy, double angleX, double angleY) const;
    void MoveTo(SDPoint position);
};
