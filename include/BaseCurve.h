// CBaseCurve: a curve as an ordered list of CLineEx segments with a colour and a highlight flag: drawn,
// transformed, picked, reversed, closed, simplified, tested for direction and for containing a point.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "Element.h"
#include "LineEx.h"

class CBaseCurve : public CElement {
  public:
    // Start and end within this distance in x and in y count as the same node.
    static constexpr double kCloseTolerance = 0.001;

    std::int32_t highlight = 0;       // archived; makes CMyCurve::Draw use the highlight colours
    std::int32_t reserved1 = 0;       // not archived
    std::uint32_t colour = 0xFFFFFF;  // archived
    std::int32_t reserved2 = 0;       // not archived
    CDbList<CLineEx> segments;        // in drawing order; its cursor is the walk cursor of several operations

    CBaseCurve() = default;
    ~CBaseCurve() override = default;

    // Colour, highlight, segment count and the segments. Loading appends the segments to the
    // existing ones and refreshes rect; a truncated or non-finite record throws platform::ArchiveError
    // and leaves the curve unchanged.
    void Serialize(platform::Archive& ar) override;

    void DrawMove(platform::DeviceContext* dc, double dx, double dy) override;
    void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) override;
    void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double cx, double cy) override;
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, std::uint32_t colour) override;

    CRectEx CalRect() override;
    void TransMove(double dx, double dy) override;
    void TransDrag(double sx, double sy, double cx, double cy) override;
    void TransRotate(double cx, double cy, double angle) override;
    void XMirror(double x0) override;
    void YMirror(double y0) override;

    int Select(platform::DeviceContext* dc, SDPoint p, unsigned int pixels) override;
    int HitTest(SDPoint p, double tol, long& index, double& t) override;
    // Picks the first node within 5 device pixels of p (logical units): mode 0 reverses the curve,
    // another mode makes the picked node the start of a closed curve.
    int DbSelect(SDPoint p, platform::DeviceContext* dc, unsigned short mode) override;

    std::unique_ptr<CElement> Clone() const override;

    // Small squares on the start node of every segment.
    virtual void DrawGraphicPoint(platform::DeviceContext* drawDC, platform::DeviceContext* mapDC);
    virtual double GetCurveLength();
    virtual void TransDir();
    // Move every segment of other in front of / behind this curve's segments; other ends empty.
    virtual void LinkLeft(CBaseCurve* other);
    virtual void LinkRight(CBaseCurve* other);
    // Merges collinear straight segments whose joint deviates less than tol.
    virtual void DelOptim(double tol);
    // Drops straight segments shorter than 0.001 without adjusting their neighbours.
    virtual void FiltRepeatPoint();
    // -1 counter-clockwise, 1 clockwise (y up), 0 empty or undecidable.
    virtual std::int16_t GetCurveDir();
    virtual int IsPtInCurve(SDPoint p);
    virtual int IsCurveInCurve(CBaseCurve* other);
    // Appends a closing line when the gap is within tol (force 0) or whatever it is (force non-zero).
    virtual void AutoClose(double tol, int force);
    virtual int IsClose();

  protected:
    // Copies what every curve class shares into a fresh clone.
    void CopyCurveInto(CBaseCurve& target) const;
};
