// CCadBitmap: element type 2, a raster image placed by its centre; its rectangle follows from the image's
// pixel size and resolution. Every pixel operation goes through Rasterkit; this class holds the image, the
// placement, the record, the drawing and the transforms (CadBitmap.cpp), the image operations
// (CadBitmapOperations.cpp) and the tracing of the image into curves (CadBitmapTracing.cpp).
//
// Results are int: 1 for success and 0 for failure unless said otherwise. p0 and span are a progress
// range: an operation writes p0 + fraction x span into ProgressRatio at its fixed points.
#pragma once

#include <cstdint>

#include "CadElement.h"
#include "DbList.h"
#include "DibBlock.h"

class CCadCurve;
struct LayerOutputRecord;

// Non-zero while the bitmap dialog's "Set output resolution" box is checked: the conversions then resample
// the image to the dpi they are given. Written by the dialog only, read by the operations.
extern std::uint32_t ResampleOnConvert;

class CCadBitmap : public CCadElement {
  public:
    SDPoint centre;              // mm, the image's centre in the drawing
    platform::DibBlock dib;      // the packed image, owned; empty when there is none
    std::uint32_t reserved = 0;  // stored and copied, given no meaning

    // The panel logo: 128 columns by 64 rows packed in eight bands of 8 rows, one byte per column a band.
    static constexpr int kLogoWidth = 128;
    static constexpr int kLogoHeight = 64;
    static constexpr int kLogoBytes = kLogoWidth * kLogoHeight / 8;

    // Type 2, no image, centre (0, 0).
    CCadBitmap();
    // A duplicate of the source's image with its centre, rectangle, colour, layer and reserved word; a new
    // element without image when the source has none or the copy fails. Name, order and selection stay.
    CCadBitmap(const CCadBitmap& source);
    ~CCadBitmap() override;

    // Ownership. SetDib takes a duplicate (the caller keeps its own) and keeps the old image when the
    // copy fails; SetDib and CreateDib leave the rectangle to the caller.
    void FreeDib();
    platform::DibBlock* GetDib() { return dib.IsEmpty() ? nullptr : &dib; }
    int SetDib(const platform::DibBlock* source);
    // A white image; without an image when it cannot be made.
    int CreateDib(int width, int height, int bitsPerPixel, int xPelsPerMetre, int yPelsPerMetre);
    // A BMP file image at the archive's position.
    int ReadDib(platform::Archive* file);
    int WriteDib(platform::Archive* file);

    // Queries; 0 when Rasterkit fails (no image, or outside the picture for GetPixel, y from the top).
    int GetBitCount() const;
    int GetWidth() const;
    int GetHeight() const;
    int GetPixel(int x, int y) const;

    // Drawing. DrawDibRect copies the source rectangle (picture pixels) into the destination (device
    // pixels); DrawDib draws the image alone at its place, for the dialog previews.
    int DrawDibRect(platform::DeviceContext* dc, platform::Rect destination, platform::Rect source,
                    std::uint32_t rasterOperation);
    void DrawDib(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC);
    // Mode 0: the image and a solid frame; any other mode: a dotted frame with its diagonals only.
    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea, double dx,
              double dy, std::uint16_t mode) override;
    // A bitmap draws no travel link.
    void DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* lastPoint) override;

    // The base record, the image as a complete BMP file image, centre x, centre y, reserved (u32).
    // Storing an element without an image, or with another header than the 40-byte one, throws
    // ArchiveError: its record could not be read back in step. Loading refuses an image part that does
    // not start with "BM", whose size is below its headers or beyond the record, whose header is not 40
    // bytes or whose bitmap is unsound, and leaves the element unchanged.
    void Serialize(platform::Archive& ar) override;

    // Rubber-band previews of the frame, drawn in logical units with the context's current pen.
    void DrawMove(platform::DeviceContext* dc, double dx, double dy) override;
    void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) override;
    // Only quarter turns are previewed: an angle nearer to no turn than to a quarter draws nothing.
    void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) override;

    void TransMove(double dx, double dy) override;
    // Scaling changes the resolution, not the pixels; a negative factor mirrors the image. Resolutions
    // stay within 1..100,000,000 pels per metre; zero or non-finite factors change nothing.
    void TransDrag(double sx, double sy, double px, double py) override;
    // Turns by the nearest quarter turn (angles below 45 degrees either way do not turn); a turn across
    // exchanges the two resolutions with the pixel axes, so the picture keeps its size in mm.
    void TransRotate(double cx, double cy, double angle) override;
    void XMirror(double x) override;
    void YMirror(double y) override;
    // The rectangle of the image's size in mm centred on the centre; without an image a point there.
    void CalRect() override;
    // A copy of the image, colour, layer, reserved, centre and rectangle moved by (dx, dy); 0 unless the
    // source is a bitmap with an image (without image afterwards when the copy itself fails).
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    // Image operations. Invert and AdjustPalette return Rasterkit's status (0 done); the conversions
    // stop at their first failing step and leave the image as far as they got.
    int SetFormat(int bitsPerPixel);
    int Invert();
    int AdjustPalette();
    int BrightContrast(int order, int brightness, int contrast);
    int Sharpen(double p0, double span);
    // Resamples to the pixel count of the element's size in mm at dpi; the rectangle stays.
    int SetResolution(int dpi);
    int ToGrey(int dpi, double p0, double span);
    int ToMono(int dpi, double p0, double span);
    int ToDot(int dpi, double p0, double span);
    int ToNet(int linesPerInch, int dpi);
    // Nearest-pixel resampling to width x height at 8 or 24 bits; the rectangle follows the new image.
    int Resample(int width, int height, int bitsPerPixel);
    int AscentDeal(double rampWidthMm, double pixelSizeMm, double, double);
    int ThickFont(int mode, double widthMm, double, double);
    // Draws the source into this image at a pixel offset.
    int Mix(const CCadBitmap* source, int columnOffset, int rowOffset, double, double);
    // Writes the image as scan lines into the open job, with the job frame and laser head position of
    // the settings; the progress pair is not used.
    int WriteSweep(double interval, std::uint32_t outputDirect, std::uint8_t scanMode, std::uint32_t ramp,
                   std::uint32_t zero, std::int32_t* stateA, std::int32_t* stateB, double reverseInterval,
                   double p0, double span);
    // Brings a scratch copy into the form the scan writer takes for the layer's output record.
    int PrepareScan(const LayerOutputRecord* record, double p0, double span);
    // Packs the panel logo into exactly kLogoBytes bytes: bit k of byte b x 128 + x is set when picture
    // pixel (x, 8b + k) is dark (low 8 bits below 128). Pixels outside the picture read white.
    int GetLogoBits(std::uint8_t* buffer) const;

    // Traces the image into curves appended to `out`, which is emptied first (its curves are deleted):
    // first the joined and thinned open contours, then the closed ones. The image becomes its edge
    // image, so callers trace a copy. The curves take `curveColour`, the drawing's current colour. 1 when
    // at least one contour was traced.
    int TraceOutline(double p0, double span, CDbList<CCadElement*>* out, std::uint32_t curveColour);
    // When the curve's closed path is a circle, replaces it by a regular polygon of chords within
    // `tolerance` mm of the circle, starting where the path started and running its way. Returns the
    // circle flag (non-zero: replaced).
    static int FitArcs(CCadCurve* curve, double tolerance);

  private:
    // The pixel size in mm along x: the rectangle's width over the width in pixels.
    double PixelSizeMm() const;
    double WidthMm() const;
    double HeightMm() const;
};
