#include "ComDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AsciiText.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LgpWindowTexts.h"
#include "LgpWorkerDlg.h"
#include "WindowMessage.h"

namespace dotplate::ui {

namespace {

constexpr int kUsbRadio = 1301;
constexpr int kPortList = 1302;
constexpr int kUsbSearch = 1303;
constexpr int kNetworkRadio = 1304;
constexpr int kAddressList = 1305;
constexpr int kNetworkSearch = 1306;
constexpr int kAddressEdit = 1307;
constexpr int kAddressLabel = 1308;
constexpr int kCloseButton = 1;

CLgpLink& Link() {
    return Designer().link;
}

QString AutoText() {
    return Text("ComDlg", "2");
}
QString DefaultText() {
    return Text("ComDlg", "5");
}

QComboBox* MakeList(QWidget* parent, int id) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    return list;
}

}  // namespace

QString ConnectionCaption() {
    const CLgpLink& link = Link();
    if (link.connectionType == CLgpLink::kNetwork) {
        const bool chosen = link.networkChoice > 0 && link.networkChoice <= link.addressCount;
        return "IP:" +
               (chosen ? QString::fromStdString(link.addresses[link.networkChoice - 1]) : DefaultText());
    }
    const bool chosen = link.usbChoice > 0 && link.usbChoice <= link.portCount;
    return "USB:" + (chosen ? QString("COM%1").arg(link.ports[link.usbChoice - 1]) : AutoText());
}

CComDlg::CComDlg(QWidget* parent) : QDialog(parent) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeRadio(this, kUsbRadio, Text("ComDlg", "1")), 0, 0);
    grid->addWidget(MakeList(this, kPortList), 0, 1);
    grid->addWidget(dialogkit::MakeButton(this, kUsbSearch, Text("ComDlg", "3")), 0, 2);
    grid->addWidget(dialogkit::MakeRadio(this, kNetworkRadio, Text("ComDlg", "4")), 1, 0);
    grid->addWidget(MakeList(this, kAddressList), 1, 1);
    grid->addWidget(dialogkit::MakeButton(this, kNetworkSearch, Text("ComDlg", "3")), 1, 2);
    grid->addWidget(dialogkit::MakeLabel(this, kAddressLabel, Text("ComDlg", "6")), 2, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kAddressEdit), 2, 1);
    QPushButton* close = dialogkit::MakeButton(this, kCloseButton, Text("ComDlg", "7"));
    grid->addWidget(close, 3, 2);

    dialogkit::Find<QLineEdit>(*this, kAddressEdit)
        ->setText(QString::fromStdString(Link().DefaultAddressText()));
    FillLists();
    dialogkit::Find<QRadioButton>(*this,
                                  Link().connectionType == CLgpLink::kNetwork ? kNetworkRadio : kUsbRadio)
        ->setChecked(true);
    SetConnectionType(Link().connectionType);

    connect(close, &QPushButton::clicked, this, &CComDlg::accept);
    connect(dialogkit::Find<QRadioButton>(*this, kUsbRadio), &QRadioButton::clicked, this,
            [this] { SetConnectionType(CLgpLink::kUsb); });
    connect(dialogkit::Find<QRadioButton>(*this, kNetworkRadio), &QRadioButton::clicked, this,
            [this] { SetConnectionType(CLgpLink::kNetwork); });
    connect(dialogkit::Find<QPushButton>(*this, kUsbSearch), &QPushButton::clicked, this,
            [this] { Search(false); });
    connect(dialogkit::Find<QPushButton>(*this, kNetworkSearch), &QPushButton::clicked, this,
            [this] { Search(true); });
    connect(dialogkit::Find<QComboBox>(*this, kPortList), &QComboBox::activated, this,
            [](int index) { Link().usbChoice = static_cast<std::uint16_t>(std::max(0, index)); });
    connect(dialogkit::Find<QComboBox>(*this, kAddressList), &QComboBox::activated, this,
            [](int index) { Link().networkChoice = static_cast<std::uint16_t>(std::max(0, index)); });
    connect(dialogkit::Find<QLineEdit>(*this, kAddressEdit), &QLineEdit::editingFinished, this,
            &CComDlg::CommitAddress);
}

void CComDlg::FillLists() {
    auto* ports = dialogkit::Find<QComboBox>(*this, kPortList);
    ports->clear();
    ports->addItem(AutoText());
    for (int i = 0; i < Link().portCount; ++i) {
        ports->addItem(QString("COM%1").arg(Link().ports[static_cast<std::size_t>(i)]));
    }
    ports->setCurrentIndex(std::min<int>(Link().usbChoice, ports->count() - 1));
    auto* addresses = dialogkit::Find<QComboBox>(*this, kAddressList);
    addresses->clear();
    addresses->addItem(DefaultText());
    for (int i = 0; i < Link().addressCount; ++i) {
        addresses->addItem(QString::fromStdString(Link().addresses[static_cast<std::size_t>(i)]));
    }
    addresses->setCurrentIndex(std::min<int>(Link().networkChoice, addresses->count() - 1));
}

void CComDlg::SetConnectionType(std::uint16_t type) {
    Link().connectionType = type;
    const bool network = type == CLgpLink::kNetwork;
    for (int id : {kPortList, kUsbSearch}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(!network);
    }
    for (int id : {kAddressList, kNetworkSearch, kAddressEdit}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(network);
    }
}

void CComDlg::Search(bool network) {
    SetConnectionType(network ? CLgpLink::kNetwork : CLgpLink::kUsb);
    CLgpSearchDlg search(this);
    if (search.exec() != QDialog::Accepted) {
        dialogkit::ShowDialogMessage(this, Text("MsgInfo", "3").toStdString());
        network ? Link().ResetNetworkList() : Link().ResetUsbList();
    }
    (network ? Link().networkChoice : Link().usbChoice) = 0;
    FillLists();
}

void CComDlg::CommitAddress() {
    auto* edit = dialogkit::Find<QLineEdit>(*this, kAddressEdit);
    const QStringList parts = edit->text().split('.');
    int fields[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4 && i < parts.size(); ++i) {
        fields[i] = static_cast<int>(platform::ParseLeadingInt(parts[i].toStdString()));
    }
    Link().defaultAddress = PortDialogAddress(fields[0], fields[1], fields[2], fields[3]);
    edit->setText(QString::fromStdString(Link().DefaultAddressText()));
}

}  // namespace dotplate::ui
