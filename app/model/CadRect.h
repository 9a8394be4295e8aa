// CCadRect: the main program's rectangle in millimetres (y up): the extent of an element, of the
// selection, of the data and of the page. A plain value type copied by value.
#pragma once

class CCadRect {
  public:
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 100.0;
    double y2 = 100.0;

    // (0, 0)-(100, 100).
    CCadRect() = default;
    // From (x, y) and a width and height (isSize non-zero) or the opposite corner; normalised.
    CCadRect(double x, double y, double a, double b, int isSize);

    // Orders the corners so that (x1, y1) is bottom-left; equal values are left alone.
    void Normalize();
    // The box of two points, the smaller value first on each axis.
    void SetFromPoints(double ax, double ay, double bx, double by);
    // Grows this normalised box to hold the other normalised box.
    void Unite(const CCadRect& other);
    // Moves both corners by (dx, dy); the order of the corners stays as it is.
    void Offset(double dx, double dy) {
        x1 += dx;
        x2 += dx;
        y1 += dy;
        y2 += dy;
    }
    // True when this normalised rectangle and the area overlap or touch: what drawing code draws.
    bool Meets(const CCadRect& area) const {
        return x2 >= area.x1 && x1 <= area.x2 && y2 >= area.y1 && y1 <= area.y2;
    }
    // A copy moved by (dx, dy) and normalised.
    CCadRect MovedNormalised(double dx, double dy) const {
        CCadRect moved = *this;
        moved.Offset(dx, dy);
        moved.Normalize();
        return moved;
    }
    // With another rectangle's x1, y1, x2, y2 as a, b, c, d: 1 when the two overlap or lie within tol of
    // each other on both axes (a gap of exactly tol still counts).
    int IsInside(double a, double b, double c, double d, double tol) const;
    // Normalises this rectangle, then 1 when (x, y) lies inside or on the border.
    int ContainsPoint(double x, double y);
    // Position 0..8 (above 8 counts as 8), rows from the top edge down, columns left to right; a flat
    // side is widened by 0.5 each way. These are the laser-head positions and the selection handles.
    void GetPositionPoint(double& x, double& y, unsigned short code) const;
};
