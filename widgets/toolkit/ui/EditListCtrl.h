// A report list whose second column is edited in place as a whole number from 1 to 10000: a double
// click opens an edit field over the cell, and leaving the field writes the clamped number back and
// tells the parent window the row and the value (WM_USER+106, posted).
#pragma once

#include "WindowMessage.h"

#include <QTableWidget>

class QLineEdit;

constexpr std::uint32_t kEditListCommitMessage = platform::kUserMessage + 106;

class CEditListCtrl : public QTableWidget {
    Q_OBJECT

  public:
    static constexpr int kEditableColumn = 1;

    explicit CEditListCtrl(QWidget* parent = nullptr);

    // The in-place editor; null until the first double click on an editable cell.
    QLineEdit* Editor() const { return editor_; }
    // Writes the editor's number into its cell, posts it to the parent and hides the editor.
    void CommitEdit();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OpenEditor(int row);

    QLineEdit* editor_ = nullptr;
    int editedRow_ = -1;
};
