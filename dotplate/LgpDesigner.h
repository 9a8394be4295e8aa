// The designer's state for the life of the process: the plate, the parameter records of "LGPConfig",
// where jobs sit on the machine, the caller's reverse-interval rows, the controller link, the texts
// and the frame settings. One instance; every entry of the designer resets what an entry resets.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <vector>

#include "DbList.h"
#include "FieldInfo.h"
#include "LgpJobWriter.h"
#include "LgpLink.h"
#include "LgpParams.h"
#include "LgpPlate.h"
#include "LgpTextStore.h"
#include "ReverseIntervalRow.h"

namespace dotplate {

// The frame run of the output panel: kept in memory only.
struct LgpFrameSettings {
    double speed = 100.0;    // mm/s
    double minPower = 0.0;   // %
    double maxPower = 100.0;
    double blank = 0.0;      // mm around the plate
};

// Its fields as the frame dialog edits them. A frame run takes the values as typed, so any finite number
// is accepted; only a text without a number is refused.
template <typename Visit>
void VisitFields(LgpFrameSettings& settings, Visit&& visit) {
    constexpr ParaRange kAsTyped{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max(),
                                 false};
    visit(FieldInfo{"Speed", "mm/s", kAsTyped, 3, 1074}, settings.speed);
    visit(FieldInfo{"MinPower", "%", kAsTyped, 3, 1075}, settings.minPower);
    visit(FieldInfo{"MaxPower", "%", kAsTyped, 3, 1076}, settings.maxPower);
    visit(FieldInfo{"Blank", "mm", kAsTyped, 3, 1077}, settings.blank);
}

class LgpDesigner {
  public:
    static LgpDesigner& Instance();

    std::uint16_t languageIndex = 0;
    std::uint16_t originCorner = 0;
    std::uint16_t headPosition = 0;
    std::vector<ReverseIntervalRow> reverseIntervals;  // in the caller's order
    CLgpPlate plate;
    LgpConfig config;
    CLgpLink link;
    CLgpTextStore texts;
    LgpFrameSettings frameSettings;

    // An entry of the designer: the plate loses its dots and outlines, the caller's rows (null for
    // none) are copied afresh, and the language and machine placement are taken over.
    void BeginSession(std::uint16_t language, std::uint16_t corner, std::uint16_t head,
                      const CDbList<ReverseIntervalRow>* rows);
    // The designer window opens: its texts, "LGPConfig" (written with the defaults when it cannot be
    // read) and the rectangular plate of the stored size. Nothing is read without a program folder.
    void OpenSession(const std::filesystem::path& programFolder);
    // The designer window closes: "LGPConfig" is written; false when it could not be.
    bool CloseSession(const std::filesystem::path& programFolder) const;

    // The dot job of the plate as it stands: the outline cut follows the plate edge that the blank
    // settings chose.
    LgpDotJob MakeDotJob() const;

  private:
    LgpDesigner() = default;
};

// The settings file of the designer in the program folder.
inline constexpr char kConfigFileName[] = "LGPConfig";

}  // namespace dotplate
