#include "AboutDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

#include "LanguageTexts.h"
#include "SettingsGlobals.h"
#include "VendorInfo.h"
#include "WindowMessage.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One row per vendor entry: the label's entry, the value's entry and the edit that shows the value.
struct VendorRow {
    int labelEntry;
    int valueEntry;
    int editId;
};
constexpr std::array<VendorRow, 5> kRows = {{
    {0, 1, CAboutDlg::kCompanyId},
    {2, 3, CAboutDlg::kTelephoneId},
    {4, 5, CAboutDlg::kFaxId},
    {6, 7, CAboutDlg::kAddressId},
    {8, 9, CAboutDlg::kWebSiteId},
}};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    const bool chinese = LanguageIndex == kLanguageSimplifiedChinese;
    setWindowTitle(chinese ? QStringLiteral("关于") : QStringLiteral("About"));
    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const VendorRow& vendor : kRows) {
        auto* label = new QLabel(FromUtf8(gVendorInfo.entries[vendor.labelEntry]), this);
        platform::SetControlId(*label, kFirstLabelId + row);
        auto* value = new QLineEdit(FromUtf8(gVendorInfo.entries[vendor.valueEntry]), this);
        value->setReadOnly(true);
        value->setMinimumWidth(280);
        platform::SetControlId(*value, vendor.editId);
        layout->addWidget(label, row, 0);
        layout->addWidget(value, row, 1);
        ++row;
    }
    auto* version = new QLabel(FromUtf8(GetLangText("Menu", "Ver")), this);
    platform::SetControlId(*version, kVersionId);
    layout->addWidget(version, row, 0, 1, 2);
    auto* close = new QPushButton(chinese ? QStringLiteral("确定") : QStringLiteral("OK"), this);
    platform::SetControlId(*close, kCloseId);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, row + 1, 1, Qt::AlignRight);
}
