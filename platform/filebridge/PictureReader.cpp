#include "PictureReader.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <cstring>
#include <memory>
#include <optional>

#include "BitmapRecords.h"
#include "PictureEndCheck.h"

namespace filebridge {

namespace {

constexpr double kMmPerMetre = 1000.0;

void SetPaletteEntry(std::span<std::uint8_t> palette, int index, QRgb colour) {
    const std::size_t at = static_cast<std::size_t>(index) * 4;
    if (at + 4 > palette.size()) {
        return;
    }
    palette[at] = static_cast<std::uint8_t>(qBlue(colour));
    palette[at + 1] = static_cast<std::uint8_t>(qGreen(colour));
    palette[at + 2] = static_cast<std::uint8_t>(qRed(colour));
    palette[at + 3] = 0;
}

QImage OverWhite(const QImage& image) {
    QImage blended = image.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < blended.height(); ++row) {
        auto* pixels = reinterpret_cast<QRgb*>(blended.scanLine(row));
        for (int column = 0; column < blended.width(); ++column) {
            const QRgb p = pixels[column];
            const int alpha = qAlpha(p);
            const auto over = [alpha](int channel) { return (channel * alpha + 255 * (255 - alpha) + 127) / 255; };
            pixels[column] = qRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p)));
        }
    }
    return blended.convertToFormat(QImage::Format_RGB888);
}

// The picture in the depth that keeps it: its rows, its colour table, its bit count.
struct Prepared {
    QImage image;
    std::uint16_t bitCount = 24;
};

Prepared Prepare(const QImage& image) {
    switch (image.format()) {
        case QImage::Format_Mono:
        case QImage::Format_MonoLSB:
            return {image.convertToFormat(QImage::Format_Mono), 1};
        case QImage::Format_Indexed8:
            if (!image.hasAlphaChannel()) {
                return {image, 8};
            }
            break;
        case QImage::Format_Grayscale8:
            return {image, 8};
        default:
            break;
    }
    if (image.hasAlphaChannel()) {
        return {OverWhite(image), 24};
    }
    return {image.convertToFormat(QImage::Format_RGB888), 24};
}

void CopyPalette(const Prepared& prepared, platform::DibBlock& block) {
    const auto palette = block.MutablePalette();
    if (prepared.image.format() == QImage::Format_Grayscale8) {
        for (int index = 0; index < 256; ++index) {
            SetPaletteEntry(palette, index, qRgb(index, index, index));
        }
        return;
    }
    const QList<QRgb> table = prepared.image.colorTable();
    for (int index = 0; index < table.size(); ++index) {
        SetPaletteEntry(palette, index, table[index]);
    }
}

void CopyRows(const Prepared& prepared, platform::DibBlock& block) {
    const platform::DibLayout& layout = block.Layout();
    const auto pixels = block.MutablePixels();
    const std::size_t rowBytes = (static_cast<std::size_t>(layout.width) * prepared.bitCount + 7) / 8;
    for (int row = 0; row < layout.height; ++row) {
        const std::size_t stored = static_cast<std::size_t>(layout.height - 1 - row) * layout.stride;
        std::uint8_t* target = pixels.data() + stored;
        const uchar* source = prepared.image.constScanLine(row);
        if (prepared.bitCount != 24) {
            std::memcpy(target, source, rowBytes);
            continue;
        }
        for (int column = 0; column < layout.width; ++column) {
            target[column * 3] = source[column * 3 + 2];
            target[column * 3 + 1] = source[column * 3 + 1];
            target[column * 3 + 2] = source[column * 3];
        }
    }
}

double MmPerPixel(int dotsPerMetre) {
    return dotsPerMetre > 0 ? kMmPerMetre / dotsPerMetre : CFileDib::kDefaultScaleMm;
}

}  // namespace

bool ReadPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels) {
    if (const std::string refused = CheckPictureEnd(bytes); !refused.empty()) {
        return out.Fail(refused);
    }
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && static_cast<std::int64_t>(size.width()) * size.height() > maxPixels) {
        return out.Fail("picture larger than the import limit");
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        return out.Fail("unreadable picture: " + reader.errorString().toStdString());
    }
    return AddPicture(image, {image.dotsPerMeterX(), image.dotsPerMeterY()}, out, maxPixels);
}

bool AddPicture(const QImage& image, PictureResolution resolution, DrawingCollector& out, std::int64_t maxPixels) {
    if (static_cast<std::int64_t>(image.width()) * image.height() > maxPixels) {
        return out.Fail("picture larger than the import limit");
    }
    const Prepared prepared = Prepare(image);
    std::optional<platform::DibBlock> block =
        platform::DibBlock::CreateBlank(prepared.image.width(), prepared.image.height(), prepared.bitCount);
    if (!block) {
        return out.Fail("picture cannot be held as a bitmap");
    }
    CopyPalette(prepared, *block);
    CopyRows(prepared, *block);
    const bool stated = resolution.dotsPerMetreX > 0 && resolution.dotsPerMetreY > 0;
    if (auto header = block->InfoHeader(); header && stated) {
        header->xPelsPerMeter = resolution.dotsPerMetreX;
        header->yPelsPerMeter = resolution.dotsPerMetreY;
        block->ReplaceInfoHeader(*header);
    }
    auto record = std::make_unique<CFileDib>();
    record->dib = std::move(*block);
    record->m11 = MmPerPixel(stated ? resolution.dotsPerMetreX : 0);
    record->m22 = MmPerPixel(stated ? resolution.dotsPerMetreY : 0);
    out.AddBitmap(std::move(record));
    return !out.Failed();
}

}  // namespace filebridge
