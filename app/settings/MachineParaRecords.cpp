// Defaults of the machine parameter records and their keys in the parameter store.
#include "MachineParaRecords.h"

#include "Settingstore.h"

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
    void operator()(std::uint32_t group, std::uint32_t index, double value, EntryKind) {
        store_.SetFloatPara(group, index, value);
    }
    void operator()(std::uint32_t group, std::uint32_t index, std::int32_t value, EntryKind kind) {
        if (kind == EntryKind::kBool) {
            store_.SetBoolPara(group, index, value);
        } else {
            store_.SetIntPara(group, index, value);
        }
    }
    // Widened without sign.
    void operator()(std::uint32_t group, std::uint32_t index, std::uint16_t value, EntryKind) {
        store_.SetIntPara(group, index, value);
    }

  private:
    CSettingstore& store_;
};

// A field changes only when its key is present.
class StoreReader {
  public:
    explicit StoreReader(const CSettingstore& store) : store_(store) {}
    void operator()(std::uint32_t group, std::uint32_t index, double& value, EntryKind) {
        store_.GetFloatPara(group, index, value);
    }
    void operator()(std::uint32_t group, std::uint32_t index, std::int32_t& value, EntryKind kind) {
        int stored = 0;
        const int found = kind == EntryKind::kBool ? store_.GetBoolPara(group, index, stored)
                                                   : store_.GetIntPara(group, index, stored);
        if (found != 0) {
            value = stored;
        }
    }
    // Cut to the low 16 bits.
    void operator()(std::uint32_t group, std::uint32_t index, std::uint16_t& value, EntryKind) {
        store_.GetUShortPara(group, index, value);
    }

  private:
    const CSettingstore& store_;
};

// Calls visit(group, index, field, kind) for every keyed field, in key order.
template <typename Record, typename Visit>
void VisitVendorKeys(Record& record, Visit&& visit) {
    constexpr EntryKind kFloat = EntryKind::kFloat;
    constexpr EntryKind kInt = EntryKind::kInt;
    constexpr EntryKind kBool = EntryKind::kBool;
    for (std::uint32_t axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        const std::uint32_t base = axis * kAxisKeyStride;
        visit(0, base + 0, record.dirPolarity[axis], kInt);
        visit(0, base + 1, record.controlMode[axis], kInt);
        visit(0, base + 2, record.limitPolarity[axis], kInt);
        visit(0, base + 3, record.stepLengthUm[axis], kFloat);
        visit(0, base + 4, record.breadthMm[axis], kFloat);
        visit(0, base + 5, record.homeOffsetMm[axis], kFloat);
        visit(0, base + 6, record.hardLimitOn[axis], kBool);
        visit(0, base + 7, record.pwmRisingEdge[axis], kInt);
        visit(0, base + 8, record.homingOn[axis], kBool);
        visit(0, base + 9, record.jumpOffSpeedMmPerS[axis], kFloat);
        visit(0, base + 10, record.maxSpeedMmPerS[axis], kFloat);
        visit(0, base + 11, record.maxAccMmPerS2[axis], kFloat);
        visit(0, base + 12, record.estopAccMmPerS2[axis], kFloat);
        visit(0, base + 13, record.keyJumpOffSpeedMmPerS[axis], kFloat);
        visit(0, base + 14, record.keyAccMmPerS2[axis], kFloat);
        visit(0, base + 15, record.keyDirInverted[axis], kInt);
    }
    visit(1, 0, record.tubeConfig, kInt);
    visit(1, 1, record.laserType, kInt);
    visit(1, 2, record.attenuationPercent, kFloat);
    visit(1, 3, record.laser1On, kBool);
    visit(1, 4, record.laser2On, kBool);
    visit(1, 5, record.minPower1Percent, kFloat);
    visit(1, 6, record.minPower2Percent, kFloat);
    visit(1, 7, record.maxPower1Percent, kFloat);
    visit(1, 8, record.maxPower2Percent, kFloat);
    visit(1, 9, record.pwmFrequency1, kFloat);
    visit(1, 10, record.pwmFrequency2, kFloat);
    visit(1, 11, record.preIgnitionFrequency1, kFloat);
    visit(1, 12, record.preIgnitionFrequency2, kFloat);
    visit(1, 13, record.preIgnitionPulse1Percent, kFloat);
    visit(1, 14, record.preIgnitionPulse2Percent, kFloat);
    visit(1, 15, record.waterProtect1On, kBool);
    visit(1, 16, record.waterProtect2On, kBool);
    visit(2, 0, record.machineType, kInt);
    visit(2, 1, record.transmission, kInt);
    visit(2, 2, record.zFunction, kInt);
    visit(2, 3, record.feedMode, kInt);
    visit(2, 4, record.powerOffDelayMs, kFloat);
    visit(2, 5, record.lidProtectOn, kBool);
    visit(2, 6, record.blowerOn, kBool);
}

// The idle delay and the three factors have no keys: only the controller transfers move them.
template <typename Record, typename Visit>
void VisitUserKeys(Record& record, Visit&& visit) {
    constexpr EntryKind kFloat = EntryKind::kFloat;
    constexpr EntryKind kInt = EntryKind::kInt;
    constexpr EntryKind kBool = EntryKind::kBool;
    visit(3, 0, record.idleSpeedMmPerS, kFloat);
    visit(3, 1, record.idleAccMmPerS2, kFloat);
    visit(3, 2, record.startSpeedMmPerS, kFloat);
    visit(3, 3, record.minAccMmPerS2, kFloat);
    visit(3, 4, record.maxAccMmPerS2, kFloat);
    visit(3, 5, record.cuttingMode, kInt);
    visit(3, 6, record.accMode, kInt);
    visit(4, 0, record.scanStartSpeedXMmPerS, kFloat);
    visit(4, 1, record.scanStartSpeedYMmPerS, kFloat);
    visit(4, 2, record.scanAccXMmPerS2, kFloat);
    visit(4, 3, record.scanAccYMmPerS2, kFloat);
    visit(4, 4, record.scanLineShiftSpeedMmPerS, kFloat);
    visit(4, 5, record.scanMode, kInt);
    visit(4, 6, record.spotSizePercent, kFloat);
    visit(5, 0, record.homeSpeedMmPerS, kFloat);
    for (std::uint32_t axis = 0; axis < CVendorPara::kAxisCount; ++axis) {
        visit(5, 1 + axis, record.homeAtPowerOn[axis], kBool);
    }
    visit(6, 0, record.feedDelayBeforeS, kFloat);
    visit(6, 1, record.feedDelayAfterMs, kFloat);
    visit(6, 2, record.lineFeedOn, kBool);
    visit(6, 3, record.lineFeedRepayMm, kFloat);
    visit(7, 0, record.frameMode, kInt);
    visit(7, 1, record.frameMarginMm, kFloat);
    visit(7, 2, record.arrayMode, kInt);
    visit(7, 3, record.returnPosition, kInt);
    visit(7, 4, record.panelLanguage, kInt);
    visit(7, 5, record.focusDepthMm, kFloat);
    visit(7, 6, record.backlashXMm, kFloat);
    visit(7, 7, record.backlashYMm, kFloat);
}

}  // namespace

void CVendorPara::LoadFromStore(const CSettingstore& store) {
    VisitVendorKeys(*this, StoreReader(store));
}

void CVendorPara::SaveToStore(CSettingstore& store) const {
    VisitVendorKeys(*this, StoreWriter(store));
}

void CUserPara::LoadFromStore(const CSettingstore& store) {
    VisitUserKeys(*this, StoreReader(store));
}

void CUserPara::SaveToStore(CSettingstore& store) const {
    VisitUserKeys(*this, StoreWriter(store));
}
