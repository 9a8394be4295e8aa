// CLgpLink: the designer's own controller connection settings, independent of the main program's: the
// connection type, the ports and addresses that the last search found, the operator's choice, and the
// opening of the controller for every worker.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace dotplate {

// The controller calls that the link makes, replaceable so that a search can be shown without a
// network of controllers.
struct LgpLinkCalls {
    std::function<std::uint16_t(std::uint16_t kind, std::uint16_t port, const std::string& address)> open;
    std::function<std::uint16_t()> close;

    // Motionlink's Zint_Open and Zint_Close.
    static LgpLinkCalls Controller();
};

class CLgpLink {
  public:
    static constexpr int kMaxFound = 16;
    static constexpr std::uint16_t kUsb = 0;
    static constexpr std::uint16_t kNetwork = 1;

    std::uint16_t connectionType = kUsb;
    std::uint16_t usbChoice = 0;  // 0 automatic, n the n-th found port
    std::uint16_t portCount = 0;
    std::array<std::uint16_t, kMaxFound> ports{};
    std::uint16_t networkChoice = 0;  // 0 the default address, n the n-th found address
    std::uint16_t addressCount = 0;
    std::array<std::string, kMaxFound> addresses;
    std::array<std::uint8_t, 4> defaultAddress{192, 168, 1, 100};

    explicit CLgpLink(LgpLinkCalls calls = LgpLinkCalls::Controller());

    std::string DefaultAddressText() const;
    // 0 when the chosen controller is open; otherwise nothing is left open and the failure returned.
    // The caller closes an open connection when done.
    std::uint16_t Open();
    // 0 when at least one device answered, 1 when none did. `betweenTries` runs after every try, so
    // that a window thread may keep its messages flowing.
    int Search(const std::function<void()>& betweenTries = {});
    int SearchUsb(const std::function<void()>& betweenTries = {});
    int SearchEthernet(const std::function<void()>& betweenTries = {});

    void ResetUsbList();
    void ResetNetworkList();

  private:
    LgpLinkCalls calls_;
};

// The default address as the port dialog takes it from its field: the last part is kept within
// 100..149, where the controllers of a workshop network sit.
std::array<std::uint8_t, 4> PortDialogAddress(int first, int second, int third, int last);

// What the document-name dialog makes of a typed name.
enum class LgpNameCheck {
    kValid,
    kEmpty,
    kTooLong,       // more than 8 characters
    kInvalidChars,  // anything but 0-9 and A-Z once upper-cased
};
// Checks the name and, when valid, upper-cases it in place.
LgpNameCheck CheckDocumentName(std::string& name);
// The message for a refused name, Chinese for language 0.
const char* DocumentNameMessage(LgpNameCheck check, std::uint16_t languageIndex);

}  // namespace dotplate
