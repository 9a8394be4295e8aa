// Defaults and record layouts of the settings records.
#include "SettingsRecords.h"

#include "FieldWalks.h"

GeneralSettings gGeneralSettings;
OutputOptions gOutputOptions;
FileParaSettings gFileParaSettings;
ProcessCtrlSettings gProcessCtrlSettings;
OptimSettings gOptimSettings;
JobFrame gJobFrame;

namespace {

constexpr SpeedLimitRow kDefaultSpeedLimits[] = {
    {1.1, 25.0}, {2.1, 35.0}, {3.1, 40.0}, {4.1, 45.0}, {5.1, 50.0}, {6.1, 55.0},
};

// DXF unit codes and the millimetres each stands for.
constexpr std::uint16_t kDxfMillimetre = 0;
constexpr std::uint16_t kDxfCentimetre = 1;
constexpr std::uint16_t kDxfInch = 2;
constexpr std::uint16_t kDxfCustom = 3;

// Stores the count that a walk of the list gives, or loads it as the signed number it was written as.
std::int32_t ExchangeRowCount(platform::Archive& archive, int rowsInList) {
    std::uint32_t count = static_cast<std::uint32_t>(rowsInList);
    archive.Exchange(count);
    return static_cast<std::int32_t>(count);
}

}  // namespace

GeneralSettings::GeneralSettings() {
    for (const SpeedLimitRow& row : kDefaultSpeedLimits) {
        speedLimits.AddTail(row);
    }
}

std::uint16_t ClampLaserHeadPosition(std::uint16_t position) {
    return position > kLastLaserHeadPosition ? kCentreLaserHeadPosition : position;
}

void GeneralSettings::Serialize(platform::Archive& archive) {
    ExchangeFields(archive, *this);
    const std::int32_t count = ExchangeRowCount(archive, speedLimits.GetCount());
    if (archive.IsStoring()) {
        for (auto* node = speedLimits.head->next; node != speedLimits.head; node = node->next) {
            SerializeDoublePair(archive, node->value.diameterMm, node->value.speedMmPerS);
        }
        return;
    }
    laserHeadPosition = ClampLaserHeadPosition(laserHeadPosition);
    if (count <= 0) {
        return;
    }
    // Read every row before the table is replaced, so that a file that ends early keeps the old rows.
    CDbList<SpeedLimitRow> loaded;
    for (std::int32_t index = 0; index < count; ++index) {
        SpeedLimitRow row;
        SerializeDoublePair(archive, row.diameterMm, row.speedMmPerS);
        loaded.AddTail(row);
    }
    SortAscending(loaded);
    speedLimits = std::move(loaded);
}

double OutputOptions::LookupOffsetRepay(double speedMmPerS) {
    if (speedMmPerS <= 0.0 || reverseIntervalOn == 0 || reverseIntervals.IsEmpty() != 0) {
        return 0.0;
    }
    SortAscending(reverseIntervals);
    return LookupAscending(reverseIntervals, speedMmPerS, &ReverseIntervalRow::speedMmPerS,
                           &ReverseIntervalRow::offsetRepayMm)
        .value_or(reverseIntervals.head->prev->value.offsetRepayMm);
}

void OutputOptions::Serialize(platform::Archive& archive) {
    ExchangeFields(archive, *this, kCurrentLayout);
    SerializeRows(archive);
}

void OutputOptions::SerializeOld(platform::Archive& archive) {
    ExchangeFields(archive, *this, kOlderLayout);
    SerializeRows(archive);
}

void OutputOptions::SerializeRows(platform::Archive& archive) {
    const std::int32_t count = ExchangeRowCount(archive, reverseIntervals.GetCount());
    if (archive.IsStoring()) {
        for (auto* node = reverseIntervals.head->next; node != reverseIntervals.head; node = node->next) {
            node->value.Serialize(archive);
        }
        return;
    }
    for (std::int32_t index = 0; index < count; ++index) {
        ReverseIntervalRow row;
        row.Serialize(archive);
        reverseIntervals.AddTail(row);
    }
    if (count > 0) {
        SortAscending(reverseIntervals);
    }
}

void FileParaSettings::Serialize(platform::Archive& archive) {
    ExchangeFields(archive, *this);
    if (archive.IsStoring()) {
        return;
    }
    switch (dxfUnit) {
        case kDxfMillimetre:
            dxfScale = 1.0;
            break;
        case kDxfCentimetre:
            dxfScale = 10.0;
            break;
        case kDxfInch:
            dxfScale = 25.4;
            break;
        case kDxfCustom:
            dxfScale = dxfScale > 0.0 ? dxfScale : 1.0;
            break;
        default:
            dxfUnit = kDxfMillimetre;
            dxfScale = 1.0;
    }
}

void ProcessCtrlSettings::Serialize(platform::Archive& archive) {
    ExchangeFields(archive, *this);
}

void OptimSettings::Serialize(platform::Archive& archive) {
    ExchangeFields(archive, *this);
}
