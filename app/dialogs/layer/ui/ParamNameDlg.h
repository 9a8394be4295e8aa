// CParamNameDlg: asks for the name and the note of a parameter set about to be saved.
#pragma once

#include <string>

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

class CParamNameDlg : public QDialog {
  public:
    static constexpr int kNameEdit = 1080;
    static constexpr int kNoteEdit = 1082;

    explicit CParamNameDlg(QWidget* parent);

    // OK keeps the dialog open with a message for an empty name or one the library cannot carry back.
    void accept() override;

    const std::string& Name() const { return name_; }
    // The note as one line, without what the library cannot keep.
    const std::string& Note() const { return note_; }

  private:
    QLineEdit* nameEdit_;
    QPlainTextEdit* noteEdit_;
    std::string name_;
    std::string note_;
};
