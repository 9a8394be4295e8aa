// The shared benchmark drawings and pictures.
#include "BenchShapes.h"

#include <cmath>
#include <cstdint>
#include <memory>

#include "CadCurve.h"
#include "CadMgr.h"
#include "Rasterkit.h"

namespace bench {

SDPoint DecagonCorner(int index, int corner, double spacingMm) {
    const double cx = (index % 100) * spacingMm;
    const double cy = (index / 100) * spacingMm;
    const double angle = corner * 6.283185307179586 / kDecagonSides;
    return {cx + kDecagonRadiusMm * std::cos(angle), cy + kDecagonRadiusMm * std::sin(angle)};
}

CCadCurve* AddDecagonGrid(double spacingMm) {
    theCadMgr.DeleteAll();
    CCadCurve* first = nullptr;
    for (int index = 0; index < kDecagonCount; ++index) {
        auto curve = std::make_unique<CCadCurve>();
        for (int side = 0; side < kDecagonSides; ++side) {
            CFileLine segment;
            segment.start = DecagonCorner(index, side, spacingMm);
            segment.end = DecagonCorner(index, side + 1, spacingMm);
            curve->pathList.AddTail(segment);
        }
        curve->closed = 1;
        curve->CalRect();
        first = first != nullptr ? first : curve.get();
        theCadMgr.AddElement(curve.release());
    }
    return first;
}

platform::DibBlock BlobPicture() {
    platform::DibBlock dib;
    _dib_create(kPictureSide, kPictureSide, 8, 0, 0, &dib);
    std::uint8_t* pixels = dib.MutablePixels().data();
    for (int r = 0; r < kPictureSide; ++r) {
        for (int c = 0; c < kPictureSide; ++c) {
            const double cellX = (c % 256) - 128.0, cellY = (r % 256) - 128.0;
            const double radius = 20.0 + ((c / 256) * 7 + (r / 256) * 3) % 100;
            pixels[static_cast<std::size_t>(r) * kPictureSide + c] = std::hypot(cellX, cellY) < radius ? 0 : 255;
        }
    }
    _dib_format(&dib, 1);
    return dib;
}

}  // namespace bench
