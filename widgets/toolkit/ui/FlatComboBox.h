// The flat XP combo box: a one-pixel frame that turns to the highlight colour while the mouse is over
// the control (its edit part included) or it has the focus, and a flat drop button. It keeps the closed
// height its owner asks for and opens a list of seven entries. The plain hover variants of a button, an
// edit field and a combo box only track the mouse.
#pragma once

#include "MouseHover.h"

#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>

class CFlatComboBox;

// The edit part of a flat combo box: its hovering and focus changes reach the combo box's frame.
class CFlatEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit CFlatEdit(CFlatComboBox& combo);

  protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    CFlatComboBox& combo_;
};

class CFlatComboBox : public QComboBox {
    Q_OBJECT

  public:
    static constexpr int kVisibleEntries = 7;
    static constexpr std::uint32_t kCommandMessage = 0x0111;

    explicit CFlatComboBox(QWidget* parent = nullptr);

    CMouseHover& Hover() { return hover_; }
    bool IsHot() const;
    // The control as it paints now.
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    // On a docked bar Enter sends the frame a command with the control id, and Escape closes the list or
    // gives the focus back to the frame; in dialogs both keys keep their usual meaning.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool IsOnDockedBar() const;

    CMouseHover hover_;
};

// Plain hover variants of a button, an edit field and a combo box: they only know whether the mouse is
// over them.
template <typename Base>
class CHoverWidget : public Base {
  public:
    explicit CHoverWidget(QWidget* parent = nullptr) : Base(parent) { hover_.Attach(this, 0); }
    bool IsHovering() const { return hover_.IsHovering(); }

  protected:
    void enterEvent(QEnterEvent* event) override {
        Base::enterEvent(event);
        hover_.OnMouseMove();
    }
    void leaveEvent(QEvent* event) override {
        Base::leaveEvent(event);
        hover_.OnMouseLeave();
    }

  private:
    CMouseHover hover_;
};

using CHoverButton = CHoverWidget<QPushButton>;
using CHoverEdit = CHoverWidget<QLineEdit>;
using CHoverComboBox = CHoverWidget<QComboBox>;
