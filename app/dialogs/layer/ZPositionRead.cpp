#include "ZPositionRead.h"

#include "ConnectSetting.h"
#include "Motionlink.h"
#include "SettingsGlobals.h"

namespace {

constexpr std::uint32_t kZAxis = 3;
constexpr double kMmPerMicrometre = 0.001;

}  // namespace

std::optional<double> ReadControllerZMm(const CConnectSetting& connection) {
    if (connection.Open() != 0) {
        connection.Close();
        return std::nullopt;
    }
    std::int32_t micrometres = 0;
    const bool read = Zint_GetAxisPrfPos(kZAxis, &micrometres) == 0;
    connection.Close();
    if (!read) {
        return std::nullopt;
    }
    return micrometres * kMmPerMicrometre;
}

std::string ZReadFailureText(std::uint16_t languageIndex) {
    return languageIndex == kLanguageSimplifiedChinese ? "读取当前Z位置失败!"
                                                       : "Read current position of Z failure!";
}
