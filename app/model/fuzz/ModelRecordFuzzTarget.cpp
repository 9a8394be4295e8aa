// Fuzz target for the element and layer record readers: the first byte picks the reader (and the layout
// flag for layers), the rest is the record. Besides never crashing, leaking or reading out of bounds, a
// record that loads must store again in a form that loads back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "CadBitmapLayer.h"
#include "CadCurve.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const Bytes record(data + 1, data + size);
    const std::uint16_t savedFlag = FileFormatFlag;
    switch (data[0] % 7) {
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
        default:
            CheckReader<DataCheckSettings>(record, kCurrentLayout);
            break;
    }
    FileFormatFlag = savedFlag;
    return 0;
}
