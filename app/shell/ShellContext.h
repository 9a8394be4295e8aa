// ShellContext: what a command's handler reaches. The drawing manager, the document and its undo history,
// the drawing view (its messages, pointer, client area and repaint) and the services of the main window,
// so that the families of commands run without knowing the window they sit in.
#pragma once

#include <cstdint>

#include "CommandTable.h"
#include "CutrixDoc.h"
#include "HandOver.h"
#include "OwnerWindow.h"

class CCadMgr;
class CFrameTwain;
class CImportStaging;
class CRecentFileList;
class QWidget;
class UndoHistory;

class ShellContext : public HandOverFrame, public SavePathChooser {
  public:
    virtual CCadMgr& Manager() = 0;
    virtual CCutrixDoc& Document() = 0;
    virtual UndoHistory& History() = 0;
    virtual platform::OwnerWindow& View() = 0;

    // Sets the drawing manager's tool mode; the bars and the view follow.
    virtual void SetToolMode(std::uint32_t mode) = 0;
    // Shows the bar when hidden, else hides it.
    virtual void ToggleBar(Bar bar) = 0;
    // Reloads the texts of LanguageIndex and relabels menus, panels, status texts and caption.
    virtual void SetLanguage() = 0;
    virtual void UpdateFrameTitle() = 0;
    // The documents the File menu lists; RecentFilesChanged shows the list as it now is.
    virtual CRecentFileList& RecentFiles() = 0;
    virtual void RecentFilesChanged() = 0;
    // The list imported elements wait in while the import worker cleans them.
    virtual CImportStaging& ImportStaging() = 0;
    // Closes the main window as its close box does, asking first to save a modified drawing.
    virtual void CloseWindow() = 0;

    // For the families with windows of their own: the window their dialogs belong to, and the scanner
    // session, which lives as long as the main window (closing it releases the scanner).
    virtual QWidget* DialogParent() = 0;
    virtual CFrameTwain& Scanner() = 0;
};
