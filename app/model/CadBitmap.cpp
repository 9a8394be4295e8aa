// CCadBitmap: ownership of the image, the queries, drawing, the bitmap record with its BMP image part, the
// rectangle from the image, the copy and the transforms.
#include "CadBitmap.h"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "LogicalUnits.h"
#include "Rasterkit.h"

namespace {

constexpr std::size_t kHeadersBytes = platform::BitmapFileHeader::kEncodedSize + platform::BitmapInfoHeader::kEncodedSize;
constexpr double kMmPerMetre = 1000.0;

constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kRadiansPerDegree = 0.017453292519943295;
// Resolutions that scaling may give, pels per metre.
constexpr double kLowestPelsPerMetre = 1.0;
constexpr double kHighestPelsPerMetre = 100000000.0;
constexpr auto kSrcCopy = static_cast<std::uint32_t>(platform::BlitOp::SrcCopy);
constexpr platform::ColorRef kSelectedFrameColour = 0xFF0000;
constexpr platform::ColorRef kSelectedBlueFrameColour = 0xFFFF00;

std::int32_t PelsPerMetreOrDefault(std::int32_t pels) {
    return pels > 0 ? pels : platform::DibBlock::kDefaultPelsPerMeter;
}

bool Done(RasterStatus status) {
    return (status & 0xFFFF) == 0;
}

// The angle in degrees within [0, 360); nothing for a non-finite angle. Reduced with fmod, so that a
// huge angle costs no more than a small one.
std::optional<double> NormalisedDegrees(double radians) {
    const double degrees = std::fmod(radians * kDegreesPerRadian, 360.0);
    if (!std::isfinite(degrees)) {
        return std::nullopt;
    }
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

// The nearest quarter turn in degrees: 0, 90, 180, 270 or 360.
double SnappedQuarterTurn(double degrees) {
    if (degrees < 45.0) {
        return 0.0;
    }
    if (degrees < 135.0) {
        return 90.0;
    }
    if (degrees < 225.0) {
        return 180.0;
    }
    return degrees < 315.0 ? 270.0 : 360.0;
}

SDPoint Turned(SDPoint point, double cx, double cy, double radians) {
    const double cosine = std::cos(radians), sine = std::sin(radians);
    return {cx + (point.x - cx) * cosine - (point.y - cy) * sine, cy + (point.x - cx) * sine + (point.y - cy) * cosine};
}

// The five points of the closed frame, starting and ending at (x1, y1).
std::array<SDPoint, 5> FramePoints(const CCadRect& rect) {
    return {SDPoint{rect.x1, rect.y1}, SDPoint{rect.x2, rect.y1}, SDPoint{rect.x2, rect.y2},
            SDPoint{rect.x1, rect.y2}, SDPoint{rect.x1, rect.y1}};
}

// Draws the frame points in logical units with the context's current pen.
void DrawFramePolyline(platform::DeviceContext& dc, const std::array<SDPoint, 5>& points) {
    dc.MoveTo(ToLogicalUnits(points[0]));
    for (std::size_t index = 1; index < points.size(); ++index) {
        dc.LineTo(ToLogicalUnits(points[index]));
    }
}

platform::ColorRef FrameColour(platform::ColorRef colour, bool selected) {
    if (!selected) {
        return colour;
    }
    return colour == kSelectedFrameColour ? kSelectedBlueFrameColour : kSelectedFrameColour;
}

// The image as a BMP file: file header, the info header with its image size recomputed for uncompressed
// rows, then the colour table and the rows as held.
void StoreImagePart(platform::Archive& ar, const platform::DibBlock& dib) {
    const std::optional<platform::BitmapInfoHeader> info = dib.InfoHeader();
    if (!info || dib.Layout().headerSize != platform::BitmapInfoHeader::kEncodedSize) {
        throw platform::ArchiveError("bitmap element without an image that can be stored");
    }
    const platform::DibLayout& layout = dib.Layout();
    platform::BitmapFileHeader fileHeader;
    fileHeader.fileSize = static_cast<std::uint32_t>(platform::BitmapFileHeader::kEncodedSize + layout.totalBytes);
    fileHeader.pixelOffset = static_cast<std::uint32_t>(platform::BitmapFileHeader::kEncodedSize + layout.pixelOffset);
    platform::BitmapInfoHeader header = *info;
    if (layout.IsUncompressed()) {
        header.imageSize = static_cast<std::uint32_t>(layout.stride * static_cast<std::uint64_t>(layout.height));
    }
    ar.WriteBytes(platform::Encode(fileHeader));
    ar.WriteBytes(platform::Encode(header));
    ar.WriteBytes(dib.Bytes().subspan(platform::BitmapInfoHeader::kEncodedSize,
                                      layout.totalBytes - platform::BitmapInfoHeader::kEncodedSize));
}

platform::DibBlock LoadImagePart(platform::Archive& ar) {
    std::array<std::uint8_t, platform::BitmapFileHeader::kEncodedSize> headerBytes{};
    ar.ReadBytes(headerBytes);
    const std::optional<platform::BitmapFileHeader> fileHeader = platform::DecodeBitmapFileHeader(headerBytes);
    if (!fileHeader || fileHeader->signature != platform::BitmapFileHeader::kSignature) {
        throw platform::ArchiveError("bitmap image part without its signature");
    }
    if (fileHeader->fileSize < kHeadersBytes ||
        fileHeader->fileSize - platform::BitmapFileHeader::kEncodedSize > ar.Remaining()) {
        throw platform::ArchiveError("bitmap image part of an impossible size");
    }
    const std::vector<std::uint8_t> packed = ar.ReadBytes(fileHeader->fileSize - platform::BitmapFileHeader::kEncodedSize);
    const std::optional<platform::BitmapInfoHeader> info = platform::DecodeBitmapInfoHeader(packed);
    if (!info || info->headerSize != platform::BitmapInfoHeader::kEncodedSize) {
        throw platform::ArchiveError("bitmap image part with an unknown header");
    }
    std::optional<platform::DibBlock> dib = platform::DibBlock::FromPackedBytes(packed);
    if (!dib || fileHeader->pixelOffset != platform::BitmapFileHeader::kEncodedSize + dib->Layout().pixelOffset) {
        throw platform::ArchiveError("bitmap image part that is not a sound bitmap");
    }
    return std::move(*dib);
}

}  // namespace

CCadBitmap::CCadBitmap() : CCadElement(kBitmapElement) {}

CCadBitmap::CCadBitmap(const CCadBitmap& source) : CCadElement(kBitmapElement) {
    platform::DibBlock copy;
    if (source.dib.IsEmpty() || !Done(_dib_copy(&source.dib, &copy)) || copy.IsEmpty()) {
        return;
    }
    dib = std::move(copy);
    centre = source.centre;
    rect = source.rect;
    color = source.color;
    layer = source.layer;
    reserved = source.reserved;
}

CCadBitmap::~CCadBitmap() {
    FreeDib();
}

void CCadBitmap::FreeDib() {
    dib = {};
}

int CCadBitmap::SetDib(const platform::DibBlock* source) {
    platform::DibBlock copy;
    if (source == nullptr || !Done(_dib_copy(source, &copy)) || copy.IsEmpty()) {
        return 0;
    }
    dib = std::move(copy);
    return 1;
}

int CCadBitmap::CreateDib(int width, int height, int bitsPerPixel, int xPelsPerMetre, int yPelsPerMetre) {
    FreeDib();
    platform::DibBlock created;
    if (!Done(_dib_create(width, height, bitsPerPixel, xPelsPerMetre, yPelsPerMetre, &created)) ||
        created.IsEmpty()) {
        return 0;
    }
    dib = std::move(created);
    return 1;
}

int CCadBitmap::ReadDib(platform::Archive* file) {
    return file != nullptr && Done(_dib_read(file, &dib)) ? 1 : 0;
}

int CCadBitmap::WriteDib(platform::Archive* file) {
    return file != nullptr && Done(_dib_write(file, &dib)) ? 1 : 0;
}

int CCadBitmap::GetBitCount() const {
    std::int16_t bits = 0;
    return Done(_dib_getbitcount(&dib, &bits)) ? bits : 0;
}

int CCadBitmap::GetWidth() const {
    int width = 0;
    return Done(_dib_getwidth(&dib, &width)) ? width : 0;
}

int CCadBitmap::GetHeight() const {
    int height = 0;
    return Done(_dib_getheight(&dib, &height)) ? height : 0;
}

int CCadBitmap::GetPixel(int x, int y) const {
    int colour = 0;
    return Done(_dib_getpixel(&dib, x, y, &colour)) ? colour : 0;
}

int CCadBitmap::DrawDibRect(platform::DeviceContext* dc, platform::Rect destination, platform::Rect source,
                            std::uint32_t rasterOperation) {
    return Done(_dib_display(dc, &dib, destination, source, rasterOperation)) ? 1 : 0;
}

void CCadBitmap::DrawDib(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC) {
    if (mapDC == nullptr || drawDC == nullptr) {
        return;
    }
    const double halfWidth = WidthMm() / 2, halfHeight = HeightMm() / 2;
    const platform::Point corner1 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{centre.x - halfWidth, centre.y - halfHeight}));
    const platform::Point corner2 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{centre.x + halfWidth, centre.y + halfHeight}));
    DrawDibRect(drawDC, {corner1.x, corner1.y, corner2.x, corner2.y}, {0, GetHeight(), GetWidth(), 0},
                kSrcCopy);
}

void CCadBitmap::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                      double dx, double dy, std::uint16_t mode) {
    if (mapDC == nullptr || drawDC == nullptr) {
        return;
    }
    const CCadRect placed = rect.MovedNormalised(dx, dy);
    if (!placed.Meets(visibleArea)) {
        return;
    }
    const platform::Point corner1 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{placed.x1, placed.y1}));
    const platform::Point corner2 = mapDC->LPtoDP(ToLogicalUnits(SDPoint{placed.x2, placed.y2}));
    const platform::Brush previousBrush = drawDC->SelectObject(platform::Brush::Null());
    if (mode != 0) {
        const platform::Pen previousPen = drawDC->SelectObject(platform::Pen::Styled(platform::PenStyle::Dot, 1, color));
        drawDC->Rectangle(corner1.x, corner1.y, corner2.x, corner2.y);
        drawDC->MoveTo(corner1);
        drawDC->LineTo(corner2);
        drawDC->MoveTo(corner1.x, corner2.y);
        drawDC->LineTo(corner2.x, corner1.y);
        drawDC->SelectObject(previousPen);
        drawDC->SelectObject(previousBrush);
        return;
    }
    DrawDibRect(drawDC, {corner1.x, corner1.y, corner2.x, corner2.y}, {0, GetHeight(), GetWidth(), 0},
                kSrcCopy);
    const platform::Pen previousPen =
        drawDC->SelectObject(platform::Pen::Solid(1, FrameColour(color, GetSelect() != 0)));
    drawDC->Rectangle(corner1.x, corner1.y, corner2.x, corner2.y);
    drawDC->SelectObject(previousPen);
    drawDC->SelectObject(previousBrush);
}

void CCadBitmap::DrawPath(platform::DeviceContext*, platform::DeviceContext*, SDPoint*) {}

void CCadBitmap::DrawMove(platform::DeviceContext* dc, double dx, double dy) {
    if (dc == nullptr) {
        return;
    }
    DrawFramePolyline(*dc, FramePoints(rect.MovedNormalised(dx, dy)));
}

void CCadBitmap::DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) {
    if (dc == nullptr) {
        return;
    }
    std::array<SDPoint, 5> points = FramePoints(rect);
    for (SDPoint& point : points) {
        if (sx != 1.0) {
            point.x = (point.x - px) * sx + px;
        }
        if (sy != 1.0) {
            point.y = (point.y - py) * sy + py;
        }
    }
    DrawFramePolyline(*dc, points);
}

void CCadBitmap::DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) {
    const std::optional<double> degrees = NormalisedDegrees(angle);
    if (dc == nullptr || !degrees) {
        return;
    }
    const double snapped = SnappedQuarterTurn(*degrees);
    if (snapped == 0.0 || snapped == 360.0) {
        return;
    }
    std::array<SDPoint, 5> points = FramePoints(rect);
    for (SDPoint& point : points) {
        point = Turned(point, cx, cy, snapped * kRadiansPerDegree);
    }
    DrawFramePolyline(*dc, points);
}

void CCadBitmap::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreBaseRecord(ar);
        StoreImagePart(ar, dib);
        ar << centre.x << centre.y << reserved;
        return;
    }
    BaseRecord base = LoadBaseRecord(ar);
    platform::DibBlock loadedDib = LoadImagePart(ar);
    const double centreX = ar.ReadDouble();
    const double centreY = ar.ReadDouble();
    const std::uint32_t loadedReserved = ar.ReadU32();
    if (!std::isfinite(centreX) || !std::isfinite(centreY)) {
        throw platform::ArchiveError("bitmap centre with a non-finite coordinate");
    }
    ApplyBaseRecord(std::move(base));
    dib = std::move(loadedDib);
    centre = {centreX, centreY};
    reserved = loadedReserved;
    CalRect();
}

double CCadBitmap::WidthMm() const {
    const std::optional<platform::BitmapInfoHeader> info = dib.InfoHeader();
    return info ? dib.Layout().width * kMmPerMetre / PelsPerMetreOrDefault(info->xPelsPerMeter) : 0.0;
}

double CCadBitmap::HeightMm() const {
    const std::optional<platform::BitmapInfoHeader> info = dib.InfoHeader();
    return info ? dib.Layout().height * kMmPerMetre / PelsPerMetreOrDefault(info->yPelsPerMeter) : 0.0;
}

void CCadBitmap::CalRect() {
    const double width = WidthMm(), height = HeightMm();
    rect = {centre.x - width / 2, centre.y - height / 2, centre.x + width / 2, centre.y + height / 2, 0};
}

void CCadBitmap::TransMove(double dx, double dy) {
    centre.x += dx;
    centre.y += dy;
    rect.Offset(dx, dy);
}

void CCadBitmap::TransDrag(double sx, double sy, double px, double py) {
    if ((sx == 1.0 && sy == 1.0) || sx == 0.0 || sy == 0.0 || !std::isfinite(sx) || !std::isfinite(sy)) {
        return;
    }
    int xPels = 0, yPels = 0;
    if (Done(_dib_getprecision(&dib, &xPels, &yPels))) {
        const auto scaled = [](int pels, double factor) {
            const double rounded = std::floor(pels / std::fabs(factor) + 0.5);
            return static_cast<int>(std::fmin(std::fmax(rounded, kLowestPelsPerMetre), kHighestPelsPerMetre));
        };
        _dib_setprecision(&dib, scaled(xPels, sx), scaled(yPels, sy));
    }
    centre = {(centre.x - px) * sx + px, (centre.y - py) * sy + py};
    if (sx < 0.0) {
        _dib_xmirror(&dib);
    }
    if (sy < 0.0) {
        _dib_ymirror(&dib);
    }
    CalRect();
}

void CCadBitmap::TransRotate(double cx, double cy, double angle) {
    const std::optional<double> degrees = NormalisedDegrees(angle);
    if (!degrees) {
        return;
    }
    const double snapped = SnappedQuarterTurn(*degrees);
    if (snapped == 90.0 || snapped == 270.0) {
        int xPels = 0, yPels = 0;
        const bool hasResolution = Done(_dib_getprecision(&dib, &xPels, &yPels));
        if (Done(_dib_rotate(&dib, snapped)) && hasResolution) {
            _dib_setprecision(&dib, yPels, xPels);
        }
    } else if (snapped == 180.0) {
        _dib_rotate(&dib, snapped);
    }
    centre = Turned(centre, cx, cy, snapped * kRadiansPerDegree);
    CalRect();
}

void CCadBitmap::XMirror(double x) {
    _dib_xmirror(&dib);
    centre.x = 2 * x - centre.x;
    CalRect();
}

void CCadBitmap::YMirror(double y) {
    _dib_ymirror(&dib);
    centre.y = 2 * y - centre.y;
    CalRect();
}

int CCadBitmap::CopyFrom(const CCadElement* source, double dx, double dy) {
    const auto* bitmap = dynamic_cast<const CCadBitmap*>(source);
    if (bitmap == nullptr || bitmap->typeCode != kBitmapElement || bitmap->dib.IsEmpty()) {
        return 0;
    }
    FreeDib();
    platform::DibBlock copy;
    if (!Done(_dib_copy(&bitmap->dib, &copy)) || copy.IsEmpty()) {
        return 0;
    }
    dib = std::move(copy);
    color = bitmap->color;
    layer = bitmap->layer;
    reserved = bitmap->reserved;
    centre = {bitmap->centre.x + dx, bitmap->centre.y + dy};
    rect = bitmap->rect;
    rect.Offset(dx, dy);
    return 1;
}
