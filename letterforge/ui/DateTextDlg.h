// The date panel of the text dialog: the format list with a live sample of each format, and the offset
// by days, months or years that the date is shifted by.
#pragma once

#include <string>

#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace letterforge {

class CDateTextDlg final : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTemplateId = 24007;
    static constexpr int kFormatList = 24023;
    static constexpr int kUnitCombo = 24024;
    static constexpr int kOffsetEdit = 24025;
    static constexpr int kOffsetSpin = 24026;
    static constexpr int kOffsetLabel = 24027;

    // Shows the working record's format, unit and offset; the samples are written at the engine's
    // clock as the panel opens.
    explicit CDateTextDlg(QWidget* parent);

    // Stores the panel's format, unit and offset into the working record and returns the date text.
    std::string GetDateText();
    // Stores the typed offset, held to its field, and shows it as stored.
    void CommitOffset();

  private:
    void StepOffset(int step);

    QListWidget* formats_;
    QComboBox* unit_;
    QLineEdit* offset_;
};

}  // namespace letterforge
