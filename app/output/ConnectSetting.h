// How the program reaches the controller: the connection kind, the ports and addresses that the last
// device search found, the user's choice among them and the default address; opening and testing the
// connection; and the send operation of the download workers.
#pragma once

#include "Archive.h"
#include "MessageSink.h"

#include <array>
#include <cstdint>
#include <string>

class CConnectSetting {
  public:
    static constexpr int kListSlots = 256;
    static constexpr std::uint16_t kKindSerial = 0;  // USB or serial port; every other kind is network
    static constexpr std::uint16_t kKindNetwork = 1;

    CConnectSetting();

    // Port index 0, count 0, every port entry 3.
    void ResetPorts();
    // Address index 0, count 0, every address entry the default address text.
    void ResetIPs();

    // The kind; the port number (0 for index 0, else the indexed entry); the address text (the default
    // address text for index 0, else the indexed entry), each where its pointer is not null. An index
    // beyond its count is set back to 0.
    void GetCurrent(std::uint16_t* kind, std::uint16_t* port, std::string* address);
    // The default address as "a.b.c.d".
    std::string DefaultAddressText() const;

    // Opens the controller: 0 open, 2 software mismatch, other values a communication error. Leaves no
    // connection open on failure; shows nothing.
    std::uint16_t Open() const;
    // The status of a transfer that the close ended, as the controller confirmed it (0 when none was
    // under way): the last pieces of a download are only known to have arrived after it.
    std::uint16_t Close() const;
    // Opens and closes again; a failure is shown in a message box ("MsgInfo" "E" for a mismatch, "MsgInfo"
    // "4" for every other failure). Returns the open status.
    std::uint16_t CheckConnect(platform::MessageSink& messages) const;

    // Tries COM ports 3 to 256, side by side, and lists those where a controller answers, in port order:
    // 0 when one was found, else 1. Runs on a worker and pumps no messages; the shared connection stays
    // as it was.
    std::uint16_t SearchPorts();
    // Tries the 256 hosts of the default address's subnet in the same way, listed in host order.
    std::uint16_t SearchIPs();
    // The search of the current kind.
    std::uint16_t Search();

    // The form stored inside "config". Loading clamps both counts to 0..256, so that a damaged file cannot
    // index past the lists, and changes nothing when the archive ends early.
    void Serialize(platform::Archive& archive);

    // The stored fields, in their stored order.
    std::uint16_t kind = kKindSerial;
    std::uint16_t portIndex = 0;
    std::uint16_t portCount = 0;
    std::array<std::uint16_t, kListSlots> ports{};
    std::uint16_t addressIndex = 0;
    std::uint16_t addressCount = 0;
    std::array<std::string, kListSlots> addresses;
    std::array<std::uint8_t, 4> defaultAddress{192, 168, 1, 100};

  private:
    void Store(platform::Archive& archive) const;
    void Load(platform::Archive& archive);
    // The port number and address text that an open uses; indexes beyond their counts count as 0.
    std::uint16_t CurrentPort() const;
    std::string CurrentAddress() const;
    // "a.b.c.host" with a, b, c of the default address.
    std::string SubnetHostText(int host) const;
};

// The program's one connection setting, carried by "config".
extern CConnectSetting ConnectSetting;

// Makes "config" store and load ConnectSetting in its connection block.
void RegisterConnectSettingSerializer();

// Sends a piece of a job file on the connection that the caller opened: 0 without a call for a null
// buffer, else the status of Zint_WritePort.
std::uint16_t WritePortData(const std::uint8_t* buffer, std::uint32_t length);
