// "lpara": the drawing manager's settings block and layers. The drawing model sits above this library
// and registers the serialiser of that block at start-up.
//
// The file starts with a marker of its own and the layout of the layer records that follow, so that it
// is read in its own layout whatever "config" said. An older file without the marker is tried in the
// current layout and then in the older one, and taken in the first that fits it to its last byte.
#pragma once

#include "Archive.h"

#include <cstdint>
#include <filesystem>
#include <functional>

// The layer tables take some hundred kB; a larger file than this is not read.
constexpr std::uintmax_t kMaxLayerParaFileBytes = 4u << 20;

// Stores or loads the drawing manager's block in the layout that FileFormatFlag names. Loading takes the
// bytes from the archive's position to its end: when they are exactly one block in that layout it
// replaces the block and the layers and returns true; otherwise it returns false (or throws
// ArchiveError) and leaves the drawing manager unchanged, so that the other layout can be tried.
using LayerParaSerializer = std::function<bool(platform::Archive&)>;

void SetLayerParaSerializer(LayerParaSerializer serializer);

// 1 when the file was read and its content taken whole (or no serialiser is registered to take it);
// 0 when it is missing, cannot be read, is larger than kMaxLayerParaFileBytes, names an unknown layout
// or fits neither layout, the drawing manager then unchanged. FileFormatFlag is the same afterwards as
// before.
int LoadLayerPara(const std::filesystem::path& file);
// 1 when written (through a temporary file); 0 when writing failed or no serialiser is registered.
int SaveLayerPara(const std::filesystem::path& file);
