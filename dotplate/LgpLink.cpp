#include "LgpLink.h"

#include <algorithm>
#include <cstdio>

#include "Motionlink.h"

namespace dotplate {

namespace {

constexpr std::uint16_t kFirstSearchedPort = 3;
constexpr std::uint16_t kLastSearchedPort = 256;
constexpr int kFirstSearchedHost = 100;
constexpr int kLastSearchedHost = 150;
constexpr std::size_t kLongestDocumentName = 8;

void RunBetweenTries(const std::function<void()>& betweenTries) {
    if (betweenTries) {
        betweenTries();
    }
}

}  // namespace

LgpLinkCalls LgpLinkCalls::Controller() {
    return {[](std::uint16_t kind, std::uint16_t port, const std::string& address) {
                return Zint_Open(kind, port, address);
            },
            [] { return Zint_Close(); }};
}

CLgpLink::CLgpLink(LgpLinkCalls calls) : calls_(std::move(calls)) {
    ResetUsbList();
    ResetNetworkList();
}

std::string CLgpLink::DefaultAddressText() const {
    char text[20];
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", defaultAddress[0], defaultAddress[1], defaultAddress[2],
                  defaultAddress[3]);
    return text;
}

void CLgpLink::ResetUsbList() {
    usbChoice = 0;
    portCount = 0;
    ports.fill(3);
}

void CLgpLink::ResetNetworkList() {
    networkChoice = 0;
    addressCount = 0;
    addresses.fill(DefaultAddressText());
}

std::uint16_t CLgpLink::Open() {
    std::uint16_t status;
    if (connectionType == kNetwork) {
        const bool chosen = networkChoice != 0 && networkChoice <= addressCount;
        status = calls_.open(1, 0, chosen ? addresses[networkChoice - 1] : DefaultAddressText());
    } else {
        const bool chosen = usbChoice != 0 && usbChoice <= portCount;
        status = calls_.open(0, chosen ? ports[usbChoice - 1] : 0, DefaultAddressText());
    }
    if (status != 0) {
        calls_.close();
    }
    return status;
}

int CLgpLink::Search(const std::function<void()>& betweenTries) {
    return connectionType == kNetwork ? SearchEthernet(betweenTries) : SearchUsb(betweenTries);
}

int CLgpLink::SearchUsb(const std::function<void()>& betweenTries) {
    ResetUsbList();
    const std::string address = DefaultAddressText();
    for (std::uint32_t port = kFirstSearchedPort; port <= kLastSearchedPort && portCount < kMaxFound; ++port) {
        if (calls_.open(0, static_cast<std::uint16_t>(port), address) == 0) {
            ports[portCount++] = static_cast<std::uint16_t>(port);
        }
        calls_.close();
        RunBetweenTries(betweenTries);
    }
    return portCount > 0 ? 0 : 1;
}

int CLgpLink::SearchEthernet(const std::function<void()>& betweenTries) {
    ResetNetworkList();
    for (int host = kFirstSearchedHost; host <= kLastSearchedHost && addressCount < kMaxFound; ++host) {
        const std::string address = "192.168.1." + std::to_string(host);
        if (calls_.open(1, 0, address) == 0) {
            addresses[addressCount++] = address;
        }
        calls_.close();
        RunBetweenTries(betweenTries);
    }
    return addressCount > 0 ? 0 : 1;
}

std::array<std::uint8_t, 4> PortDialogAddress(int first, int second, int third, int last) {
    auto part = [](int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); };
    return {part(first), part(second), part(third), static_cast<std::uint8_t>(std::clamp(last, 100, 149))};
}

LgpNameCheck CheckDocumentName(std::string& name) {
    if (name.empty()) {
        return LgpNameCheck::kEmpty;
    }
    if (name.size() > kLongestDocumentName) {
        return LgpNameCheck::kTooLong;
    }
    std::string upper = name;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) {
            return LgpNameCheck::kInvalidChars;
        }
    }
    name = upper;
    return LgpNameCheck::kValid;
}

const char* DocumentNameMessage(LgpNameCheck check, std::uint16_t languageIndex) {
    const bool chinese = languageIndex == 0;
    switch (check) {
        case LgpNameCheck::kEmpty:
            return chinese ? "文档名为空!" : "Document name is empty!";
        case LgpNameCheck::kTooLong:
            return chinese ? "文档名太长!" : "Document name is too long!";
        case LgpNameCheck::kInvalidChars:
            return chinese ? "文档名只能为(0-9)或(A-Z)!" : "Document name must be (0-9) or (A-Z)!";
        case LgpNameCheck::kValid:
            break;
    }
    return "";
}

}  // namespace dotplate
