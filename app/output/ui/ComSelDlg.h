// CComSelDlg: the choice of how the controller is reached: a serial port (automatic or one found) or the
// network (the default address or one found), the searches, and the default address. Every change goes
// into ConnectSetting at once; the dialog has no cancel of its own.
#pragma once

#include <QDialog>

class CComSelDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTemplateId = 164;
    static constexpr int kUsbRadio = 1150;
    static constexpr int kNetworkRadio = 1151;
    static constexpr int kPortList = 1152;
    static constexpr int kAddressList = 1153;
    static constexpr int kPortSearch = 1154;
    static constexpr int kAddressSearch = 1155;
    static constexpr int kAddressEdit = 1156;
    static constexpr int kAddressLabel = 1157;
    static constexpr int kCloseButton = 1056;

    explicit CComSelDlg(QWidget* parent = nullptr);

    // Checks the radio of the current kind and enables exactly the controls of that kind.
    void UpdateKindControls();

  private:
    void FillPortList(const QString& firstItem);
    void FillAddressList(const QString& firstItem);
    void SetKind(std::uint16_t kind);
    // Runs the search box for the current kind and refills that kind's list from what it found.
    void Search();
    void CommitAddress();
};
