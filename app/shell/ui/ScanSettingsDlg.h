// CScanSettingsDlg: the mode, source and resolution of a scan, chosen among what the scanner offers.
// A choice the scanner does not offer is not shown.
#pragma once

#include <QDialog>

#include "ScanSettings.h"

class QComboBox;

class CScanSettingsDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kModeId = 1201;
    static constexpr int kSourceId = 1202;
    static constexpr int kResolutionId = 1203;

    CScanSettingsDlg(const platform::ScanSettings& settings, QWidget* parent = nullptr);

    // The settings with the choices shown now.
    platform::ScanSettings Settings() const;

  private:
    QComboBox* AddChoice(int id, const QString& label, const std::vector<std::string>& choices,
                         const std::string& current);

    platform::ScanSettings settings_;
    QComboBox* mode_ = nullptr;
    QComboBox* source_ = nullptr;
    QComboBox* resolution_ = nullptr;
};
