// CCadElement: the base of every graphic element of a drawing. It holds what all elements share, stores
// and loads the base part of an element record, and defines the virtual operations through which the
// drawing manager, the view, the dialogs and job output treat every element alike.
//
// Units: model coordinates are millimetres (y up). Drawing turns them into logical units of 0.001 mm,
// truncated toward zero; the mapping context turns logical units into device pixels. A "DC pair" is the
// mapping context (conversions only) followed by the context that is drawn into, in device pixels.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "Archive.h"
#include "CadRect.h"
#include "DeviceContext.h"
#include "FileLine.h"
#include "SDPoint.h"

class CCadLayer;

// Type codes of the elements, stored in every element record.
enum ElementType : std::uint16_t {
    kCurveElement = 1,
    kBitmapElement = 2,
    kPointElement = 3,
    kGroupElement = 4,
    kTextElement = 5,
    kArrayElement = 6,
    kOrderGroupElement = 100,  // the cut-order optimiser's cluster; never stored
};

class CCadElement {
  public:
    std::uint16_t typeCode;
    CCadRect rect;                  // bounding rectangle, mm
    int selected = 0;               // 1 while in the drawing manager's selection; never stored
    std::string name;               // UTF-8; empty by default
    std::uint32_t color = 0;        // colour key of the element's layer (0x00BBGGRR)
    CCadLayer* layer = nullptr;     // the layer the element is attached to; not owned, never stored
    std::uint32_t orderNumber = 0;  // position in the drawing's element list, from 1

    // Type 1, rectangle (0, 0)-(100, 100), not selected, no name.
    CCadElement() : CCadElement(kCurveElement) {}
    CCadElement(const CCadElement&) = delete;
    CCadElement& operator=(const CCadElement&) = delete;
    // Virtual, so that deleting an element through a base pointer always destroys it as its own class.
    virtual ~CCadElement() = default;

    // Drawing. Draw paints the element displaced by (dx, dy) mm; mode 0 normal, 1 dotted outline.
    virtual void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                      double dx, double dy, std::uint16_t mode);
    // The travel link from *lastPoint to the element's centre, which becomes the new *lastPoint.
    virtual void DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC,
                          SDPoint* lastPoint);
    // The selection frame; mode 1 node editing, 0 cut-point picking.
    virtual void DrawFrame(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC,
                           CCadRect visibleArea, int mode);
    // 0 when file is null, else non-zero after writing the element's PLT commands (none for the base).
    virtual int ExportPlt(std::FILE* file);

    // Stores or loads the element record. The base stores the base record: u16 type, name, u32 order
    // number, u32 colour, then the rectangle as x1, x2, y1, y2. Loading throws ArchiveError and leaves the
    // element unchanged when the record is short, names another element type or has a non-finite corner.
    virtual void Serialize(platform::Archive& ar);

    // Picking; (x, y) in logical units. HitTest normalises the stored rectangle in place.
    virtual int HitTest(double x, double y, platform::DeviceContext* viewDC);
    // mode 0 picks the cut direction, any other value the cut start point.
    virtual int HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode);
    virtual int SetSelect(int flag);
    virtual int GetSelect() const;

    // Rubber-band previews into one context, and the transforms (mm, radians).
    virtual void DrawMove(platform::DeviceContext* dc, double dx, double dy);
    virtual void TransMove(double dx, double dy);
    virtual void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py);
    virtual void TransDrag(double sx, double sy, double px, double py);
    virtual void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle);
    virtual void TransRotate(double cx, double cy, double angle);
    virtual void DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY);
    virtual void TransSkew(double cx, double cy, double angleX, double angleY);
    virtual void XMirror(double x);
    virtual void YMirror(double y);
    virtual void CalRect();

    // Copies the source's content moved by (dx, dy); 0 when the source cannot be copied. The base copies
    // nothing and returns 1.
    virtual int CopyFrom(const CCadElement* source, double dx, double dy);

    // Curve operations; the arguments go through to the curve math as the curve element passes them.
    // Groups forward them to their children; every other element ignores them.
    virtual int Smooth(double degree, int replace, int method);
    virtual void AutoClose(double toleranceMm, int option);
    virtual void TransDir();
    virtual void FindStartPoint(SDPoint* position);
    virtual int StartPointOptim(CFileLine* approach);
    virtual void CalcCutInOut();
    virtual int Backlash(SDPoint* position, int* started);

    // Behaviour shared by every element; no class changes it.

    // The repaint step: Draw, then the travel link in path display, then the frame of a selected element
    // while node editing or cut-point picking is on.
    void Paint(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* lastPoint,
               CCadRect visibleArea);
    // 1 when the element's rectangle lies inside the (normalised) area within 0.001 mm.
    int IsInRect(CCadRect area) const;
    // TransMove by (dx, dy), then TransDrag about (px, py) unless both factors are exactly 1.
    void Transform(double dx, double dy, double px, double py, double sx, double sy);
    // A length along x converted by the context's mapping, truncated toward zero; 0 without a context.
    static int LengthLPtoDP(const platform::DeviceContext* dc, int length);
    static int LengthDPtoLP(const platform::DeviceContext* dc, int length);

  protected:
    explicit CCadElement(std::uint16_t elementType) : typeCode(elementType) {}

    // The red arrow head of the path view with its tip on `tip`, pointing the way the head moves when it
    // comes from `behind` (mm).
    static void DrawHeadingArrow(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint tip,
                                 SDPoint behind);

    // The base record's fields as read, before they are applied.
    struct BaseRecord {
        std::string name;
        std::uint32_t orderNumber = 0;
        std::uint32_t color = 0;
        CCadRect rect;
    };
    void StoreBaseRecord(platform::Archive& ar) const;
    // Throws ArchiveError as Serialize describes; changes nothing.
    BaseRecord LoadBaseRecord(platform::Archive& ar) const;
    // Takes the fields over and clears the selection, as every load does.
    void ApplyBaseRecord(BaseRecord record);
};
