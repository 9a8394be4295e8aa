// Defaults of the machine parameter records, their keys in the parameter store and the range of each
// field: the visits below are the one table of both.
#include "MachineParaRecords.h"

#include "MachineParaRanges.h"
#include "Numbers.h"
#include "Settingstore.h"

#include <optional>
#include <string>

CVendorPara gVendorPara;
CUserPara gUserPara;

namespace {

// How a field is kept in the store: doubles as float entries, integers as int entries except the
// switches, which are bool entries.
enum class EntryKind { kFloat, kInt, kBool };

// Axis fields are keyed axis * 256 + field number in group 0.
constexpr std::uint32_t kAxisKeyStride = 256;

class StoreWriter {
  public:
    explicit StoreWriter(CSettingstore& store) : store_(store) {}
    void operator()(std::uint32_t group, std::uint32_t index, double value, EntryKind, ParaRange) {
        store_.SetFloatPara(group, index, value);
    }
    void operator()(std::uint32_t group, std::uint32_t index, std::int32_t value, EntryKind kind, ParaRange) {
        if (kind == EntryKind::kBool) {
            store_.SetBoolPara(group, index, value);
        } else {
            store_.SetIntPara(group, index, value);
        }
    }
    // Widened without sign.
    void operator()(std::uint32_t group, std::uint32_t index, std::uint16_t value, EntryKind, ParaRange) {
        store_.SetIntPara(group, index, value);
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
    void operator()(std::uint32_t group, std::uint32_t index, Field& field, EntryKind, ParaRange range) {
        std::string text;
        if (store_.GetParaData(group, index, text) == 0) {
            return;
        }
        const std::optional<double> number = platform::ParseDouble(text);
        if (!number || !range.Contains(*number)) {
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

// Checks every field against its range.
class RangeChecker {
  public:
    template <typename Field>
    void operator()(std::uint32_t, std::uint32_t, Field field, EntryKind, ParaRange range) {
        inRange_ = inRange_ && range.Contains(static_cast<double>(field));
    }
    bool InRange() const { return inRange_; }

  private:
    bool inRange_ = true;
};

// Calls visit(group, index, field, kind, range) for every keyed field, in key order.
template <typename Record, typename Visit>
void VisitVendorKeys(Record& record, Visit&& visit) {
    using namespace para_range;
    constexpr EntryKind kFloat = EntryKind::kFloat;
    constexpr EntryKind kInt = EntryKind::kInt;
    constexpr EntryKind kBool = EntryKind::kBool;
    for (std::uint32_t axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        const std::uint32_t base = axis * kAxisKeyStride;
        visit(0, base + 0, record.dirPolarity[axis], kInt, kSwitch);
        visit(0, base + 1, record.controlMode[axis], kInt, kSwitch);
        visit(0, base + 2, record.limitPolarity[axis], kInt, kSwitch);
        visit(0, base + 3, record.stepLengthUm[axis], kFloat, kStepLengthUm);
        visit(0, base + 4, record.breadthMm[axis], kFloat, kBreadthMm);
        visit(0, base + 5, record.homeOffsetMm[axis], kFloat, kHomeOffsetMm);
        visit(0, base + 6, record.hardLimitOn[axis], kBool, kSwitch);
        visit(0, base + 7, record.pwmRisingEdge[axis], kInt, kSwitch);
        visit(0, base + 8, record.homingOn[axis], kBool, kSwitch);
        visit(0, base + 9, record.jumpOffSpeedMmPerS[axis], kFloat, kJumpOffSpeedMmPerS);
        visit(0, base + 10, record.maxSpeedMmPerS[axis], kFloat, kMaxSpeedMmPerS);
        visit(0, base + 11, record.maxAccMmPerS2[axis], kFloat, kMaxAccMmPerS2);
        visit(0, base + 12, record.estopAccMmPerS2[axis], kFloat, kEstopAccMmPerS2);
        visit(0, base + 13, record.keyJumpOffSpeedMmPerS[axis], kFloat, kKeyJumpOffSpeedMmPerS);
        visit(0, base + 14, record.keyAccMmPerS2[axis], kFloat, kKeyAccMmPerS2);
        visit(0, base + 15, record.keyDirInverted[axis], kInt, kSwitch);
    }
    visit(1, 0, record.tubeConfig, kInt, kSwitch);
    visit(1, 1, record.laserType, kInt, Choice(2));
    visit(1, 2, record.attenuationPercent, kFloat, kAttenuationPercent);
    visit(1, 3, record.laser1On, kBool, kSwitch);
    visit(1, 4, record.laser2On, kBool, kSwitch);
    visit(1, 5, record.minPower1Percent, kFloat, kPercent);
    visit(1, 6, record.minPower2Percent, kFloat, kPercent);
    visit(1, 7, record.maxPower1Percent, kFloat, kPercent);
    visit(1, 8, record.maxPower2Percent, kFloat, kPercent);
    visit(1, 9, record.pwmFrequency1, kFloat, kPwmFrequency);
    visit(1, 10, record.pwmFrequency2, kFloat, kPwmFrequency);
    visit(1, 11, record.preIgnitionFrequency1, kFloat, kPreIgnitionFrequency);
    visit(1, 12, record.preIgnitionFrequency2, kFloat, kPreIgnitionFrequency);
    visit(1, 13, record.preIgnitionPulse1Percent, kFloat, kPercent);
    visit(1, 14, record.preIgnitionPulse2Percent, kFloat, kPercent);
    visit(1, 15, record.waterProtect1On, kBool, kSwitch);
    visit(1, 16, record.waterProtect2On, kBool, kSwitch);
    visit(2, 0, record.machineType, kInt, Choice(2));
    visit(2, 1, record.transmission, kInt, Choice(3));
    visit(2, 2, record.zFunction, kInt, kSwitch);
    visit(2, 3, record.feedMode, kInt, kSwitch);
    visit(2, 4, record.powerOffDelayMs, kFloat, kPowerOffDelayMs);
    visit(2, 5, record.lidProtectOn, kBool, kSwitch);
    visit(2, 6, record.blowerOn, kBool, kSwitch);
}

// The idle delay and the three factors have no keys: only the controller transfers move them.
template <typename Record, typename Visit>
void VisitUserKeys(Record& record, Visit&& visit) {
    using namespace para_range;
    constexpr EntryKind kFloat = EntryKind::kFloat;
    constexpr EntryKind kInt = EntryKind::kInt;
    constexpr EntryKind kBool = EntryKind::kBool;
    visit(3, 0, record.idleSpeedMmPerS, kFloat, kAmount);
    visit(3, 1, record.idleAccMmPerS2, kFloat, kAmount);
    visit(3, 2, record.startSpeedMmPerS, kFloat, kAmount);
    visit(3, 3, record.minAccMmPerS2, kFloat, kAmount);
    visit(3, 4, record.maxAccMmPerS2, kFloat, kAmount);
    visit(3, 5, record.cuttingMode, kInt, Choice(2));
    visit(3, 6, record.accMode, kInt, kSwitch);
    visit(4, 0, record.scanStartSpeedXMmPerS, kFloat, kAmount);
    visit(4, 1, record.scanStartSpeedYMmPerS, kFloat, kAmount);
    visit(4, 2, record.scanAccXMmPerS2, kFloat, kAmount);
    visit(4, 3, record.scanAccYMmPerS2, kFloat, kAmount);
    visit(4, 4, record.scanLineShiftSpeedMmPerS, kFloat, kAmount);
    visit(4, 5, record.scanMode, kInt, kSwitch);
    visit(4, 6, record.spotSizePercent, kFloat, kSpotSizePercent);
    visit(5, 0, record.homeSpeedMmPerS, kFloat, kAmount);
    for (std::uint32_t axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        visit(5, 1 + axis, record.homeAtPowerOn[axis], kBool, kSwitch);
    }
    visit(6, 0, record.feedDelayBeforeS, kFloat, kAmount);
    visit(6, 1, record.feedDelayAfterMs, kFloat, kAmount);
    visit(6, 2, record.lineFeedOn, kBool, kSwitch);
    visit(6, 3, record.lineFeedRepayMm, kFloat, kLineFeedRepayMm);
    visit(7, 0, record.frameMode, kInt, Choice(2));
    visit(7, 1, record.frameMarginMm, kFloat, kAmount);
    visit(7, 2, record.arrayMode, kInt, kSwitch);
    visit(7, 3, record.returnPosition, kInt, Choice(2));
    visit(7, 4, record.panelLanguage, kInt, Choice(2));
    visit(7, 5, record.focusDepthMm, kFloat, kAmount);
    visit(7, 6, record.backlashXMm, kFloat, kBacklashMm);
    visit(7, 7, record.backlashYMm, kFloat, kBacklashMm);
}

// Loads into a copy, which takes the record's place only when every value was accepted.
template <typename Record, typename Visit>
bool LoadChecked(Record& record, const CSettingstore& store, Visit visitKeys) {
    Record loaded = record;
    StoreReader reader(store);
    visitKeys(loaded, reader);
    if (!reader.Accepted() || !loaded.InRange()) {
        return false;
    }
    record = loaded;
    return true;
}

}  // namespace

bool CVendorPara::LoadFromStore(const CSettingstore& store) {
    return LoadChecked(*this, store,
                       [](CVendorPara& record, StoreReader& reader) { VisitVendorKeys(record, reader); });
}

void CVendorPara::SaveToStore(CSettingstore& store) const {
    VisitVendorKeys(*this, StoreWriter(store));
}

bool CVendorPara::InRange() const {
    RangeChecker checker;
    VisitVendorKeys(*this, checker);
    return checker.InRange();
}

bool CUserPara::LoadFromStore(const CSettingstore& store) {
    return LoadChecked(*this, store,
                       [](CUserPara& record, StoreReader& reader) { VisitUserKeys(record, reader); });
}

void CUserPara::SaveToStore(CSettingstore& store) const {
    VisitUserKeys(*this, StoreWriter(store));
}

// The idle delay and the three factors have no keys, but their ranges hold all the same.
bool CUserPara::InRange() const {
    RangeChecker checker;
    VisitUserKeys(*this, checker);
    using namespace para_range;
    return checker.InRange() && kAmount.Contains(idleDelayMs) && kFactorPercent.Contains(accFactorPercent) &&
           kFactorPercent.Contains(idleAccFactorPercent) && kFactorPercent.Contains(speedFactorPercent);
}
