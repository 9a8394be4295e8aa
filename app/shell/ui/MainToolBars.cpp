// The toolbar tables, the docking of the bars and the mirroring of the frame's command actions.
#include "MainToolBars.h"

#include <QAction>
#include <QMainWindow>

#include "CommandTable.h"
#include "ShellTexts.h"
#include "ToolBarEx.h"
#include "ToolbarArt.h"
#include "WindowMessage.h"

namespace {

// File, clipboard, history, view and cutting commands.
constexpr std::uint16_t kSystemButtons[] = {
    57600, 57601, 57603, 0, 32771, 32772, 0,     57635, 57634, 57637, 32781,
    0,     57643, 57644, 0, 32773, 32774, 32775, 32891, 32777, 32778, 40059,
    0,     40046, 32893, 0, 40004, 40002, 32779, 32780, 0,     32803, 40055,
};
constexpr std::uint16_t kNodeEditButtons[] = {40035, 40036, 40038, 40039, 40040, 40043};
constexpr std::uint16_t kDrawButtons[] = {
    32784, 40012, 0, 32785, 32786, 32787, 32788, 32789, 40011, 40009, 0, 32791, 40020,
};
constexpr std::uint16_t kArrangeButtons[] = {
    32792, 32793, 32795, 32794, 0, 32796, 32797, 32798, 32799, 32800, 32801, 32802, 0,     40005, 40006,
    0,     40007, 40008, 40010, 0, 40021, 40022, 0,     40013, 40015, 40001, 40003, 40049, 40060,
};

constexpr std::array<const char*, CMainToolBars::kBarCount> kBarNames = {"SystemBar", "NodeEditBar",
                                                                         "DrawBar", "ArrangeBar"};

void Mirror(QAction& button, const QAction& command) {
    button.setCheckable(command.isCheckable());
    button.setChecked(command.isChecked());
    button.setEnabled(command.isEnabled());
    button.setStatusTip(command.statusTip());
}

QString ToolTipOf(std::uint32_t id) {
    const CommandEntry* command = FindCommand(id);
    if (command == nullptr) {
        return {};
    }
    const std::string tip = CommandToolTip(std::string(command->key));
    return QString::fromUtf8(tip.data(), static_cast<qsizetype>(tip.size()));
}

}  // namespace

CMainToolBars::CMainToolBars(QMainWindow& frame, CommandLookup lookup, CommandRunner run)
    : lookup_(std::move(lookup)), run_(std::move(run)) {
    for (int index = 0; index < kBarCount; ++index) {
        const auto which = static_cast<Which>(index);
        auto* bar = new CToolBarEx(&frame);
        bar->setObjectName(QString::fromLatin1(kBarNames[static_cast<std::size_t>(index)]));
        bar->setWindowTitle(bar->objectName());
        const std::span<const std::uint16_t> ids = Buttons(which);
        const ToolbarResource table{1, kButtonImageSize, kButtonImageSize, {ids.begin(), ids.end()}};
        bar->LoadToolBar(EncodeToolbarResource(table), PaintToolbarStrip(ids));
        bars_[static_cast<std::size_t>(index)] = bar;
        Bind(*bar);
    }
    // The system bar fills a row of its own; the arrange bar starts the next, where the property bar
    // joins it.
    frame.addToolBar(Qt::TopToolBarArea, &Bar(Which::kSystem));
    frame.addToolBarBreak(Qt::TopToolBarArea);
    frame.addToolBar(Qt::TopToolBarArea, &Bar(Which::kArrange));
    frame.addToolBar(Qt::LeftToolBarArea, &Bar(Which::kNodeEdit));
    frame.addToolBar(Qt::LeftToolBarArea, &Bar(Which::kDraw));
}

std::span<const std::uint16_t> CMainToolBars::Buttons(Which which) {
    switch (which) {
        case Which::kSystem:
            return kSystemButtons;
        case Which::kNodeEdit:
            return kNodeEditButtons;
        case Which::kDraw:
            return kDrawButtons;
        case Which::kArrange:
            return kArrangeButtons;
    }
    return {};
}

void CMainToolBars::Bind(CToolBarEx& bar) {
    for (QAction* button : bar.actions()) {
        const std::optional<int> id = platform::CommandId(*button);
        if (button->isSeparator() || !id) {
            continue;
        }
        const auto commandId = static_cast<std::uint32_t>(*id);
        button->setToolTip(ToolTipOf(commandId));
        QAction* command = lookup_(commandId);
        if (command == nullptr) {
            button->setEnabled(false);
            continue;
        }
        Mirror(*button, *command);
        QObject::connect(command, &QAction::changed, button,
                         [button, command] { Mirror(*button, *command); });
        // A checkable button flips itself when clicked; the command's own check state is what it shows.
        QObject::connect(button, &QAction::triggered, button, [this, button, command, commandId] {
            run_(commandId);
            Mirror(*button, *command);
        });
    }
}

void CMainToolBars::UpdateTexts() {
    for (CToolBarEx* bar : bars_) {
        for (QAction* button : bar->actions()) {
            if (const std::optional<int> id = platform::CommandId(*button); id && !button->isSeparator()) {
                button->setToolTip(ToolTipOf(static_cast<std::uint32_t>(*id)));
            }
        }
    }
}

void CMainToolBars::FollowToolMode(std::uint32_t toolMode) {
    Bar(Which::kNodeEdit).setVisible(IsNodeEditMode(toolMode));
}
