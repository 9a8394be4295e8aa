// A toolbar whose drop-down buttons turn a click on their arrow into a command for the frame: the
// command id negated as a 16-bit value. When the frame does not handle it, the button acts as pressed.
#pragma once

#include <QToolBar>

class QToolButton;

class CToolBarXP : public QToolBar {
    Q_OBJECT

  public:
    static constexpr std::uint32_t kCommandMessage = 0x0111;

    explicit CToolBarXP(QWidget* parent = nullptr);

    // A button with a drop-down arrow for the command; its action carries the command id.
    QToolButton* AddDropDownButton(int commandId, const QIcon& icon, const QString& text);
    // What a click on the arrow does: the frame hears the negated id; 0 back means "act as pressed".
    void OnDropDown(int commandId);

  signals:
    void CommandPressed(int commandId);

  private:
    QWidget* Frame() const;
};
