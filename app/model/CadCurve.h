// CCadCurve: the vector path of a drawing, an open or closed chain of straight and cubic Bezier segments
// in millimetres, with a lead-in and a lead-out for cutting. Element type 1. The geometry itself is done
// by the curve math on the segment lists; the element holds the data and the order of the calls.
#pragma once

#include <cstdint>
#include <memory>

#include "CadElement.h"
#include "DbList.h"
#include "FileLine.h"
#include "Geomcore.h"

// A lead-in or lead-out block: the parameters the lead dialog sets and the geometry the curve math
// computes from them (see Geomcore.h).
using CCutInOutPara = CutInOutPara;

class CCadCurve : public CCadElement {
  public:
    // The stored form of a lead block.
    static constexpr std::size_t kLeadBlockBytes = 82;

    // The path in drawing order: the first segment's start is the curve's start point, the last
    // segment's end its end point. Everything that draws, tests, transforms or stores the curve uses it.
    CDbList<CFileLine> pathList;
    // The smoothed copy, left here by a smoothing that does not replace the path.
    CDbList<CFileLine> smoothList;
    // Created and freed with the curve; nothing fills it and it is not stored.
    CDbList<CFileLine> spareList;
    std::int32_t closed = 0;    // 1 when the path is closed
    std::int32_t workFlag = 0;  // circle flag of the outline tracing's arc fit; copied, not stored
    std::int32_t selectedNode =
        0;             // node marked as current: 0 none, 1 the first start, k + 1 the end of segment k
    ArcRecord arcFit;  // filled with workFlag by the arc fit; neither stored nor copied
    CCutInOutPara leadIn = DefaultLead();
    CCutInOutPara leadOut = DefaultLead();

    // An empty open curve: type 1, order number 1, no layer, default lead blocks.
    CCadCurve();

    // The curve record: the base record, closed (i32), the segment count (i32), the segments (74 bytes
    // each), then the lead-in and lead-out blocks. Loading replaces the stored rectangle by the one of the
    // segments and keeps the stored lead geometry as it is. Loading throws ArchiveError and leaves the
    // curve unchanged when the record is short, when its count needs more bytes than remain, or when a
    // value is not finite.
    void Serialize(platform::Archive& ar) override;
    // The rectangle becomes the bounding rectangle of the path; an empty path keeps it as it was.
    void CalRect() override;
    // Copies closed, rectangle, type, colour, layer, work flag and both lead blocks, and the path moved
    // by (dx, dy); name, order number and the other lists stay. 0, with nothing changed, unless the
    // source is a curve. A copy is cut as its original, leads included.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    // Drawing (see CadCurveDrawing.cpp). Every pen and brush selected is selected back before return.
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea, double dx,
              double dy, std::uint16_t mode) override;
    // `pen` is the previous element's exit point on entry and this curve's exit point on return, mm.
    void DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* pen) override;
    void DrawFrame(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                   int mode) override;
    // The node-edit display: the path in `colour`, a box on every node, the current one orange, and the
    // Bezier handles of the current node.
    void DrawNodes(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, platform::ColorRef colour);
    void Fill(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC);
    void DrawMove(platform::DeviceContext* dc, double dx, double dy) override;
    void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) override;
    void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) override;
    void DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY) override;

    // Transforms (mm, radians); each leaves the rectangle and, where it moves the start, the leads current.
    void TransMove(double dx, double dy) override;
    void TransDrag(double sx, double sy, double px, double py) override;
    void TransRotate(double cx, double cy, double angle) override;
    // The leads keep their geometry.
    void TransSkew(double cx, double cy, double angleX, double angleY) override;
    void XMirror(double x) override;
    void YMirror(double y) override;
    void TransDir() override;
    // Every point, control points of Beziers included, becomes (a x + b y, c x + d y); the leads stay.
    void ApplyMatrix(double a, double b, double c, double d);
    // Grows (grow non-zero) or shrinks the curve about its centre so that each side moves by amount x
    // 0.001 mm; amounts below 10 do nothing, above 500 count as 500. A factor that would collapse or
    // turn the curve over leaves that axis alone.
    void ResizeAboutCenter(std::uint16_t grow, double amount);

    // Picks; (x, y) in logical units.
    int HitTest(double x, double y, platform::DeviceContext* viewDC) override;
    // mode 0 picks the cut direction (reverses a hit curve), any other the start point.
    int HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode) override;
    // mm; the 0-based hit segment and its parameter.
    int HitNode(double x, double y, double tolerance, int* index, double* t);
    // mm; splits the hit segment at the point unless it is a node already. 1 when a segment was hit.
    int AddNode(double x, double y, double tolerance);

    // Path operations; the statuses are the curve math's.
    int Smooth(double degree, int replace, int method) override;
    void AutoClose(double toleranceMm, int option) override;
    // Closes within the drawing-wide closing error; returns `closed`.
    int CheckClosed();
    void FindStartPoint(SDPoint* position) override;
    int StartPointOptim(CFileLine* approach) override;
    void CalcCutInOut() override;
    int Backlash(SDPoint* position, int* started) override;
    int UpdateSmooth();
    void DeleteOptim(double toleranceMm);
    void DeletePointSegments();
    // Move the other curve's segments in front of / behind this path; the other curve ends empty.
    void LinkLeft(CCadCurve* other);
    void LinkRight(CCadCurve* other);
    void SetCutInOutPara(const CCutInOutPara& newLeadIn, const CCutInOutPara& newLeadOut);
    // 1 for a closed curve whose extent is square within 5 %.
    int IsCircleLike() const;
    // 1 when two segments of the path cross, the closing joint of a closed path and neighbours meeting
    // at their shared node not counted.
    int IsSelfCross() const;

    // The lead block of a new curve: straight, placed along the path, 5 mm long.
    static CCutInOutPara DefaultLead();
    // The closed curve of four Beziers that fills the rectangle (x1, y1)-(x2, y2) as an ellipse, its
    // rectangle computed.
    static std::unique_ptr<CCadCurve> MakeEllipse(double x1, double y1, double x2, double y2);
};
