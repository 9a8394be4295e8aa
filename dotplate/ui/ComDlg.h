// CComDlg: the designer's choice of controller connection: USB with an automatic or found port, or
// the network with the default or a found address; both lists are refilled by a search.
#pragma once

#include <QDialog>

namespace dotplate::ui {

class CComDlg : public QDialog {
    Q_OBJECT

  public:
    explicit CComDlg(QWidget* parent = nullptr);

  private:
    void FillLists();
    void SetConnectionType(std::uint16_t type);
    void Search(bool network);
    void CommitAddress();
};

// "USB:COM3", "USB:Auto", "IP:192.168.1.120" or "IP:Default": the chosen connection, as the output
// panel's device button shows it.
QString ConnectionCaption();

}  // namespace dotplate::ui
