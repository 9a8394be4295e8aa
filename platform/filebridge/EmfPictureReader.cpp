#include "EmfPictureReader.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>

#include "EmfRecordCheck.h"
#include "MetafileConverter.h"

namespace filebridge {

namespace {

constexpr std::uint32_t kHeaderRecordType = 1;
constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF" read as a little-endian word
constexpr std::size_t kMinHeaderBytes = 88;
constexpr std::size_t kFrameOffset = 24;
constexpr std::size_t kSignatureOffset = 40;
constexpr std::size_t kTotalBytesOffset = 48;
constexpr double kHundredthsPerMetre = 100000.0;

std::uint32_t Word(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

std::int32_t SignedWord(std::string_view bytes, std::size_t at) {
    return static_cast<std::int32_t>(Word(bytes, at));
}

// What the header record tells before any drawing record is read.
struct EmfHeader {
    std::int64_t frameWidth = 0;  // 0.01 mm
    std::int64_t frameHeight = 0;
    std::uint32_t totalBytes = 0;
};

// The header of a metafile, or nothing when the bytes do not start with a sound one.
std::optional<EmfHeader> ReadEmfHeader(std::string_view bytes) {
    if (bytes.size() < kMinHeaderBytes || Word(bytes, 0) != kHeaderRecordType) {
        return std::nullopt;
    }
    const std::uint32_t recordBytes = Word(bytes, 4);
    if (recordBytes < kMinHeaderBytes || recordBytes > bytes.size() ||
        Word(bytes, kSignatureOffset) != kSignature) {
        return std::nullopt;
    }
    EmfHeader header;
    header.frameWidth = std::int64_t{SignedWord(bytes, kFrameOffset + 8)} - SignedWord(bytes, kFrameOffset);
    header.frameHeight =
        std::int64_t{SignedWord(bytes, kFrameOffset + 12)} - SignedWord(bytes, kFrameOffset + 4);
    header.totalBytes = Word(bytes, kTotalBytesOffset);
    if (header.totalBytes < recordBytes || header.totalBytes > bytes.size()) {
        return std::nullopt;
    }
    return header;
}

// Whether the SVG holds text elements. Qt draws text only with the fonts of a running GUI application
// and stops the process when there is none, so text is drawn only inside the program.
bool DrawsText(std::string_view svg) {
    return svg.find("<text") != std::string_view::npos;
}

// Pixels per metre that give `pixels` the frame's `hundredths` of a millimetre; zero when unstated.
int DotsPerMetre(int pixels, std::int64_t hundredths) {
    constexpr double kMostDotsPerMetre = 1e9;
    if (hundredths <= 0) {
        return 0;
    }
    const double dots = pixels * kHundredthsPerMetre / static_cast<double>(hundredths);
    return dots >= 1.0 && dots <= kMostDotsPerMetre ? static_cast<int>(std::lround(dots)) : 0;
}

}  // namespace

bool ReadEmfPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels) {
    const std::optional<EmfHeader> header = ReadEmfHeader(bytes);
    if (!header) {
        return out.Fail("unreadable metafile: no enhanced metafile header");
    }
    std::string failure;
    const std::optional<std::size_t> checked = CheckEmfRecords(bytes.substr(0, header->totalBytes), failure);
    if (!checked) {
        return out.Fail(failure);
    }
    const std::optional<std::string> svg = ConvertMetafileToSvg(bytes.substr(0, *checked), failure);
    if (!svg) {
        return out.Fail(failure);
    }
    if (DrawsText(*svg) && qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return out.Fail("metafile text can be drawn only in the program, with its fonts");
    }
    QSvgRenderer renderer(QByteArray::fromRawData(svg->data(), static_cast<qsizetype>(svg->size())));
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty()) {
        return out.Fail("unreadable metafile: it draws nothing");
    }
    if (static_cast<std::int64_t>(size.width()) * size.height() > maxPixels) {
        return out.Fail("picture larger than the import limit");
    }
    QImage image(size, QImage::Format_RGB888);
    if (image.isNull()) {
        return out.Fail("picture cannot be held as a bitmap");
    }
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    return AddPicture(
        image,
        {DotsPerMetre(size.width(), header->frameWidth), DotsPerMetre(size.height(), header->frameHeight)},
        out, maxPixels);
}

}  // namespace filebridge
