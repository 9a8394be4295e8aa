// Importing a file into exchange records: the kind is chosen by the file's extension, the whole file is
// read into memory (up to kMaxFileBytes) and handed to its reader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FileDraw.h"
#include "ImportOptions.h"

namespace filebridge {

constexpr std::uint64_t kMaxFileBytes = 512ULL * 1024 * 1024;

// kMagickPicture: a picture format that Qt does not read, read through ImageMagick.
// kRawPicture: a camera raw file; kEmfPicture: an enhanced metafile, drawn into a picture.
enum class FileKind {
    kDxf,
    kPlt,
    kAi,
    kDst,
    kDsb,
    kPicture,
    kMagickPicture,
    kRawPicture,
    kEmfPicture,
    kUnsupported
};

struct ImportOutcome {
    std::vector<std::unique_ptr<CFileDraw>> records;
    std::string failure;  // empty on success
    // Entities of the file that could not be drawn (the first few named, all counted); the rest imported.
    std::vector<std::string> leftOutNames;
    std::size_t leftOutCount = 0;

    bool Succeeded() const { return failure.empty(); }
};

// By the extension, case-insensitively.
FileKind KindOfPath(std::string_view path);
// ImageMagick's name of the format of a kMagickPicture path; empty for other kinds.
std::string MagickFormatOf(std::string_view path);

// `magickFormat` names ImageMagick's format (such as "PCX") for kMagickPicture.
ImportOutcome ImportBytes(FileKind kind, std::string_view bytes, const ImportOptions& options,
                          const std::string& magickFormat = {});
// A failure names the file: "NAME: reason".
ImportOutcome ImportPath(const std::string& path, const ImportOptions& options);

// What _file_LastImportFailure gives the calling thread from now on.
void SetLastImportFailure(std::string failure);
// What the last import on this thread left out, one entity a line; empty when it left out nothing.
// The exported import calls keep their results, so the program asks for this afterwards.
const std::string& LastLeftOut();

}  // namespace filebridge
