#include "ImportRules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

#include "Filebridge.h"

namespace {

constexpr std::uint16_t kMinPltPrecision = 10;
constexpr std::uint16_t kMaxPltPrecision = 10000;

enum DxfUnitCode : std::uint16_t { kMillimetre = 0, kCentimetre = 1, kInch = 2, kCustom = 3 };

// The file name's extension without its dot, lower-case; empty when there is none.
std::string LowerExtension(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    if (!extension.empty()) {
        extension.erase(0, 1);
    }
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// Every kind the command's list names, read here or not.
const std::string& FullImportFilter() {
    static const std::string filter =
        "Supported "
        "Files1|*.ai;*.dxf;*.plt;*.dst;*.dsb;*.pnt;*.2pnt;*.bmp;*.gif;*.jpg;*.jpeg;*.jpe;*.jfif;*.ico;"
        "*.cur;*.png;*.tif;*.tiff;*.wmf;*.emf|"
        "Supported "
        "Files2|*.mng;*.tga;*.pcx;*.wbmp;*.jbg;*.j2c;*.pgx;*.ras;*.pnm;*.pgm;*.ppm;*.ska;*.nef;*.crw;"
        "*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.dng;*.pef;*.x3f;*.arw;*.mef;*.sr2;*.orf|"
        "AI Files (*.ai)|*.ai|"
        "DXF Files (*.dxf)|*.dxf|"
        "PLT Files (*.plt)|*.plt|"
        "DST Files (*.dst)|*.dst|"
        "DSB Files (*.dsb)|*.dsb|"
        "PNT Files (*.pnt;*.2pnt)|*.pnt;*.2pnt|"
        "BMP Files (*.bmp)|*.bmp|"
        "GIF Files (*.gif)|*.gif|"
        "JPEG Files (*.jpg;*.jpeg;*.jpe;*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|"
        "PNG Files (*.png)|*.png|"
        "MNG Files (*.mng)|*.mng|"
        "ICON Files (*.ico)|*.ico|"
        "CURSOR Files (*.cur)|*.cur|"
        "TIFF Files (*.tif;*.tiff)|*.tif;*.tiff|"
        "TGA Files (*.tga)|*.tga|"
        "PCX Files (*.pcx)|*.pcx|"
        "WBMP Files (*.wbmp)|*.wbmp|"
        "WMF Files (*.wmf)|*.wmf|"
        "EMF Files (*.emf)|*.emf|"
        "JBG Files (*.jbg)|*.jbg|"
        "JP2 Files (*.j2c;*.jpc)|*.j2c;*.jpc|"
        "PGX Files (*.pgx)|*.pgx|"
        "RAS Files (*.ras)|*.ras|"
        "PNM Files (*.pnm;*.pgm;*.ppm)|*.pnm;*.pgm;*.ppm|"
        "SKA Files (*.ska)|*.ska|"
        "RAW Files "
        "(*.raw)|*.nef;*.crw;*.cr2;*.mrw;*.raf;*.erf;*.3fr;*.dcr;*.raw;*.dng;*.pef;*.x3f;*.arw;*.sr2;"
        "*.mef;*.orf|";
    return filter;
}

}  // namespace

std::string ReadableImportFilter(std::string_view filter,
                                 const std::function<bool(std::string_view)>& readable) {
    std::string kept;
    std::size_t at = 0;
    while (at < filter.size()) {
        const std::size_t nameEnd = filter.find('|', at);
        const std::size_t patternsEnd =
            nameEnd == std::string_view::npos ? nameEnd : filter.find('|', nameEnd + 1);
        if (patternsEnd == std::string_view::npos) {
            break;
        }
        std::string patterns;
        const std::string_view all = filter.substr(nameEnd + 1, patternsEnd - nameEnd - 1);
        for (std::size_t from = 0; from <= all.size();) {
            const std::size_t end = std::min(all.find(';', from), all.size());
            const std::string_view pattern = all.substr(from, end - from);
            if (!pattern.empty() && readable(pattern)) {
                patterns += (patterns.empty() ? "" : ";") + std::string(pattern);
            }
            from = end + 1;
        }
        if (!patterns.empty()) {
            kept += std::string(filter.substr(at, nameEnd - at)) + "|" + patterns + "|";
        }
        at = patternsEnd + 1;
    }
    return kept;
}

const std::string& ImportFilter() {
    // A pattern "*.ext" is offered when the file library reads a file "x.ext".
    static const std::string filter = ReadableImportFilter(FullImportFilter(), [](std::string_view pattern) {
        return _file_CanRead(("x" + std::string(pattern.substr(1))).c_str()) != 0;
    });
    return filter;
}

double ClampPltPrecision(FileParaSettings& settings) {
    settings.pltPrecision = std::clamp(settings.pltPrecision, kMinPltPrecision, kMaxPltPrecision);
    return settings.pltPrecision;
}

double ImportUnitScale(FileParaSettings& settings) {
    switch (settings.dxfUnit) {
        case kMillimetre:
            settings.dxfScale = 1.0;
            break;
        case kCentimetre:
            settings.dxfScale = 10.0;
            break;
        case kInch:
            settings.dxfScale = 25.4;
            break;
        case kCustom:
            // Written so that a NaN scale falls back to 1.0 as well.
            settings.dxfScale =
                settings.dxfScale > 0.0 && std::isfinite(settings.dxfScale) ? settings.dxfScale : 1.0;
            break;
        default:
            settings.dxfUnit = kMillimetre;
            settings.dxfScale = 1.0;
    }
    return settings.dxfScale;
}

bool OffersSmoothing(std::string_view path) {
    const std::string extension = LowerExtension(path);
    return extension == "dst" || extension == "dsb" || extension == "plt";
}

ExportKind ExportKindOf(std::string_view path) {
    return LowerExtension(path) == "plt" ? ExportKind::kPlt : ExportKind::kAi;
}
