// Fuzz target for the element, layer, settings-block and drawing readers: the first byte picks the reader (and the
// layout flag for layers) by its value modulo 16, the rest is the record. Besides never crashing, leaking or reading out of bounds,
// a record that loads must store again in a form that loads back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "CadArray.h"
#include "CadBitmap.h"
#include "CadBitmapLayer.h"
#include "CadCurve.h"
#include "CadPoint.h"
#include "CadText.h"
#include "CadMgr.h"
#include "CadVectorLayer.h"
#include "DataCheckSettings.h"
#include "SettingsGlobals.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Loads the bytes into a fresh record; false when the reader refused them.
template <typename Record>
bool Load(Record& record, const Bytes& bytes) {
    platform::Archive archive = platform::Archive::ForLoading(bytes);
    try {
        record.Serialize(archive);
    } catch (const platform::ArchiveError&) {
        return false;
    }
    return true;
}

template <typename Record>
Bytes Store(Record& record) {
    platform::Archive archive = platform::Archive::ForStoring();
    record.Serialize(archive);
    return archive.Bytes();
}

// Reads the input with the layout flag given, then checks that what was read survives a store and load.
template <typename Record>
void CheckReader(const Bytes& input, std::uint16_t layoutFlag) {
    FileFormatFlag = layoutFlag;
    Record first;
    if (!Load(first, input)) {
        return;
    }
    const Bytes stored = Store(first);
    FileFormatFlag = kCurrentLayout;
    Record second;
    if (!Load(second, stored) || Store(second) != stored) {
        std::abort();
    }
}

void CheckCurve(const Bytes& input) {
    CCadCurve curve;
    if (Load(curve, input) &&
        static_cast<std::size_t>(curve.pathList.GetCount()) * CFileLine::kStoredBytes > input.size()) {
        std::abort();  // more segments than the record could hold
    }
    CheckReader<CCadCurve>(input, kCurrentLayout);
}

// Loaded arrays never describe more cells than the limit, whatever the record says.
void CheckArray(const Bytes& input) {
    CCadArray array;
    if (Load(array, input) &&
        static_cast<std::int64_t>(array.columnCount) * array.rowCount > CCadArray::kMaxCells) {
        std::abort();
    }
    CheckReader<CCadArray>(input, kCurrentLayout);
}

// A drawing or undo form that loads must store in a form that loads into another manager and stores
// the same bytes again; a refused one must leave the manager empty.
void CheckDrawing(const Bytes& input, int (CCadMgr::*form)(platform::Archive&)) {
    auto first = std::make_unique<CCadMgr>();
    platform::Archive archive = platform::Archive::ForLoading(input);
    if ((first.get()->*form)(archive) == 0) {
        if (first->elementList.IsEmpty() && first->layerList.IsEmpty()) {
            return;
        }
        std::abort();
    }
    platform::Archive stored = platform::Archive::ForStoring();
    (first.get()->*form)(stored);
    auto second = std::make_unique<CCadMgr>();
    platform::Archive reloaded = platform::Archive::ForLoading(stored.Bytes());
    platform::Archive restored = platform::Archive::ForStoring();
    if ((second.get()->*form)(reloaded) != 1 || ((second.get()->*form)(restored), restored.Bytes() != stored.Bytes())) {
        std::abort();
    }
}

// The "lpara" reader takes whatever a file holds: it must refuse or load it whole and never throw.
void CheckSettingsFile(const Bytes& input, std::uint16_t layoutFlag) {
    FileFormatFlag = layoutFlag;
    platform::Archive archive = platform::Archive::ForLoading(input);
    SerializeDrawingSettingsFile(archive);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Bytes record(data + 1, data + size);
    const std::uint16_t savedFlag = FileFormatFlag;
    switch (data[0] % 16) {
        case 0:
            CheckCurve(record);
            break;
        case 1:
            CheckReader<CCadVectorLayer>(record, kCurrentLayout);
            break;
        case 2:
            CheckReader<CCadVectorLayer>(record, kOlderLayout);
            break;
        case 3:
            CheckReader<CCadBitmapLayer>(record, kCurrentLayout);
            break;
        case 4:
            CheckReader<CCadBitmapLayer>(record, kOlderLayout);
            break;
        case 5:
            CheckReader<CCadElement>(record, kCurrentLayout);
            break;
        case 6:
            CheckReader<DataCheckSettings>(record, kCurrentLayout);
            break;
        case 8:
            CheckReader<CCadPoint>(record, kCurrentLayout);
            break;
        case 9:
            CheckReader<CCadGroup>(record, kCurrentLayout);
            break;
        case 10:
            CheckReader<CCadText>(record, kCurrentLayout);
            break;
        case 11:
            CheckArray(record);
            break;
        case 12:
            CheckReader<CCadBitmap>(record, kCurrentLayout);
            break;
        case 13:
            CheckDrawing(record, &CCadMgr::SerializeDrawing);
            break;
        case 14:
            CheckDrawing(record, &CCadMgr::SerializeUndo);
            break;
        default:
            CheckSettingsFile(record, data[0] & 0x80 ? kOlderLayout : kCurrentLayout);
            break;
    }
    FileFormatFlag = savedFlag;
    return 0;
}
