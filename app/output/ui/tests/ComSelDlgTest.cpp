// The connection dialog offscreen: what it shows for the stored choice, which controls each kind greys,
// the searches with and without a controller, and the default address field.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "ComSelDlg.h"
#include "ConnectSetting.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LanguageTexts.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"
#include "TestControllers.h"
#include "WidgetTestApplication.h"

namespace {

using Dlg = CComSelDlg;

QStringList Items(const QComboBox& list) {
    QStringList items;
    for (int at = 0; at < list.count(); ++at) {
        items << list.itemText(at);
    }
    return items;
}

class ComSelDlgTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        ConnectSetting = CConnectSetting();
        dialogkit::SetMessageSink(&messages_);
    }
    void TearDown() override { dialogkit::SetMessageSink(nullptr); }

    bool Enabled(const Dlg& dialog, int id) const {
        return dialog.findChild<QWidget*>(QString::number(id))->isEnabled();
    }

    platform::RecordingMessageSink messages_;
};

TEST_F(ComSelDlgTest, StoredPortIndexSelectsThatPortFound) {
    ConnectSetting.portCount = 3;
    ConnectSetting.ports[0] = 4;
    ConnectSetting.ports[1] = 9;
    ConnectSetting.ports[2] = 12;
    ConnectSetting.portIndex = 2;
    Dlg dialog;
    auto* ports = dialogkit::Find<QComboBox>(dialog, Dlg::kPortList);
    EXPECT_EQ(Items(*ports), (QStringList{"Auto", "COM4", "COM9", "COM12"}));
    EXPECT_EQ(ports->currentIndex(), 2);
    EXPECT_EQ(ports->currentText(), "COM9");
}

TEST_F(ComSelDlgTest, EachKindEnablesOnlyItsOwnControls) {
    Dlg dialog;
    struct Case {
        int radio;
        std::uint16_t kind;
    };
    for (const Case c : {Case{Dlg::kNetworkRadio, CConnectSetting::kKindNetwork},
                         Case{Dlg::kUsbRadio, CConnectSetting::kKindSerial}}) {
        dialogkit::Find<QRadioButton>(dialog, c.radio)->click();
        const bool serial = c.kind == CConnectSetting::kKindSerial;
        EXPECT_EQ(ConnectSetting.kind, c.kind);
        EXPECT_EQ(dialogkit::Find<QRadioButton>(dialog, Dlg::kUsbRadio)->isChecked(), serial);
        for (const int id : {Dlg::kPortList, Dlg::kPortSearch}) {
            EXPECT_EQ(Enabled(dialog, id), serial) << id;
        }
        for (const int id : {Dlg::kAddressList, Dlg::kAddressSearch, Dlg::kAddressEdit}) {
            EXPECT_EQ(Enabled(dialog, id), !serial) << id;
        }
    }
}

TEST_F(ComSelDlgTest, AddressSearchListsWhatItFoundOrSaysNoDeviceIsConnected) {
    struct Case {
        const char* name;
        bool controllerUp;
        QStringList items;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"one controller", true, {"Default", "127.0.0.1"}, {}},
        {"none", false, {"Default"}, {"No Connected Device!"}},
    };
    for (const Case& c : cases) {
        messages_.Clear();
        std::optional<motionlink::testing::InProcessEmulator> controller;
        motionlink::testing::NoController nobody;
        ConnectSetting.kind = CConnectSetting::kKindNetwork;
        if (c.controllerUp) {
            controller.emplace();
            ConnectSetting.defaultAddress = {127, 0, 0, 9};
        } else {
            motionlink::testing::UseControllerPort(nobody.Port());
            ConnectSetting.defaultAddress = {127, 83, 91, 7};
        }
        ConnectSetting.addressCount = 1;
        ConnectSetting.addresses[0] = "10.0.0.1";
        ConnectSetting.addressIndex = 1;
        Dlg dialog;
        dialogkit::Find<QPushButton>(dialog, Dlg::kAddressSearch)->click();
        auto* addresses = dialogkit::Find<QComboBox>(dialog, Dlg::kAddressList);
        EXPECT_EQ(Items(*addresses), c.items) << c.name;
        EXPECT_EQ(addresses->currentIndex(), 0) << c.name;
        EXPECT_EQ(ConnectSetting.addressIndex, 0) << c.name;
        std::vector<std::string> shown;
        for (const auto& box : messages_.Shown()) {
            shown.push_back(box.text);
        }
        EXPECT_EQ(shown, c.messages) << c.name;
    }
}

TEST_F(ComSelDlgTest, ChoosingAListEntryStoresItsIndex) {
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    ConnectSetting.addressCount = 2;
    ConnectSetting.addresses[0] = "10.0.0.1";
    ConnectSetting.addresses[1] = "10.0.0.2";
    Dlg dialog;
    auto* addresses = dialogkit::Find<QComboBox>(dialog, Dlg::kAddressList);
    addresses->setCurrentIndex(2);
    emit addresses->activated(2);
    EXPECT_EQ(ConnectSetting.addressIndex, 2);
}

TEST_F(ComSelDlgTest, DefaultAddressFieldsAreStoredAndShownBackWithinByteRange) {
    struct Case {
        QString typed;
        std::array<std::uint8_t, 4> stored;
        QString shown;
    };
    const Case cases[] = {
        {"10.1.2.3", {10, 1, 2, 3}, "10.1.2.3"},
        {"10.1.2.300", {10, 1, 2, 255}, "10.1.2.255"},
        {"192.168", {192, 168, 0, 0}, "192.168.0.0"},
    };
    ConnectSetting.kind = CConnectSetting::kKindNetwork;
    for (const Case& c : cases) {
        Dlg dialog;
        auto* edit = dialogkit::Find<QLineEdit>(dialog, Dlg::kAddressEdit);
        edit->setText(c.typed);
        emit edit->editingFinished();
        EXPECT_EQ(ConnectSetting.defaultAddress, c.stored) << c.typed.toStdString();
        EXPECT_EQ(edit->text(), c.shown);
    }
}

}  // namespace
