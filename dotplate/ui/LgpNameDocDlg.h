// CLgpNameDocDlg: asks for the name under which a job is stored in the controller; OK only with a
// valid name, which it keeps in capitals.
#pragma once

#include <string>

#include <QDialog>

namespace dotplate::ui {

class CLgpNameDocDlg : public QDialog {
    Q_OBJECT

  public:
    CLgpNameDocDlg(QWidget* parent, const std::string& name);
    const std::string& Name() const { return name_; }

  public:
    void accept() override;

  private:
    std::string name_;
};

}  // namespace dotplate::ui
