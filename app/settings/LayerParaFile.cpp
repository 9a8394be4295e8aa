// Reading and writing "lpara" around the drawing manager's serialiser.
#include "LayerParaFile.h"

#include "AtomicFile.h"
#include "FileState.h"
#include "SettingsGlobals.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kLayerParaMarker = "ZintLPARA";

LayerParaSerializer registeredSerializer;

// Runs the serialiser with FileFormatFlag set to the layout, and puts the flag back afterwards.
bool LoadInLayout(platform::Archive& archive, std::uint16_t layout) {
    const std::uint16_t previous = FileFormatFlag;
    FileFormatFlag = layout;
    bool loaded = false;
    try {
        loaded = registeredSerializer(archive);
    } catch (const platform::ArchiveError&) {
        loaded = false;
    }
    FileFormatFlag = previous;
    return loaded;
}

// The layout named after the marker, or nothing when the file starts without the marker.
std::optional<std::uint16_t> MarkedLayout(platform::Archive& archive) {
    try {
        if (archive.ReadString() == kLayerParaMarker) {
            return archive.ReadU16();
        }
    } catch (const platform::ArchiveError&) {
    }
    return std::nullopt;
}

bool LoadUnmarked(const std::vector<std::uint8_t>& bytes) {
    for (std::uint16_t layout : {kCurrentLayout, kOlderLayout}) {
        platform::Archive archive = platform::Archive::ForLoading(bytes);
        if (LoadInLayout(archive, layout)) {
            return true;
        }
    }
    return false;
}

bool LoadMarked(platform::Archive& archive, std::uint16_t layout) {
    return (layout == kCurrentLayout || layout == kOlderLayout) && LoadInLayout(archive, layout);
}

}  // namespace

void SetLayerParaSerializer(LayerParaSerializer serializer) {
    registeredSerializer = std::move(serializer);
}

int LoadLayerPara(const std::filesystem::path& file) {
    const platform::LimitedRead read = platform::ReadWholeFileWithin(file, kMaxLayerParaFileBytes);
    if (read.status != platform::ReadStatus::kRead) {
        return 0;
    }
    if (!registeredSerializer) {
        return 1;
    }
    platform::Archive archive = platform::Archive::ForLoading(read.bytes);
    const std::optional<std::uint16_t> layout = MarkedLayout(archive);
    const bool loaded = layout ? LoadMarked(archive, *layout) : LoadUnmarked(read.bytes);
    return loaded ? 1 : 0;
}

int SaveLayerPara(const std::filesystem::path& file) {
    if (!registeredSerializer) {
        return 0;
    }
    platform::Archive archive = platform::Archive::ForStoring();
    archive.WriteString(kLayerParaMarker);
    archive.WriteU16(kCurrentLayout);
    const std::uint16_t previous = FileFormatFlag;
    FileFormatFlag = kCurrentLayout;
    registeredSerializer(archive);
    FileFormatFlag = previous;
    return archive.SaveToFile(file) ? 1 : 0;
}
