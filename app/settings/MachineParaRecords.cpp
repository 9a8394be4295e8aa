// Defaults of the machine parameter records, their keys in the parameter store and the range of each
// field: the walks below go over the records' field tables (MachineParaRecords.h).
#include "MachineParaRecords.h"

#include "FieldWalks.h"
#include "Numbers.h"
#include "Settingstore.h"

#include <algorithm>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

CVendorPara gVendorPara;
CUserPara gUserPara;

namespace {

class StoreWriter {
  public:
    explicit StoreWriter(CSettingstore& store) : store_(store) {}
    template <typename Field>
    void operator()(const FieldInfo& info, const Field& field) {
        const StoreKey& key = info.store;
        if (!key.IsKept()) {
            return;
        }
        const auto group = static_cast<std::uint32_t>(key.group);
        if constexpr (std::is_floating_point_v<Field>) {
            store_.SetFloatPara(group, key.index, field);
        } else if (key.asSwitch) {
            store_.SetBoolPara(group, key.index, static_cast<int>(field));
        } else {
            store_.SetIntPara(group, key.index, static_cast<int>(field));  // a u16 widens without sign
        }
    }

  private:
    CSettingstore& store_;
};

// A field changes only when its key is present. The stored text must be one number, as a whole within
// the field's range: text that is not a number, NaN, an infinity or a value beyond the field's width
// never becomes a field value, and marks the store as refused.
class StoreReader {
  public:
    explicit StoreReader(const CSettingstore& store) : store_(store) {}
    template <typename Field>
    void operator()(const FieldInfo& info, Field& field) {
        if (!info.store.IsKept()) {
            return;
        }
        std::string text;
        if (store_.GetParaData(static_cast<std::uint32_t>(info.store.group), info.store.index, text) == 0) {
            return;
        }
        const std::optional<double> number = platform::ParseDouble(text);
        if (!number || !info.range.Contains(*number)) {
            accepted_ = false;
            return;
        }
        field = static_cast<Field>(*number);
    }
    bool Accepted() const { return accepted_; }

  private:
    const CSettingstore& store_;
    bool accepted_ = true;
};

// Loads into a copy, which takes the record's place only when every value was accepted.
template <typename Record>
bool LoadChecked(Record& record, const CSettingstore& store) {
    Record loaded = record;
    StoreReader reader(store);
    VisitFields(loaded, reader);
    if (!reader.Accepted() || !loaded.InRange()) {
        return false;
    }
    record = loaded;
    return true;
}

std::uint64_t NameOf(std::uint32_t group, std::uint32_t index) {
    return (std::uint64_t{group} << 32) | index;
}

// True when the store holds exactly the record's keys, each once.
template <typename Record>
bool HoldsExactlyTheKeys(const Record& record, const CSettingstore& store) {
    std::vector<std::uint64_t> listed;
    VisitFields(record, [&](const FieldInfo& info, const auto&) {
        if (info.store.IsKept()) {
            listed.push_back(NameOf(static_cast<std::uint32_t>(info.store.group), info.store.index));
        }
    });
    std::vector<std::uint64_t> held;
    for (const CSettingstore::EntryName& name : store.EntryNames()) {
        held.push_back(NameOf(name.key, name.id));
    }
    std::sort(listed.begin(), listed.end());
    std::sort(held.begin(), held.end());
    return held == listed;
}

template <typename Record>
bool LoadComplete(Record& record, const CSettingstore& store) {
    return HoldsExactlyTheKeys(record, store) && LoadChecked(record, store);
}

}  // namespace

bool CVendorPara::LoadFromStore(const CSettingstore& store) {
    return LoadChecked(*this, store);
}

bool CVendorPara::LoadFromCompleteStore(const CSettingstore& store) {
    return LoadComplete(*this, store);
}

void CVendorPara::SaveToStore(CSettingstore& store) const {
    VisitFields(*this, StoreWriter(store));
}

bool CVendorPara::InRange() const {
    return FieldsInRange(*this);
}

bool CUserPara::LoadFromStore(const CSettingstore& store) {
    return LoadChecked(*this, store);
}

bool CUserPara::LoadFromCompleteStore(const CSettingstore& store) {
    return LoadComplete(*this, store);
}

void CUserPara::SaveToStore(CSettingstore& store) const {
    VisitFields(*this, StoreWriter(store));
}

bool CUserPara::InRange() const {
    return FieldsInRange(*this);
}
