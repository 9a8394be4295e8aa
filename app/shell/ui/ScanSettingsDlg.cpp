#include "ScanSettingsDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

#include <string>

#include "SettingsGlobals.h"
#include "WindowMessage.h"

namespace {

bool Chinese() {
    return LanguageIndex == kLanguageSimplifiedChinese;
}

std::vector<std::string> AsTexts(const std::vector<int>& values) {
    std::vector<std::string> texts;
    for (const int value : values) {
        texts.push_back(std::to_string(value));
    }
    return texts;
}

}  // namespace

CScanSettingsDlg::CScanSettingsDlg(const platform::ScanSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(Chinese() ? QStringLiteral("扫描") : QStringLiteral("Scan"));
    auto* form = new QFormLayout(this);
    mode_ = AddChoice(kModeId, Chinese() ? QStringLiteral("模式") : QStringLiteral("Mode"), settings.modes,
                      settings.mode);
    source_ = AddChoice(kSourceId, Chinese() ? QStringLiteral("来源") : QStringLiteral("Source"),
                        settings.sources, settings.source);
    resolution_ = AddChoice(kResolutionId,
                            Chinese() ? QStringLiteral("分辨率(dpi)") : QStringLiteral("Resolution (dpi)"),
                            AsTexts(settings.resolutions), std::to_string(settings.resolution));
    for (QComboBox* choice : {mode_, source_, resolution_}) {
        if (choice != nullptr) {
            form->addRow(choice->accessibleName(), choice);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)
        ->setText(Chinese() ? QStringLiteral("扫描") : QStringLiteral("Scan"));
    if (Chinese()) {
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QComboBox* CScanSettingsDlg::AddChoice(int id, const QString& label, const std::vector<std::string>& choices,
                                       const std::string& current) {
    if (choices.empty()) {
        return nullptr;
    }
    auto* box = new QComboBox(this);
    platform::SetControlId(*box, id);
    box->setAccessibleName(label);
    for (const std::string& choice : choices) {
        box->addItem(QString::fromStdString(choice));
    }
    box->setCurrentText(QString::fromStdString(current));
    return box;
}

platform::ScanSettings CScanSettingsDlg::Settings() const {
    platform::ScanSettings settings = settings_;
    if (mode_ != nullptr) {
        settings.mode = mode_->currentText().toStdString();
    }
    if (source_ != nullptr) {
        settings.source = source_->currentText().toStdString();
    }
    if (resolution_ != nullptr) {
        settings.resolution = resolution_->currentText().toInt();
    }
    return settings;
}
