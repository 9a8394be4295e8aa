// The connection settings and the operations that open, test and search the controller through them.
#include "ConnectSetting.h"

#include "ConnectionBlock.h"
#include "ControllerProbe.h"
#include "LanguageTexts.h"
#include "Motionlink.h"

#include <algorithm>

CConnectSetting ConnectSetting;

namespace {

constexpr std::uint16_t kResetPortNumber = 3;
constexpr std::uint16_t kFirstSearchedPort = 3;
constexpr std::uint16_t kLastSearchedPort = 256;
constexpr std::uint16_t kOpenMismatch = 2;

}  // namespace

CConnectSetting::CConnectSetting() {
    ResetPorts();
    ResetIPs();
}

void CConnectSetting::ResetPorts() {
    portIndex = 0;
    portCount = 0;
    ports.fill(kResetPortNumber);
}

void CConnectSetting::ResetIPs() {
    addressIndex = 0;
    addressCount = 0;
    addresses.fill(DefaultAddressText());
}

std::string CConnectSetting::SubnetHostText(int host) const {
    return std::to_string(defaultAddress[0]) + "." + std::to_string(defaultAddress[1]) + "." +
           std::to_string(defaultAddress[2]) + "." + std::to_string(host);
}

std::string CConnectSetting::DefaultAddressText() const {
    return SubnetHostText(defaultAddress[3]);
}

void CConnectSetting::GetCurrent(std::uint16_t* currentKind, std::uint16_t* port, std::string* address) {
    if (portIndex > portCount) {
        portIndex = 0;
    }
    if (addressIndex > addressCount) {
        addressIndex = 0;
    }
    if (currentKind != nullptr) {
        *currentKind = kind;
    }
    if (port != nullptr) {
        *port = CurrentPort();
    }
    if (address != nullptr) {
        *address = CurrentAddress();
    }
}

std::uint16_t CConnectSetting::CurrentPort() const {
    return portIndex == 0 || portIndex > portCount ? 0 : ports[portIndex - 1];
}

std::string CConnectSetting::CurrentAddress() const {
    return addressIndex == 0 || addressIndex > addressCount ? DefaultAddressText()
                                                            : addresses[addressIndex - 1];
}

std::uint16_t CConnectSetting::Open() const {
    const std::uint16_t status = kind == kKindSerial
                                     ? Zint_Open(kKindSerial, CurrentPort(), DefaultAddressText())
                                     : Zint_Open(kKindNetwork, 0, CurrentAddress());
    if (status != 0) {
        Zint_Close();
    }
    return status;
}

std::uint16_t CConnectSetting::Close() const {
    return Zint_Close();
}

std::uint16_t CConnectSetting::CheckConnect(platform::MessageSink& messages) const {
    const std::uint16_t status = Open();
    Close();
    if (status != 0) {
        const std::string text = GetLangText("MsgInfo", status == kOpenMismatch ? "E" : "4");
        messages.ShowMessageBox(text, "", platform::kOk | platform::kIconWarning);
    }
    return status;
}

std::uint16_t CConnectSetting::SearchPorts() {
    ResetPorts();
    std::vector<motionlink::link::ConnectionTarget> targets;
    for (std::uint16_t port = kFirstSearchedPort; port <= kLastSearchedPort; ++port) {
        targets.push_back({kKindSerial, port, ""});
    }
    const std::vector<bool> answered = ProbeControllers(targets);
    for (std::size_t at = 0; at < targets.size() && portCount < kListSlots; ++at) {
        if (answered[at]) {
            ports[portCount++] = targets[at].port;
        }
    }
    return portCount == 0 ? 1 : 0;
}

std::uint16_t CConnectSetting::SearchIPs() {
    ResetIPs();
    std::vector<motionlink::link::ConnectionTarget> targets;
    for (int host = 0; host < 256; ++host) {
        targets.push_back({kKindNetwork, 0, SubnetHostText(host)});
    }
    const std::vector<bool> answered = ProbeControllers(targets);
    for (std::size_t at = 0; at < targets.size() && addressCount < kListSlots; ++at) {
        if (answered[at]) {
            addresses[addressCount++] = targets[at].address;
        }
    }
    return addressCount == 0 ? 1 : 0;
}

std::uint16_t CConnectSetting::Search() {
    return kind == kKindSerial ? SearchPorts() : SearchIPs();
}

void CConnectSetting::Serialize(platform::Archive& archive) {
    if (archive.IsStoring()) {
        Store(archive);
    } else {
        Load(archive);
    }
}

void CConnectSetting::Store(platform::Archive& archive) const {
    archive.WriteU16(kind);
    archive.WriteU16(portIndex);
    archive.WriteU16(portCount);
    for (std::uint16_t port : ports) {
        archive.WriteU16(port);
    }
    archive.WriteU16(addressIndex);
    archive.WriteU16(addressCount);
    for (const std::string& address : addresses) {
        archive.WriteString(address);
    }
    for (std::uint8_t part : defaultAddress) {
        archive.WriteU8(part);
    }
}

void CConnectSetting::Load(platform::Archive& archive) {
    CConnectSetting loaded;  // filled whole before it replaces this, so an early end changes nothing
    loaded.kind = archive.ReadU16();
    loaded.portIndex = archive.ReadU16();
    loaded.portCount = std::min<std::uint16_t>(archive.ReadU16(), kListSlots);
    for (std::uint16_t& port : loaded.ports) {
        port = archive.ReadU16();
    }
    loaded.addressIndex = archive.ReadU16();
    loaded.addressCount = std::min<std::uint16_t>(archive.ReadU16(), kListSlots);
    for (std::string& address : loaded.addresses) {
        address = archive.ReadString();
    }
    for (std::uint8_t& part : loaded.defaultAddress) {
        part = archive.ReadU8();
    }
    *this = std::move(loaded);
}

void RegisterConnectSettingSerializer() {
    SetConnectionSerializer([](platform::Archive& archive) { ConnectSetting.Serialize(archive); });
}

std::uint16_t WritePortData(const std::uint8_t* buffer, std::uint32_t length) {
    return buffer == nullptr ? 0 : Zint_WritePort(buffer, length);
}
