#include "FrameTwain.h"

#include <QInputDialog>
#include <QStringList>

#include "ScanSettingsDlg.h"
#include "SettingsGlobals.h"

CFrameTwain::CFrameTwain(QWidget* window, std::string libraryName)
    : CTwain(std::move(libraryName)), window_(window) {}

void CFrameTwain::OnNativeImage(platform::DibBlock picture, const ScanImageInfo&) {
    std::lock_guard guard(pagesLock_);
    pages_.push_back(std::move(picture));
}

std::vector<platform::DibBlock> CFrameTwain::TakePages() {
    std::lock_guard guard(pagesLock_);
    return std::exchange(pages_, {});
}

std::optional<std::size_t> CFrameTwain::ChooseSource(const std::vector<platform::ScanDevice>& devices) {
    if (devices.size() == 1) {
        return 0;
    }
    QStringList labels;
    for (const platform::ScanDevice& device : devices) {
        labels << QString::fromStdString(device.Label());
    }
    const bool chinese = LanguageIndex == kLanguageSimplifiedChinese;
    bool chosen = false;
    const QString label = QInputDialog::getItem(
        window_, chinese ? QStringLiteral("选择扫描仪") : QStringLiteral("Select Source"),
        chinese ? QStringLiteral("扫描仪:") : QStringLiteral("Sources:"), labels, 0, false, &chosen);
    if (!chosen) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(labels.indexOf(label));
}

bool CFrameTwain::ChooseSettings(platform::ScanSettings& settings) {
    CScanSettingsDlg dialog(settings, window_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    settings = dialog.Settings();
    return true;
}
