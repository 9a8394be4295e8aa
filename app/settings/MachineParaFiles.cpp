// Import and export of the machine parameter files through the program-wide parameter store.
#include "MachineParaFiles.h"

#include "AtomicFile.h"
#include "FileState.h"
#include "MachineParaRecords.h"
#include "OlderMachineParaForm.h"
#include "Settingstore.h"

namespace {

// The carrier of both files; emptied after every import and export, so it holds entries only during
// one of these calls.
CSettingstore& ParaStore() {
    static CSettingstore store;
    return store;
}

template <typename Record, typename ReadOlderForm>
int Import(const std::filesystem::path& file, Record& record, ReadOlderForm readOlderForm) {
    CSettingstore& store = ParaStore();
    if (store.ImportParaFile(file) != 0) {
        const bool loaded = record.LoadFromCompleteStore(store);
        store.RemoveAllData();
        return loaded ? 1 : 0;
    }
    store.RemoveAllData();
    // Not a parameter file: perhaps the older fixed-size form.
    const platform::LimitedRead bytes = platform::ReadWholeFileWithin(file, CSettingstore::kMaxFileBytes);
    return bytes.status == platform::ReadStatus::kRead && readOlderForm(bytes.bytes, record) ? 1 : 0;
}

template <typename Record>
int Export(const std::filesystem::path& file, const Record& record) {
    CSettingstore& store = ParaStore();
    record.SaveToStore(store);
    const int written = store.ExportParaFile(file);
    store.RemoveAllData();
    return written != 0 ? 1 : 0;
}

}  // namespace

int ImportVendorParaFile(const std::filesystem::path& file) {
    return Import(file, gVendorPara, ReadOlderVendorForm);
}

int ImportUserParaFile(const std::filesystem::path& file) {
    return Import(file, gUserPara, ReadOlderUserForm);
}

int ExportVendorParaFile(const std::filesystem::path& file) {
    return Export(file, gVendorPara);
}

int ExportUserParaFile(const std::filesystem::path& file) {
    return Export(file, gUserPara);
}
