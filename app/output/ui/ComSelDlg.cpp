#include "ComSelDlg.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "AsciiText.h"
#include "ConnectSetting.h"
#include "DialogControls.h"
#include "DialogMessages.h"
#include "LanguageTexts.h"
#include "MessageSink.h"
#include "SearchDeviceDlg.h"
#include "WindowMessage.h"

namespace {

QString Text(const char* key) {
    return QString::fromStdString(GetLangText("ComSelDlg", key));
}

QComboBox* MakeList(QWidget* parent, int id) {
    auto* list = new QComboBox(parent);
    platform::SetControlId(*list, id);
    return list;
}

constexpr int kAddressFields = 4;
constexpr int kHighestField = 255;

}  // namespace

CComSelDlg::CComSelDlg(QWidget* parent) : QDialog(parent) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(dialogkit::MakeRadio(this, kUsbRadio, Text("1")), 0, 0);
    grid->addWidget(MakeList(this, kPortList), 0, 1);
    grid->addWidget(dialogkit::MakeButton(this, kPortSearch, Text("5")), 0, 2);
    grid->addWidget(dialogkit::MakeRadio(this, kNetworkRadio, Text("3")), 1, 0);
    grid->addWidget(MakeList(this, kAddressList), 1, 1);
    grid->addWidget(dialogkit::MakeButton(this, kAddressSearch, Text("5")), 1, 2);
    grid->addWidget(dialogkit::MakeLabel(this, kAddressLabel, Text("6")), 2, 0);
    grid->addWidget(dialogkit::MakeEdit(this, kAddressEdit), 2, 1);
    QPushButton* close = dialogkit::MakeButton(this, kCloseButton, Text("7"));
    grid->addWidget(close, 3, 2);

    FillPortList(Text("2"));
    FillAddressList(Text("4"));
    dialogkit::Find<QLineEdit>(*this, kAddressEdit)->setText(QString::fromStdString(ConnectSetting.DefaultAddressText()));
    UpdateKindControls();

    connect(close, &QPushButton::clicked, this, &CComSelDlg::reject);
    connect(dialogkit::Find<QRadioButton>(*this, kUsbRadio), &QRadioButton::clicked, this,
            [this] { SetKind(CConnectSetting::kKindSerial); });
    connect(dialogkit::Find<QRadioButton>(*this, kNetworkRadio), &QRadioButton::clicked, this,
            [this] { SetKind(CConnectSetting::kKindNetwork); });
    connect(dialogkit::Find<QPushButton>(*this, kPortSearch), &QPushButton::clicked, this, &CComSelDlg::Search);
    connect(dialogkit::Find<QPushButton>(*this, kAddressSearch), &QPushButton::clicked, this, &CComSelDlg::Search);
    connect(dialogkit::Find<QComboBox>(*this, kPortList), &QComboBox::activated, this,
            [](int index) { ConnectSetting.portIndex = static_cast<std::uint16_t>(std::max(0, index)); });
    connect(dialogkit::Find<QComboBox>(*this, kAddressList), &QComboBox::activated, this,
            [](int index) { ConnectSetting.addressIndex = static_cast<std::uint16_t>(std::max(0, index)); });
    connect(dialogkit::Find<QLineEdit>(*this, kAddressEdit), &QLineEdit::editingFinished, this,
            &CComSelDlg::CommitAddress);
}

void CComSelDlg::FillPortList(const QString& firstItem) {
    auto* list = dialogkit::Find<QComboBox>(*this, kPortList);
    list->clear();
    list->addItem(firstItem);
    for (int at = 0; at < ConnectSetting.portCount; ++at) {
        list->addItem(QString("COM%1").arg(ConnectSetting.ports[static_cast<std::size_t>(at)]));
    }
    list->setCurrentIndex(ConnectSetting.portIndex < list->count() ? ConnectSetting.portIndex : 0);
}

void CComSelDlg::FillAddressList(const QString& firstItem) {
    auto* list = dialogkit::Find<QComboBox>(*this, kAddressList);
    list->clear();
    list->addItem(firstItem);
    for (int at = 0; at < ConnectSetting.addressCount; ++at) {
        list->addItem(QString::fromStdString(ConnectSetting.addresses[static_cast<std::size_t>(at)]));
    }
    list->setCurrentIndex(ConnectSetting.addressIndex < list->count() ? ConnectSetting.addressIndex : 0);
}

void CComSelDlg::UpdateKindControls() {
    const bool serial = ConnectSetting.kind == CConnectSetting::kKindSerial;
    dialogkit::Find<QRadioButton>(*this, kUsbRadio)->setChecked(serial);
    dialogkit::Find<QRadioButton>(*this, kNetworkRadio)->setChecked(!serial);
    for (const int id : {kPortList, kPortSearch}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(serial);
    }
    for (const int id : {kAddressList, kAddressSearch, kAddressEdit}) {
        findChild<QWidget*>(QString::number(id))->setEnabled(!serial);
    }
}

void CComSelDlg::SetKind(std::uint16_t kind) {
    ConnectSetting.kind = kind;
    UpdateKindControls();
}

void CComSelDlg::Search() {
    CSearchDeviceDlg search;
    if (search.DoModal() != platform::kResultOk) {
        dialogkit::ShowDialogMessage(this, GetLangText("MsgInfo", "3"));
    }
    // The search reset the kind's index to 0 and, when it found nothing, emptied its list.
    if (ConnectSetting.kind == CConnectSetting::kKindSerial) {
        FillPortList(Text("8"));
    } else {
        FillAddressList(Text("9"));
    }
}

void CComSelDlg::CommitAddress() {
    auto* edit = dialogkit::Find<QLineEdit>(*this, kAddressEdit);
    const QStringList fields = edit->text().split('.');
    for (int at = 0; at < kAddressFields; ++at) {
        const std::int64_t value = at < fields.size() ? platform::ParseLeadingInt(fields[at].trimmed().toStdString()) : 0;
        ConnectSetting.defaultAddress[static_cast<std::size_t>(at)] =
            static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, kHighestField));
    }
    edit->setText(QString::fromStdString(ConnectSetting.DefaultAddressText()));
}
