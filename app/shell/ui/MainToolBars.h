// The main window's four toolbars: the system bar, the node-edit bar, the draw bar and the arrange bar,
// each a CToolBarEx loaded from its table of command ids with pictures drawn at start. A button mirrors
// the frame's action of its command (enabled, checked, status text) and runs the command through the
// frame, so menus and buttons never disagree.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <span>

class CToolBarEx;
class QAction;
class QMainWindow;

class CMainToolBars {
  public:
    enum class Which : std::uint8_t { kSystem, kNodeEdit, kDraw, kArrange };
    static constexpr int kBarCount = 4;

    // The frame's action of a command id (null when it has none), and how the frame runs a command.
    using CommandLookup = std::function<QAction*(std::uint32_t)>;
    using CommandRunner = std::function<void(std::uint32_t)>;

    // Makes the bars in the frame: the system bar on top, the arrange bar in the row below it, the
    // node-edit and draw bars down the left side.
    CMainToolBars(QMainWindow& frame, CommandLookup lookup, CommandRunner run);

    CToolBarEx& Bar(Which which) const { return *bars_[static_cast<std::size_t>(which)]; }
    // The command ids of the bar's buttons in order, 0 for a separator.
    static std::span<const std::uint16_t> Buttons(Which which);

    // Each button's tooltip in the current language.
    void UpdateTexts();

    // The node-edit bar is shown exactly while nodes are edited.
    void FollowToolMode(std::uint32_t toolMode);

  private:
    void Bind(CToolBarEx& bar);

    CommandLookup lookup_;
    CommandRunner run_;
    std::array<CToolBarEx*, kBarCount> bars_{};  // owned by the frame
};
