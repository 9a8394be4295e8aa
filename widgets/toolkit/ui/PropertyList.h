// A two-column property list: each 20-pixel line is a row with its name left of a draggable divider
// and its value right of it. Selecting a row opens its in-place editor over the value column (one
// drop-down, one edit field and one "..." button per list, made on first use and moved from row to
// row). Header rows fold and unfold the rows of their group. The parent window hears of edits through
// WM_USER+1000 (a value changed) and WM_USER+1001 (a "..." button that the parent acts on), both sent.
#pragma once

#include "PropertyLines.h"
#include "WindowMessage.h"

#include <QListWidget>

#include <vector>

class DialogChooser;
class QComboBox;
class QLineEdit;
class QPushButton;

class CPropertyList : public QListWidget {
    Q_OBJECT

  public:
    static constexpr int kDropDownId = 712;
    static constexpr int kEditId = 713;
    static constexpr int kButtonId = 714;

    explicit CPropertyList(QWidget* parent = nullptr);

    // Adds a line for the row (owned by the caller) and returns its index; a negative group becomes -1.
    int AddItem(CPropertyItem* row);
    // Removes every line; the rows stay with their owner.
    void ResetContent();
    // The row of a line; null out of range.
    CPropertyItem* RowAt(int line) const;

    int Divider() const { return divider_; }
    // Where a divider drag's line is now; -1 when no drag runs.
    int DragLine() const { return draggingDivider_ ? dragX_ : -1; }
    void SetChooser(DialogChooser& chooser) { chooser_ = &chooser; }

    QComboBox* DropDown() const { return dropDown_; }
    QLineEdit* Edit() const { return edit_; }
    QPushButton* Button() const { return button_; }

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    friend class PropertyLineDelegate;

    void OpenEditor(int line);
    void HideEditors();
    void ToggleGroup(int line);
    void OnDropDownChosen(int index);
    void OnEditChanged(const QString& text);
    void OnButtonPressed();
    void NotifyValueChanged(CPropertyItem& row);
    QComboBox& EnsureDropDown();
    QLineEdit& EnsureEdit();
    QPushButton& EnsureButton();
    platform::Rect LineRect(int line) const;

    std::vector<CPropertyItem*> rows_;  // in the order added; rows of folded groups stay here
    int divider_ = 0;
    bool draggingDivider_ = false;
    int dragX_ = 0;
    bool filling_ = false;  // an editor is being filled: its own change signals are not the user's
    QComboBox* dropDown_ = nullptr;
    QLineEdit* edit_ = nullptr;
    QPushButton* button_ = nullptr;
    DialogChooser* chooser_;
};
