// Rasterkit: the bitmap library. Every export works on a bitmap handle, a platform::DibBlock holding one
// packed device-independent bitmap (info header, colour table, bottom-up rows padded to 4 bytes).
//
// Conventions shared by every export:
// - The result's low 16 bits are the status: 0 done, 1 failed. No exception leaves an export.
// - An export that takes a handle to replace (`DibBlock* dib` documented as "replaced") builds the new
//   bitmap first and moves it into *dib only then; on failure *dib stays as it was.
// - A null pointer or an empty block is the null handle. Exports that read or change pixels need an
//   uncompressed bitmap with an info header and 1, 4, 8 or 24 bits per pixel, and fail with 1 otherwise.
// - Resolutions are pels per metre; 2835 (72 dots per inch) stands wherever a resolution is missing or
//   outside 1..100,000,000.
// - A placement (`CCadRect`) is four doubles x1, y1, x2, y2 in mm; only x1, y1 and the absolute width and
//   height count. Picture rows count from the top (y) where said, else stored rows from the bottom.
#pragma once

#include <cstdint>

#include "Archive.h"
#include "DbList.h"
#include "DeviceContext.h"
#include "DibBlock.h"
#include "FileDraw.h"
#include "FileLine.h"
#include "JobFrame.h"

#define RASTERKIT_API __attribute__((visibility("default")))

using RasterStatus = std::int32_t;

extern "C" {

// Handle, files and getters.
RASTERKIT_API RasterStatus _dib_create(int width, int height, int bits, int xPelsPerMetre, int yPelsPerMetre,
                                       platform::DibBlock* out);
RASTERKIT_API RasterStatus _dib_copy(const platform::DibBlock* dib, platform::DibBlock* out);
// `path` is UTF-8.
RASTERKIT_API RasterStatus _dib_load(const char* path, platform::DibBlock* out);
// Reads a BMP file at the archive's position; run-length and top-down files become plain bottom-up
// bitmaps. *out is set only on success.
RASTERKIT_API RasterStatus _dib_read(platform::Archive* file, platform::DibBlock* out);
// Writes a BMP file at the archive's position; the image size of an uncompressed bitmap is recomputed
// and stored into its header.
RASTERKIT_API RasterStatus _dib_write(platform::Archive* file, platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_getbitcount(const platform::DibBlock* dib, std::int16_t* bits);
RASTERKIT_API RasterStatus _dib_getwidth(const platform::DibBlock* dib, int* width);
RASTERKIT_API RasterStatus _dib_getheight(const platform::DibBlock* dib, int* height);
RASTERKIT_API RasterStatus _dib_getwidthbytes(const platform::DibBlock* dib, int* bytes);
RASTERKIT_API RasterStatus _dib_getdpix(const platform::DibBlock* dib, double* mmPerPixel);
RASTERKIT_API RasterStatus _dib_getdpiy(const platform::DibBlock* dib, double* mmPerPixel);
// Colour 0xRRGGBB of picture pixel (x, y), y from the top; 1 outside the picture.
RASTERKIT_API RasterStatus _dib_getpixel(const platform::DibBlock* dib, int x, int y, int* colour);
RASTERKIT_API RasterStatus _dib_getprecision(platform::DibBlock* dib, int* xPelsPerMetre, int* yPelsPerMetre);
RASTERKIT_API RasterStatus _dib_setprecision(platform::DibBlock* dib, int xPelsPerMetre, int yPelsPerMetre);
// 0 when the pixel rows can be located; `bits` is not written.
RASTERKIT_API RasterStatus _dib_getbitsptr(const platform::DibBlock* dib, void** bits);
// Draws the source rectangle (picture coordinates, top row 0) stretched into the destination; the raster
// operation is not read, the bitmap is always copied.
RASTERKIT_API RasterStatus _dib_display(platform::DeviceContext* dc, const platform::DibBlock* dib,
                                        platform::Rect destination, platform::Rect source,
                                        std::uint32_t rasterOperation);

// Pixel formats, geometry and resolution. `dib` is replaced by _dib_format, _dib_rotate,
// _dib_setresolution and _dib_logformat.
RASTERKIT_API RasterStatus _dib_format(platform::DibBlock* dib, int bits);
RASTERKIT_API RasterStatus _dib_adjustpal(platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_rotate(platform::DibBlock* dib, double degrees);
RASTERKIT_API RasterStatus _dib_xmirror(platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_ymirror(platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_setresolution(platform::DibBlock* dib, double widthMm, double heightMm, int dpi);
RASTERKIT_API RasterStatus _dib_logformat(platform::DibBlock* dib, int width, int height, int bits);
RASTERKIT_API RasterStatus _dib_mix(platform::DibBlock* destination, double dstX1, double dstY1, double dstX2,
                                    double dstY2, const platform::DibBlock* source, double srcX1, double srcY1,
                                    double srcX2, double srcY2, int colOffset, int rowOffset);

// Tone and filters, in place except _dib_thickfont, which may replace `dib`.
RASTERKIT_API RasterStatus _dib_bandc(platform::DibBlock* dib, int order, int brightness, int contrast);
RASTERKIT_API RasterStatus _dib_invert(platform::DibBlock* dib);
// `kernel` holds size x size weights row by row.
RASTERKIT_API RasterStatus _dib_filter(platform::DibBlock* dib, const int* kernel, int size, int divisor, int bias);
RASTERKIT_API RasterStatus _dib_sharp(platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_thickfont(platform::DibBlock* dib, int mode, double width, double sizeMm,
                                          double unused);

// Halftoning and graded rings. _dib_dot and _dib_net replace `dib` by a 1-bit bitmap.
RASTERKIT_API RasterStatus _dib_dot(platform::DibBlock* dib);
RASTERKIT_API RasterStatus _dib_net(platform::DibBlock* dib, int linesPerInch, double widthMm, double unused);
RASTERKIT_API RasterStatus _dib_ascentdeal(platform::DibBlock* dib, double width, double pixelSize);

// Vectorising and fill. _dib_outline replaces `dib` by its 8-bit edge image and appends curves the caller
// owns; _dib_fill and _dib_DrawLine toggle pixels of a 1 or 8-bit bitmap.
RASTERKIT_API RasterStatus _dib_outline(platform::DibBlock* dib, CDbList<CFileCurve*>* out, double widthMm,
                                        double heightMm);
RASTERKIT_API RasterStatus _dib_fill(platform::DibBlock* dib, CDbList<CFileLine>* curve, double pixelSize,
                                     double x1, double y1, double x2, double y2);
RASTERKIT_API RasterStatus _dib_DrawLine(platform::DibBlock* dib, CFileLine segment, double pixelSize, double x1,
                                         double y1, double x2, double y2);

// Scan-engraving output into the open job: travel moves, powers and cut lines of every dark run.
// headPosition: laser-head position code 0..8 (low 16 bits; above 8 counts as 8). writerSelect non-zero:
// run writer, 0: merging writer. scanKind: 0 horizontal one-way, 1 horizontal bidirectional, 2 vertical
// one-way, 3 vertical bidirectional. greyPower: merging writer sends powers per segment. stateA and
// stateB are handed unchanged to every Zint_wMoveTo and Zint_wLineTo. lineShift (mm) is added along the
// scan direction. 1 for a lineStep below 0.001 mm.
RASTERKIT_API RasterStatus _dib_writesweep(const platform::DibBlock* dib, double x1, double y1, double x2,
                                           double y2, JobFrame frame, std::uint32_t headPosition, int powerMode,
                                           double lineStep, std::uint32_t writerSelect, std::uint8_t scanKind,
                                           std::uint32_t greyPower, std::uint32_t unused, std::int32_t* stateA,
                                           std::int32_t* stateB, double lineShift);

}  // extern "C"
