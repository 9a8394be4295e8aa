// The body of every drawing reader's fuzz target: import the bytes as one kind and check what came back.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "DrawingCollector.h"
#include "FileImport.h"

namespace filebridge {

inline void CheckSound(SDPoint p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::fabs(p.x) > DrawingCollector::kCoordinateLimitMm ||
        std::fabs(p.y) > DrawingCollector::kCoordinateLimitMm) {
        std::abort();
    }
}

inline int FuzzImport(FileKind kind, const std::uint8_t* data, std::size_t size) {
    ImportOptions options;
    options.drawDxfText = true;
    const ImportOutcome outcome =
        ImportBytes(kind, std::string_view(reinterpret_cast<const char*>(data), size), options);
    if (!outcome.Succeeded() && !outcome.records.empty()) {
        std::abort();
    }
    for (const auto& record : outcome.records) {
        if (record->type != CFileDraw::kCurve) {
            continue;
        }
        const auto& curve = static_cast<const CFileCurve&>(*record);
        for (auto* node = curve.segments.head->next; node != curve.segments.head; node = node->next) {
            CheckSound(node->value.start);
            CheckSound(node->value.end);
        }
    }
    return 0;
}

// The body of every picture reader's fuzz target: one bitmap record exactly when the reader succeeds.
template <typename Reader>
int FuzzPicture(Reader read, const std::uint8_t* data, std::size_t size) {
    constexpr std::int64_t kFuzzMaxPixels = 256 * 256;
    DrawingCollector out;
    const bool succeeded = read(std::string_view(reinterpret_cast<const char*>(data), size), out, kFuzzMaxPixels);
    const auto records = out.TakeRecords();
    if (succeeded != (records.size() == 1)) {
        std::abort();
    }
    if (succeeded && !static_cast<const CFileDib&>(*records.front()).dib.View()) {
        std::abort();
    }
    return 0;
}

}  // namespace filebridge
