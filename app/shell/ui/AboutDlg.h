// CAboutDlg: the vendor's company name, telephone, fax, address and web site with their labels, in the
// current language, and the version line of the language texts.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kFirstLabelId = 1055;  // five labels, 1055..1059
    static constexpr int kCompanyId = 1050;
    static constexpr int kFaxId = 1051;
    static constexpr int kTelephoneId = 1052;
    static constexpr int kAddressId = 1053;
    static constexpr int kWebSiteId = 1054;
    static constexpr int kCloseId = 1060;
    static constexpr int kVersionId = 1069;

    explicit CAboutDlg(QWidget* parent = nullptr);
};
