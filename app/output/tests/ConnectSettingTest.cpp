// Connection settings: what an open reaches for each kind and choice, what CheckConnect shows, the
// device searches, and the form stored in "config".
#include "ConnectSetting.h"

#include "ConnectionBlock.h"
#include "ControllerConnection.h"
#include "LanguageTexts.h"
#include "Motionlink.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"
#include "TempHome.h"
#include "TestControllers.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace {

using motionlink::testing::InProcessEmulator;
using motionlink::testing::NoController;
namespace emulator = motionlink::emulator;

bool ConnectionIsOpen() {
    std::array<std::uint8_t, 5> status{};
    return Zint_GetMachineStauts(status.data()) == 0;
}

CConnectSetting NetworkSetting(std::array<std::uint8_t, 4> defaultAddress) {
    CConnectSetting setting;
    setting.kind = CConnectSetting::kKindNetwork;
    setting.defaultAddress = defaultAddress;
    return setting;
}

// An emulator whose pseudo-terminal stands as the COM port, in a serial folder of the test's own.
emulator::EmulatorOptions OnComPort(std::uint16_t comPort) {
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.stateFolder /= std::to_string(comPort);
    options.serial = true;
    options.serialLink = motionlink::link::SerialDevicePath(comPort);
    return options;
}

class SerialFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::filesystem::path folder = cutrix::testing::TempHome() / "serial";
        std::filesystem::create_directories(folder);
        ::setenv("CUTRIX_SERIAL_DIR", folder.c_str(), 1);
    }
    void TearDown() override { ::unsetenv("CUTRIX_SERIAL_DIR"); }
};

TEST(ConnectSettingTest, CheckConnectGivesTheOpenStatusAndShowsItsMessageKey) {
    LanguageIndex = kLanguageEnglish;
    WriteDefaultTexts();
    struct Case {
        const char* name;
        bool mismatch;
        bool running;
        std::uint16_t status;
        const char* key;
    };
    for (const Case& testCase : {Case{"open", false, true, 0, nullptr}, Case{"mismatch", true, true, 2, "E"},
                                 Case{"not running", false, false, 1, "4"}}) {
        emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
        options.controller.reportMismatch = testCase.mismatch;
        InProcessEmulator controller(options);
        const NoController nobody;
        CConnectSetting setting =
            NetworkSetting(testCase.running ? std::array<std::uint8_t, 4>{127, 0, 0, 1}
                                            : std::array<std::uint8_t, 4>{127, 83, 91, 7});
        if (!testCase.running) {
            motionlink::testing::UseControllerPort(nobody.Port());
        }
        platform::RecordingMessageSink messages;

        EXPECT_EQ(setting.CheckConnect(messages), testCase.status) << testCase.name;

        const std::vector<platform::ShownMessageBox> shown = messages.Shown();
        ASSERT_EQ(shown.size(), testCase.key ? 1u : 0u) << testCase.name;
        if (testCase.key) {
            EXPECT_EQ(shown[0].text, GetLangText("MsgInfo", testCase.key)) << testCase.name;
        }
        EXPECT_FALSE(ConnectionIsOpen()) << testCase.name;
    }
    EXPECT_EQ(GetLangText("MsgInfo", "E"), "Software is not match the mainboard!");
    EXPECT_EQ(GetLangText("MsgInfo", "4"), "Communication Error!");
}

TEST(ConnectSettingTest, NetworkIndexZeroOpensTheDefaultAddressAndAChosenEntryOpensThatEntry) {
    InProcessEmulator controller;
    CConnectSetting setting = NetworkSetting({127, 83, 91, 7});
    EXPECT_NE(setting.Open(), 0);
    EXPECT_FALSE(ConnectionIsOpen());  // a failed open leaves nothing half open

    setting.addressCount = 1;
    setting.addresses[0] = "127.0.0.1";
    setting.addressIndex = 1;
    EXPECT_EQ(setting.Open(), 0);
    setting.Close();

    setting.addressIndex = 0;
    setting.defaultAddress = {127, 0, 0, 1};
    EXPECT_EQ(setting.Open(), 0);
    setting.Close();
}

TEST_F(SerialFolder, SerialKindOpensTheAutomaticPortForIndexZeroAndTheChosenPortOtherwise) {
    InProcessEmulator controller(OnComPort(5));
    CConnectSetting setting;
    EXPECT_EQ(setting.Open(), 0);  // index 0: automatic
    setting.Close();

    setting.portCount = 2;
    setting.ports[0] = 4;
    setting.ports[1] = 5;
    setting.portIndex = 1;
    EXPECT_NE(setting.Open(), 0);
    setting.portIndex = 2;
    EXPECT_EQ(setting.Open(), 0);
    setting.Close();
}

TEST_F(SerialFolder, PortSearchListsTheComPortsWhereAControllerAnswers) {
    InProcessEmulator third(OnComPort(3));
    InProcessEmulator seventh(OnComPort(7));
    CConnectSetting setting;
    setting.portIndex = 1;
    EXPECT_EQ(setting.Search(), 0);
    EXPECT_EQ(setting.portCount, 2);
    EXPECT_EQ(setting.ports[0], 3);
    EXPECT_EQ(setting.ports[1], 7);
    EXPECT_EQ(setting.ports[2], 3);  // untouched entries keep the reset value
    EXPECT_EQ(setting.portIndex, 0);
    EXPECT_FALSE(ConnectionIsOpen());
}

TEST_F(SerialFolder, PortSearchWithoutControllersFindsNothing) {
    CConnectSetting setting;
    EXPECT_EQ(setting.SearchPorts(), 1);
    EXPECT_EQ(setting.portCount, 0);
}

// Two controllers in the default address's subnet 127.0.0.x, on the same port.
TEST(ConnectSettingTest, AddressSearchScansTheDefaultSubnetIncludingItsEnds) {
    InProcessEmulator first;
    emulator::EmulatorOptions options = InProcessEmulator::DefaultOptions();
    options.controller.stateFolder /= "second";
    options.bindAddress = "127.0.0.255";
    options.udpPort = first.Port();
    InProcessEmulator second(options);

    CConnectSetting setting = NetworkSetting({127, 0, 0, 42});
    setting.addressIndex = 3;
    EXPECT_EQ(setting.Search(), 0);
    EXPECT_EQ(setting.addressCount, 2);
    EXPECT_EQ(setting.addresses[0], "127.0.0.1");
    EXPECT_EQ(setting.addresses[1], "127.0.0.255");
    EXPECT_EQ(setting.addresses[2], "127.0.0.42");  // untouched entries hold the default address text
    EXPECT_EQ(setting.addressIndex, 0);
}

TEST(ConnectSettingTest, AddressSearchWithoutControllersFindsNothing) {
    const NoController nobody;
    motionlink::testing::UseControllerPort(nobody.Port());
    CConnectSetting setting = NetworkSetting({127, 83, 91, 7});
    EXPECT_EQ(setting.SearchIPs(), 1);
    EXPECT_EQ(setting.addressCount, 0);
}

TEST(ConnectSettingTest, StoredFormLoadsBackWhole) {
    CConnectSetting setting = NetworkSetting({10, 1, 2, 3});
    setting.portIndex = 1;
    setting.portCount = 1;
    setting.ports[0] = 9;
    setting.addressCount = 2;
    setting.addressIndex = 2;
    setting.addresses[1] = "10.1.2.77";
    platform::Archive stored = platform::Archive::ForStoring();
    setting.Serialize(stored);
    // Words, port numbers, words, 255 addresses "192.168.1.100" and "10.1.2.77" with their length bytes, 4
    // bytes.
    EXPECT_EQ(stored.Bytes().size(), 3 * 2 + 256 * 2 + 2 * 2 + 255 * (1 + 13) + (1 + 9) + 4);

    CConnectSetting loaded;
    platform::Archive loading = platform::Archive::ForLoading(stored.Bytes());
    loaded.Serialize(loading);
    EXPECT_EQ(loading.Remaining(), 0u);
    std::uint16_t kind = 0;
    std::uint16_t port = 0;
    std::string address;
    loaded.GetCurrent(&kind, &port, &address);
    EXPECT_EQ(kind, 1);
    EXPECT_EQ(port, 9);
    EXPECT_EQ(address, "10.1.2.77");
    EXPECT_EQ(loaded.DefaultAddressText(), "10.1.2.3");
}

// A damaged "config" may hold counts beyond the 256 list entries; they are clamped when loaded, and an
// index beyond its count reads as 0, so nothing indexes past the lists.
TEST(ConnectSettingTest, DamagedCountsAreClampedToTheListsAndIndexesBeyondThemReadAsZero) {
    CConnectSetting setting;
    platform::Archive stored = platform::Archive::ForStoring();
    setting.Serialize(stored);
    std::vector<std::uint8_t> bytes = stored.Bytes();
    auto put = [&](std::size_t at, std::uint16_t value) {
        bytes[at] = static_cast<std::uint8_t>(value);
        bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
    };
    put(2, 60000);        // port index
    put(4, 1000);         // port count
    put(6 + 512, 65535);  // address index
    put(8 + 512, 65535);  // address count

    CConnectSetting loaded;
    platform::Archive loading = platform::Archive::ForLoading(bytes);
    loaded.Serialize(loading);
    EXPECT_EQ(loaded.portCount, 256);
    EXPECT_EQ(loaded.addressCount, 256);
    std::uint16_t kind = 9;
    std::uint16_t port = 9;
    std::string address;
    loaded.GetCurrent(&kind, &port, &address);
    EXPECT_EQ(port, 0);
    EXPECT_EQ(loaded.portIndex, 0);
    EXPECT_EQ(loaded.addressIndex, 0);
    EXPECT_EQ(address, "192.168.1.100");
}

TEST(ConnectSettingTest, ArchiveEndingEarlyChangesNothing) {
    CConnectSetting setting = NetworkSetting({10, 0, 0, 1});
    platform::Archive loading = platform::Archive::ForLoading({1, 0, 2, 0, 3, 0});
    EXPECT_THROW(setting.Serialize(loading), platform::ArchiveError);
    EXPECT_EQ(setting.portCount, 0);
    EXPECT_EQ(setting.DefaultAddressText(), "10.0.0.1");
}

TEST(ConnectSettingTest, ConfigCarriesTheGlobalSettingOnceRegistered) {
    RegisterConnectSettingSerializer();
    ConnectSetting.defaultAddress = {172, 16, 0, 9};
    platform::Archive stored = platform::Archive::ForStoring();
    SerializeConnectionBlock(stored);
    ConnectSetting = CConnectSetting();
    platform::Archive loading = platform::Archive::ForLoading(stored.Bytes());
    SerializeConnectionBlock(loading);
    EXPECT_EQ(ConnectSetting.DefaultAddressText(), "172.16.0.9");
    SetConnectionSerializer({});
}

TEST(WritePortDataTest, NullBufferSendsNothingAndSucceeds) {
    Zint_Close();
    const std::uint8_t byte = 0;
    EXPECT_EQ(WritePortData(nullptr, 100), 0);
    EXPECT_NE(WritePortData(&byte, 1), 0);  // a real send needs the connection the caller opened
}

}  // namespace
