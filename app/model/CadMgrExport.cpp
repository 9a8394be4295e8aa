#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>

#include "AtomicFileStream.h"
#include "CadMgr.h"
#include "Filebridge.h"
#include "SettingsRecords.h"

namespace {

// One export format: its writer functions and the "CadMgr" message keys of its outcomes.
struct ExportFormat {
    const char* createFailureKey;
    const char* noDataKey;
    std::function<short(std::FILE*)> writeHeader;
    std::function<short(std::FILE*, CCadCurve&, std::int32_t* written)> writeCurve;
    std::function<short(std::FILE*)> writeEnd;
};

constexpr const char* kSuccessKey = "3";

// Writes every curve of the layers in order; false at the first failed write.
bool WriteCurves(const CCadMgr& manager, std::FILE* file, const ExportFormat& format, std::int32_t& written) {
    const CDbList<CCadLayer*>& layers = manager.layerList;
    for (auto* layerNode = layers.head->next; layerNode != layers.head; layerNode = layerNode->next) {
        const CDbList<CCadElement*>& elements = layerNode->value->elements;
        for (auto* node = elements.head->next; node != elements.head; node = node->next) {
            if (node->value->typeCode != kCurveElement) {
                continue;
            }
            if (format.writeCurve(file, static_cast<CCadCurve&>(*node->value), &written) != 0) {
                return false;
            }
        }
    }
    return true;
}

// The end is written after every header, even a failed one, so that the writer's per-file state is
// always closed.
bool WriteDocument(const CCadMgr& manager, std::FILE* file, const ExportFormat& format, std::int32_t& written) {
    const bool headerWritten = format.writeHeader(file) == 0;
    const bool curvesWritten = headerWritten && WriteCurves(manager, file, format, written);
    const bool endWritten = format.writeEnd(file) == 0;
    return headerWritten && curvesWritten && endWritten;
}

void Export(CCadMgr& manager, const std::string& path, const ExportFormat& format) {
    if (path.empty() || manager.elementList.IsEmpty() != 0) {
        return;
    }
    platform::AtomicFileStream stream(path);
    if (stream.File() == nullptr) {
        manager.ShowCadMgrMessage(format.createFailureKey);
        return;
    }
    std::int32_t written = 0;
    if (!WriteDocument(manager, stream.File(), format, written)) {
        manager.ShowCadMgrMessage(format.createFailureKey);
        return;
    }
    if (written == 0) {
        manager.ShowCadMgrMessage(format.noDataKey);  // the stream is discarded, the target untouched
        return;
    }
    manager.ShowCadMgrMessage(stream.Commit() ? kSuccessKey : format.createFailureKey);
}

}  // namespace

void CCadMgr::ExportPlt(const std::string& path) {
    std::array<std::uint32_t, kLayerTableSize> slotColours{};
    for (int slot = 0; slot < kLayerTableSize; ++slot) {
        slotColours[slot] = vectorLayerTable[slot].commonParams.COM_Color;
    }
    const double precision = gFileParaSettings.pltPrecision;
    Export(*this, path,
           {"B", "C", _file_SavePltHeader,
            [&](std::FILE* file, CCadCurve& curve, std::int32_t* written) {
                return _file_SaveCurveAsPlt(file, &curve.pathList, curve.color, slotColours.data(), precision,
                                            written);
            },
            _file_SavePltEnd});
}

void CCadMgr::ExportAI(const std::string& path) {
    Export(*this, path,
           {"2", "4", _file_SaveAIHeader,
            [](std::FILE* file, CCadCurve& curve, std::int32_t* written) {
                return _file_SaveCurveAsAI(file, &curve.pathList, curve.color, curve.closed, written);
            },
            _file_SaveAIEnd});
}
