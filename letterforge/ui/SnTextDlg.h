// The serial-number panel of the text dialog: start, current number, increment, prefix and suffix,
// and the Extend button to the reset, leading-zero and array settings.
#pragma once

#include <string>

#include <QWidget>

class QLineEdit;

namespace letterforge {

class CSnTextDlg final : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kTemplateId = 24008;
    static constexpr int kStartEdit = 24027;
    static constexpr int kCurrentEdit = 24028;
    static constexpr int kIncrementEdit = 24029;
    static constexpr int kExtendButton = 24030;
    static constexpr int kPrefixEdit = 24031;
    static constexpr int kSuffixEdit = 24032;

    explicit CSnTextDlg(QWidget* parent);

    // The serial text of the working record as it stands: the number is not advanced, so what the
    // dialog shows is the number the next output starts with.
    std::string GetSnText();
    // Stores every edit into the working record as leaving it would.
    void CommitEdits();

  private:
    void ShowRecord();
    void OpenExtend();

    QLineEdit* start_;
    QLineEdit* current_;
    QLineEdit* increment_;
    QLineEdit* prefix_;
    QLineEdit* suffix_;
};

}  // namespace letterforge
