#include "ToolBarXP.h"

#include "WindowMessage.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

CToolBarXP::CToolBarXP(QWidget* parent) : QToolBar(parent) {}

QWidget* CToolBarXP::Frame() const { return window() == this ? parentWidget() : window(); }

QToolButton* CToolBarXP::AddDropDownButton(int commandId, const QIcon& icon, const QString& text) {
    auto* action = new QAction(icon, text, this);
    platform::SetCommandId(*action, commandId);
    connect(action, &QAction::triggered, this, [this, commandId] { emit CommandPressed(commandId); });
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    auto* arrowMenu = new QMenu(button);
    button->setMenu(arrowMenu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    // The arrow's menu is only the signal that the arrow was clicked: the frame decides what follows.
    connect(arrowMenu, &QMenu::aboutToShow, this, [this, commandId, arrowMenu] {
        QTimer::singleShot(0, arrowMenu, &QMenu::close);
        OnDropDown(commandId);
    });
    addWidget(button);
    return button;
}

void CToolBarXP::OnDropDown(int commandId) {
    const auto negated = static_cast<std::uint16_t>(-commandId);
    const std::intptr_t handled = platform::SendWindowMessage(Frame(), kCommandMessage, negated, 0);
    if (handled == 0) emit CommandPressed(commandId);
}
