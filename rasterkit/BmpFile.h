// BMP files: a 14-byte file header followed by a packed bitmap with an info header.
#pragma once

#include <optional>

#include "Archive.h"
#include "DibBlock.h"

namespace rasterkit {

// Reads a BMP file at the archive's position. Takes no more bytes than the file-size field promises and
// the archive holds, requires every byte the header promises, fills the header fields that files leave
// at 0 (colours used, image size, resolution), decodes run-length rows and turns top-down rows over, so
// that the bitmap returned is plain and bottom-up. Nothing for anything else; may throw ArchiveError.
std::optional<platform::DibBlock> ReadBmp(platform::Archive& file);

// Writes the bitmap as a BMP file; the image size of an uncompressed bitmap is recomputed and stored into
// its header first. False for the null handle or a bitmap without an info header; may throw ArchiveError.
bool WriteBmp(platform::Archive& file, platform::DibBlock& dib);

}  // namespace rasterkit
