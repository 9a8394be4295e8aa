// CCadBitmap: element type 2, a raster image placed by its centre; its rectangle follows from the image's
// pixel size and resolution. This holds what groups, arrays and drawings need of it: the image, the
// placement, the record, the rectangle, the copy and the move.
#pragma once

#include <cstdint>

#include "CadElement.h"
#include "DibBlock.h"

class CCadBitmap : public CCadElement {
  public:
    SDPoint centre;             // mm, the image's centre in the drawing
    platform::DibBlock dib;     // the packed image, owned; empty when there is none
    std::uint32_t reserved = 0;  // stored and copied, given no meaning

    // Type 2, no image, centre (0, 0).
    CCadBitmap();

    // The base record, the image as a complete BMP file image, centre x, centre y, reserved (u32).
    // Storing an element without an image, or with another header than the 40-byte one, throws
    // ArchiveError: its record could not be read back in step. Loading refuses an image part that does
    // not start with "BM", whose size is below its headers or beyond the record, whose header is not 40
    // bytes or whose bitmap is unsound, and leaves the element unchanged.
    void Serialize(platform::Archive& ar) override;
    // The rectangle of the image's size in mm centred on the centre; without an image a point there.
    void CalRect() override;
    void TransMove(double dx, double dy) override;
    // A copy of the image, colour, layer, reserved, centre and rectangle moved by (dx, dy); 0 unless the
    // source is a bitmap with an image.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;
};
