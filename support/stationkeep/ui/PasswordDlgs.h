// The two password prompts of the vendor tools: the vendor-parameter access code (1001) and the vendor
// right (1002). A wrong entry shows its message and keeps the prompt open; only a right entry or
// Cancel/Exit ends it.
#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

class QLineEdit;

namespace stationkeep {

class CParaPassDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTemplateId = 1001;
    static constexpr int kEntryId = 106;
    static constexpr int kLabelId = 107;

    CParaPassDlg(std::uint16_t languageIndex, QWidget* parent = nullptr);

    void accept() override;

  private:
    std::uint16_t languageIndex_;
    QLineEdit* entry_ = nullptr;
};

class CVendorPassDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTemplateId = 1002;
    static constexpr int kEntryId = 108;
    static constexpr int kNoteId = 109;
    static constexpr int kLabelId = 110;
    static constexpr int kExitId = 1000;
    static constexpr int kEntryLength = 6;

    // `controllerPassword` as read from the controller before the prompt opens.
    CVendorPassDlg(std::uint16_t languageIndex, std::string controllerPassword, QWidget* parent = nullptr);

    void accept() override;

  private:
    std::uint16_t languageIndex_;
    std::string controllerPassword_;
    QLineEdit* entry_ = nullptr;
};

}  // namespace stationkeep
