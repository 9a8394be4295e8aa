#include "FileImport.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <map>
#include <new>
#include <set>
#include <utility>

#include "AiReader.h"
#include "DxfReader.h"
#include "EmfPictureReader.h"
#include "FileBytes.h"
#include "Filebridge.h"
#include "MagickPictureReader.h"
#include "PictureReader.h"
#include "PltReader.h"
#include "RawPictureReader.h"
#include "StitchReader.h"

namespace filebridge {

namespace {

constexpr double kMinPrecision = 10.0;
constexpr double kMaxPrecision = 10000.0;

std::string LowerExtension(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.find_last_of("/\\");
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return {};
    }
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// ImageMagick's format names by extension, for the pictures Qt does not read. A TGA has no signature by
// which Qt's readers could know it, so it is read where its format can be named.
const std::map<std::string, std::string>& MagickFormats() {
    static const std::map<std::string, std::string> formats = {
        {"pcx", "PCX"}, {"ras", "SUN"}, {"jbg", "JBIG"}, {"jbig", "JBIG"}, {"j2c", "J2C"},
        {"jpc", "JPC"}, {"pgx", "PGX"}, {"wmf", "WMF"}, {"tga", "TGA"},
    };
    return formats;
}

bool Dispatch(FileKind kind, std::string_view bytes, const ImportOptions& options,
              const std::string& magickFormat, DrawingCollector& out) {
    switch (kind) {
        case FileKind::kDxf:
            return ReadDxf(bytes, options, out);
        case FileKind::kPlt:
            return ReadPlt(bytes, options, out);
        case FileKind::kAi:
            return ReadAi(bytes, options, out);
        case FileKind::kDst:
            return ReadDst(bytes, options, out);
        case FileKind::kDsb:
            return ReadDsb(bytes, options, out);
        case FileKind::kPicture:
            return ReadPicture(bytes, out);
        case FileKind::kMagickPicture:
            return ReadMagickPicture(bytes, magickFormat, out);
        case FileKind::kRawPicture:
            return ReadRawPicture(bytes, out);
        case FileKind::kEmfPicture:
            return ReadEmfPicture(bytes, out);
        case FileKind::kUnsupported:
            break;
    }
    return out.Fail("file kind not supported");
}

// Per thread, so that an import on a worker never replaces the reason another thread is about to show.
std::string& LastImportFailure() {
    thread_local std::string failure;
    return failure;
}

}  // namespace

ImportOptions ImportOptions::Sanitised(double precision, double unitScale, const std::uint32_t* colours,
                                       std::uint32_t colour, bool dxfText) {
    ImportOptions options;
    options.pltUnitsPerInch = std::isfinite(precision) ? std::clamp(precision, kMinPrecision, kMaxPrecision)
                                                       : kDefaultPltUnitsPerInch;
    options.mmPerDxfUnit = std::isfinite(unitScale) && unitScale > 0.0 ? unitScale : 1.0;
    if (colours != nullptr) {
        std::copy(colours, colours + options.layerColours.size(), options.layerColours.begin());
    }
    options.defaultColour = colour;
    options.drawDxfText = dxfText;
    return options;
}

FileKind KindOfPath(std::string_view path) {
    static const std::map<std::string, FileKind> kinds = {
        {"dxf", FileKind::kDxf},      {"plt", FileKind::kPlt},      {"hpgl", FileKind::kPlt},
        {"hpg", FileKind::kPlt},      {"ai", FileKind::kAi},        {"eps", FileKind::kAi},
        {"dst", FileKind::kDst},      {"dsb", FileKind::kDsb},      {"bmp", FileKind::kPicture},
        {"dib", FileKind::kPicture},  {"gif", FileKind::kPicture},  {"jpg", FileKind::kPicture},
        {"jpeg", FileKind::kPicture}, {"jpe", FileKind::kPicture},  {"jfif", FileKind::kPicture},
        {"png", FileKind::kPicture},  {"mng", FileKind::kPicture},  {"ico", FileKind::kPicture},
        {"cur", FileKind::kPicture},  {"tif", FileKind::kPicture},  {"tiff", FileKind::kPicture},
        {"wbmp", FileKind::kPicture}, {"pbm", FileKind::kPicture},  {"pgm", FileKind::kPicture},
        {"ppm", FileKind::kPicture},  {"pnm", FileKind::kPicture},  {"webp", FileKind::kPicture},
        {"emf", FileKind::kEmfPicture},
    };
    // Camera makers' raw extensions, all read by the one raw decoder.
    static const std::set<std::string> rawExtensions = {
        "3fr", "arw", "cr2", "cr3", "crw", "dcr", "dng", "erf", "iiq", "kdc", "mef", "mos", "mrw",
        "nef", "nrw", "orf", "pef", "raf", "raw", "rw2", "rwl", "sr2", "srf", "srw", "x3f",
    };
    const std::string extension = LowerExtension(path);
    if (MagickFormats().count(extension) != 0) {
        return FileKind::kMagickPicture;
    }
    if (rawExtensions.count(extension) != 0) {
        return FileKind::kRawPicture;
    }
    const auto found = kinds.find(extension);
    return found == kinds.end() ? FileKind::kUnsupported : found->second;
}

ImportOutcome ImportBytes(FileKind kind, std::string_view bytes, const ImportOptions& options,
                          const std::string& magickFormat) {
    ImportOutcome outcome;
    DrawingCollector out;
    try {
        Dispatch(kind, bytes, options, magickFormat, out);
    } catch (const std::bad_alloc&) {
        out.Fail("file needs more memory than is available");
    } catch (const std::exception& error) {
        out.Fail(error.what());
    }
    outcome.failure = out.Failure();
    outcome.records = out.TakeRecords();
    outcome.leftOutNames = out.LeftOutNames();
    outcome.leftOutCount = out.LeftOutCount();
    return outcome;
}

namespace {

std::string& LastLeftOutOfThread() {
    thread_local std::string leftOut;
    return leftOut;
}

void RememberLeftOut(const ImportOutcome& outcome) {
    std::string& text = LastLeftOutOfThread();
    text.clear();
    for (const std::string& name : outcome.leftOutNames) {
        text += name;
        text += '\n';
    }
    if (outcome.leftOutCount > outcome.leftOutNames.size()) {
        text += "... " + std::to_string(outcome.leftOutCount - outcome.leftOutNames.size()) + " more\n";
    }
}

}  // namespace

std::string MagickFormatOf(std::string_view path) {
    const auto magick = MagickFormats().find(LowerExtension(path));
    return magick == MagickFormats().end() ? std::string() : magick->second;
}

const std::string& LastLeftOut() {
    return LastLeftOutOfThread();
}

ImportOutcome ImportPath(const std::string& path, const ImportOptions& options) {
    LastLeftOutOfThread().clear();
    const FileKind kind = KindOfPath(path);
    if (kind == FileKind::kUnsupported) {
        return ImportOutcome{
            .records = {}, .failure = "file kind not supported: " + path, .leftOutNames = {}};
    }
    FileBytes bytes;
    std::string failure;
    if (!bytes.Read(path, kMaxFileBytes, failure)) {
        return ImportOutcome{.records = {}, .failure = failure, .leftOutNames = {}};
    }
    ImportOutcome outcome = ImportBytes(kind, bytes.View(), options, MagickFormatOf(path));
    if (!outcome.Succeeded()) {
        outcome.failure = std::filesystem::path(path).filename().string() + ": " + outcome.failure;
    }
    RememberLeftOut(outcome);
    return outcome;
}

void SetLastImportFailure(std::string failure) {
    LastImportFailure() = std::move(failure);
}

}  // namespace filebridge

const char* _file_LastImportFailure() {
    return filebridge::LastImportFailure().c_str();
}

short _file_CanRead(const char* path) {
    if (path == nullptr) {
        return 0;
    }
    try {
        const filebridge::FileKind kind = filebridge::KindOfPath(path);
        if (kind == filebridge::FileKind::kMagickPicture) {
            return filebridge::CanDecodeMagickFormat(filebridge::MagickFormatOf(path)) ? 1 : 0;
        }
        return kind == filebridge::FileKind::kUnsupported ? 0 : 1;
    } catch (...) {
        return 0;
    }
}

const char* _file_LastLeftOut() {
    return filebridge::LastLeftOut().c_str();
}

short _file_ImportFile(const char* path, int /*language*/, double precision, double unitScale,
                       const std::uint32_t* layerColours, std::uint32_t colour, std::int32_t option,
                       std::int32_t /*reserved*/, CDbList<CFileDraw*>* records) {
    filebridge::SetLastImportFailure({});
    if (path == nullptr || records == nullptr || records->head == nullptr) {
        return 1;
    }
    try {
        const filebridge::ImportOptions options =
            filebridge::ImportOptions::Sanitised(precision, unitScale, layerColours, colour, option != 0);
        filebridge::ImportOutcome outcome = filebridge::ImportPath(path, options);
        if (!outcome.Succeeded()) {
            filebridge::SetLastImportFailure(std::move(outcome.failure));
            return 1;
        }
        for (std::unique_ptr<CFileDraw>& record : outcome.records) {
            records->AddTail(record.get());
            record.release();
        }
        return 0;
    } catch (const std::bad_alloc&) {
        filebridge::SetLastImportFailure("file needs more memory than is available");
        return 1;
    } catch (...) {
        return 1;
    }
}
