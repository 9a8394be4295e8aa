#include "ControllerPassword.h"

#include "MotionlinkLink.h"
#include "SevenBitGroups.h"

namespace stationkeep {

std::optional<std::string> ReadControllerPassword(std::uint16_t kind, std::uint16_t port, const std::string& address) {
    SevenBitValue low{};
    SevenBitValue high{};
    const bool read = Zint_Open(kind, port, address) == 0 && Zint_ReadParam(kPasswordLowParam, low.data()) == 0 &&
                      Zint_ReadParam(kPasswordHighParam, high.data()) == 0;
    Zint_Close();
    if (!read) {
        return std::nullopt;
    }
    return DecodeVendorPassword(low, high);
}

}  // namespace stationkeep
