// The edit family's handlers: most are one operation of the drawing manager; paste, delete, add nodes,
// undo and redo look at the view, the tool mode or the history first.
#include "EditCommands.h"

#include "CadCurve.h"
#include "CadMgr.h"
#include "CommandTable.h"
#include "DrawingOperation.h"
#include "ShellContext.h"
#include "UndoStore.h"

namespace {

// Pastes at the pointer when it lies inside the view; outside, nothing is pasted but the view repaints.
void Paste(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    platform::OwnerWindow& view = shell.View();
    const platform::Point cursor = view.GetCursorPos();
    const platform::ClientRect client = view.GetClientRect();
    const int countBefore = manager.elementList.count;
    if (cursor.x >= client.left && cursor.x < client.right && cursor.y >= client.top &&
        cursor.y < client.bottom) {
        manager.PasteAt(cursor.x, cursor.y);
    }
    // The pasted copies are a change of the drawing like any other: the document is modified and the
    // change can be undone.
    if (manager.elementList.count != countBefore) {
        manager.NotifyModified();
    }
    view.RequestRepaint();
}

// In node editing Delete takes the marked nodes, not the elements.
void Delete(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    if (IsNodeEditMode(manager.toolMode)) {
        manager.DeleteNodes();
    } else {
        manager.DeleteSelection();
    }
    shell.OnDataChanged();
}

// The point last clicked in node editing becomes a node of the first selected curve that passes within
// three device pixels of it; when none does, the point stays for another try.
void AddNodes(ShellContext& shell, const CommandEntry&) {
    CCadMgr& manager = shell.Manager();
    if (manager.pointMarkVisible == 0 || manager.GetOwnerHwnd() == nullptr) {
        return;
    }
    constexpr int kPickPixels = 3;
    const double toleranceMm = manager.PixelsToLogical(manager.GetPreparedDC(), kPickPixels) * 0.001;
    for (CCadElement* element : manager.selectionList) {
        if (element->typeCode != kCurveElement) {
            continue;
        }
        auto* curve = static_cast<CCadCurve*>(element);
        if (curve->AddNode(manager.pointMark.x, manager.pointMark.y, toleranceMm) != 0) {
            curve->UpdateSmooth();
            manager.pointMarkVisible = 0;
            manager.Redraw(1, 0);
            return;
        }
    }
}

void Undo(ShellContext& shell, const CommandEntry&) {
    if (shell.History().Undo(shell.Document())) {
        shell.OnDataChanged();
    }
}

void Redo(ShellContext& shell, const CommandEntry&) {
    if (shell.History().Redo(shell.Document())) {
        shell.OnDataChanged();
    }
}

using M = CCadMgr;

constexpr CommandBinding kEditCommands[] = {
    {57643, Undo},
    {57644, Redo},
    {57635, RunDrawingOperation<&M::CutSelection>},
    {57634, RunDrawingOperation<&M::CopySelection>},
    {57637, Paste},
    {32781, Delete},
    {32782, RunDrawingOperation<&M::SelectAll>},
    {40021, RunDrawingOperation<&M::GroupSelection>},
    {40022, RunDrawingOperation<&M::UngroupSelection>},
    {40035, AddNodes},
    {40036, RunDrawingOperation<&M::DeleteNodes>},
    {40038, RunDrawingOperation<&M::CombineNodes>},
    {40039, RunDrawingOperation<&M::BreakCurve>},
    {40040, RunDrawingOperation<&M::SegmentsToLines>},
    {40043, RunDrawingOperation<&M::SegmentsToBeziers>},
    {32792, RunDrawingOperation<&M::MirrorSelectionHorz>},
    {32793, RunDrawingOperation<&M::MirrorSelectionVert>},
    {32795, RunDrawingOperation<&M::CenterSelectionOnPage>},  // it reports the change itself
    {32796, RunDrawingOperation<&M::AlignLeft>},
    {32797, RunDrawingOperation<&M::AlignRight>},
    {32798, RunDrawingOperation<&M::AlignTop>},
    {32799, RunDrawingOperation<&M::AlignBottom>},
    {32800, RunDrawingOperation<&M::AlignHorzCenter>},
    {32801, RunDrawingOperation<&M::AlignVertCenter>},
    {32802, RunDrawingOperation<&M::AlignPageCenter>},
    {40005, RunDrawingOperation<&M::SpaceHorizontally>},
    {40006, RunDrawingOperation<&M::SpaceVertically>},
    {40007, RunDrawingOperation<&M::SameWidth>},
    {40008, RunDrawingOperation<&M::SameHeight>},
    {40010, RunDrawingOperation<&M::SameSize>},
    {40026, RunDrawingOperation<&M::MoveSelectionToTopLeft>},
    {40027, RunDrawingOperation<&M::MoveSelectionToTopRight>},
    {40028, RunDrawingOperation<&M::MoveSelectionToBottomRight>},
    {40030, RunDrawingOperation<&M::MoveSelectionToBottomLeft>},
};

}  // namespace

void RegisterEditCommands(CommandRegistry& registry) {
    registry.Register(kEditCommands);
}
