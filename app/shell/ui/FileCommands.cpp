// The file family's handlers: documents through the document class and the file choosers, imports through
// the file library and the import box, exports through the drawing manager.
#include "FileCommands.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>

#include <array>
#include <chrono>
#include <string>
#include <thread>

#include "AboutDlg.h"
#include "CadMgr.h"
#include "CommandTable.h"
#include "CutrixDoc.h"
#include "Filebridge.h"
#include "FrameTwain.h"
#include "HandOver.h"
#include "ImportDialog.h"
#include "ImportDlg.h"
#include "ImportRules.h"
#include "LanguageTexts.h"
#include "PlaceImportedData.h"
#include "PlaceOnPage.h"
#include "ProgramFolder.h"
#include "RecentFileList.h"
#include "ScanDlg.h"
#include "ScanMessages.h"
#include "SettingsGlobals.h"
#include "SettingsRecords.h"
#include "ShellContext.h"
#include "UndoStore.h"

namespace {

void FreeRecords(CDbList<CFileDraw*>& records) {
    for (CFileDraw* record : records) {
        delete record;
    }
    records.RemoveAll();
}

// What every import hands the file library: the layer colours, and the plotter precision and unit scale
// of the file settings (kept in range there).
struct ImportArguments {
    std::array<std::uint32_t, CCadMgr::kLayerTableSize> colours{};
    double precision = 0.0;
    double unitScale = 0.0;
};

ImportArguments ImportArgumentsOf(const CCadMgr& manager) {
    ImportArguments arguments;
    for (int slot = 0; slot < CCadMgr::kLayerTableSize; ++slot) {
        arguments.colours[static_cast<std::size_t>(slot)] =
            manager.vectorLayerTable[slot].commonParams.COM_Color;
    }
    arguments.precision = ClampPltPrecision(gFileParaSettings);
    arguments.unitScale = ImportUnitScale(gFileParaSettings);
    return arguments;
}

// Lets the file chooser close and the window repaint before the import's own dialog comes up. Keys and
// clicks wait in the queue meanwhile: a command run now (a save typed right after choosing the file)
// would act on the drawing before the import has placed anything in it.
void SettleWithoutUserInput(std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void RememberRecentFile(ShellContext& shell, const std::filesystem::path& file) {
    shell.RecentFiles().Add(file);
    shell.RecentFiles().Save();
    shell.RecentFilesChanged();
}

// After a file was read: the records placed and centred on the page with the view zoomed to them.
bool FinishImport(ShellContext& shell, CDbList<CFileDraw*>& records, const std::filesystem::path& file) {
    constexpr std::chrono::milliseconds kSettleTime(100);
    SettleWithoutUserInput(kSettleTime);
    shell.Manager().ClearSelection();
    const bool placed = PlaceImport(shell, records, 1) != 0;
    // What the reader saw but could not draw is named once, after the rest is in place: an operator
    // must not cut a job that silently lacks part of the file.
    if (const std::string leftOut = LeftOutText(_file_LastLeftOut()); !leftOut.empty()) {
        shell.View().ShowMessageBox(leftOut, "", platform::kOk | platform::kIconWarning);
    }
    if (placed) {
        // Plotter and embroidery files are offered smoothing once its prompt exists.
        CentreSelectionAndZoom(shell.Manager());
        shell.SetLastImportedPath(file);
    }
    shell.OnDataChanged();  // once, whether or not anything was placed
    FreeRecords(records);
    return placed;
}

// How a call of the file library ended. Its two import calls say "imported" differently (2 after the
// chooser, 0 for a named file); both come here, so that the menu's import and a named file's import
// finish alike and tell the user why a file was refused.
enum class LibraryResult { kImported, kCancelled, kRefused };

bool ReportImport(ShellContext& shell, LibraryResult result, CDbList<CFileDraw*>& records,
                  const std::filesystem::path& file, const std::string& refusalPrompt) {
    if (result == LibraryResult::kImported) {
        return FinishImport(shell, records, file);
    }
    if (result == LibraryResult::kRefused) {
        shell.View().ShowMessageBox(ImportRefusedText(refusalPrompt, _file_LastImportFailure()), "",
                                    platform::kOk | platform::kIconWarning);
    }
    FreeRecords(records);
    return false;
}

void New(ShellContext& shell, const CommandEntry&) {
    if (!CanCloseFrame(shell.Document(), shell.View(), shell)) {
        return;
    }
    StartNewDocument(platform::HandoverFolder(), shell.Document(), &shell, shell.View());
    shell.History().Start(shell.Document());
    shell.UpdateFrameTitle();
}

void Open(ShellContext& shell, const CommandEntry&) {
    if (!CanCloseFrame(shell.Document(), shell.View(), shell)) {
        return;
    }
    const QString file =
        QFileDialog::getOpenFileName(shell.DialogParent(), {}, {}, QStringLiteral("Cutrix (*.lcx)"));
    if (!file.isEmpty()) {
        OpenDocumentFile(shell, file.toStdString());
    }
}

void OpenFirstRecentFile(ShellContext& shell, const CommandEntry&) {
    OpenRecentFile(shell, 0);
}

bool SaveTo(ShellContext& shell, const std::filesystem::path& file) {
    if (!shell.Document().SaveDocument(file)) {
        shell.View().ShowMessageBox(SaveFailedText(), "", platform::kOk | platform::kIconWarning);
        return false;
    }
    shell.UpdateFrameTitle();
    RememberRecentFile(shell, file);
    return true;
}

void SaveAs(ShellContext& shell, const CommandEntry&) {
    if (const std::optional<std::filesystem::path> file = shell.ChooseSavePath()) {
        SaveTo(shell, *file);
    }
}

void Save(ShellContext& shell, const CommandEntry& command) {
    const std::filesystem::path file = shell.Document().GetPathName();
    if (file.empty()) {
        SaveAs(shell, command);
        return;
    }
    SaveTo(shell, file);
}

void Import(ShellContext& shell, const CommandEntry&) {
    const bool chinese = LanguageIndex == kLanguageSimplifiedChinese;
    CCadMgr& manager = shell.Manager();
    const ImportArguments arguments = ImportArgumentsOf(manager);
    CDbList<CFileDraw*> records;
    std::string chosen;
    const short result =
        _file_Import(ImportFilter().c_str(), chinese ? "导入" : "Import", LanguageIndex, 1, &chosen,
                     arguments.colours.data(), manager.drawColor, arguments.precision, arguments.unitScale,
                     static_cast<std::int32_t>(gFileParaSettings.importDxfText), 1, &records);
    constexpr short kChosenAndImported = 2;
    const LibraryResult outcome = result == kChosenAndImported ? LibraryResult::kImported
                                  : result == 0                ? LibraryResult::kCancelled
                                                               : LibraryResult::kRefused;
    ReportImport(shell, outcome, records, chosen, NoImportDataText());
}

void Export(ShellContext& shell, const CommandEntry&) {
    if (shell.Manager().elementList.IsEmpty() != 0) {
        shell.View().ShowMessageBox(GetLangText("Prompt", "NothingToExport"), "",
                                    platform::kOk | platform::kIconWarning);
        return;
    }
    const QString pltFilter = QStringLiteral("PLT (*.plt)");
    QString chosenFilter;
    const QString file = QFileDialog::getSaveFileName(shell.DialogParent(), {}, {},
                                                      pltFilter + QStringLiteral(";;AI (*.ai)"), &chosenFilter);
    if (file.isEmpty()) {
        return;
    }
    // A name typed without an extension gets the chosen kind's: the file was written without one, where
    // nobody looked for it.
    std::string path = file.toStdString();
    if (std::filesystem::path(path).extension().empty()) {
        path += chosenFilter == pltFilter ? ".plt" : ".ai";
    }
    if (ExportKindOf(path) == ExportKind::kPlt) {
        shell.Manager().ExportPlt(path);
    } else {
        shell.Manager().ExportAI(path);
    }
}

void Exit(ShellContext& shell, const CommandEntry&) {
    shell.CloseWindow();
}

void Capture(ShellContext& shell, const CommandEntry&) {
    CFrameTwain& scanner = shell.Scanner();
    scanner.Release();
    const bool enabled =
        scanner.OpenSourceManager() && scanner.SelectSource() && scanner.Acquire(CTwain::kAnyCount);
    if (enabled) {
        CScanDlg dialog(
            scanner,
            [&shell](const platform::DibBlock& page) {
                if (PlaceScannedPicture(shell.Manager(), page, shell.View()) != 0) {
                    shell.View().PostMessage(kElementsLoadedMessage, 0, 0);
                    shell.OnDataChanged();
                }
            },
            shell.DialogParent());
        dialog.exec();
    }
    const std::string failure = ScanFailureText(scanner.LastError(), scanner.LastStatus());
    if (!failure.empty()) {
        shell.View().ShowMessageBox(failure, "", platform::kOk | platform::kIconWarning);
    }
}

void About(ShellContext& shell, const CommandEntry&) {
    CAboutDlg(shell.DialogParent()).exec();
}

constexpr CommandBinding kFileCommands[] = {
    {57600, New},
    {57601, Open},
    {57603, Save},
    {57604, SaveAs},
    {32771, Import},
    {32772, Export},
    {57616, OpenFirstRecentFile},
    {57665, Exit},
    {40020, Capture},
    {57664, About},
};

}  // namespace

void RegisterFileCommands(CommandRegistry& registry) {
    registry.Register(kFileCommands);
}

bool OpenDocumentFile(ShellContext& shell, const std::filesystem::path& file) {
    if (shell.Document().OpenDocument(file, shell.View()) != CCutrixDoc::LoadResult::kOpened) {
        return false;
    }
    shell.History().Start(shell.Document());
    shell.Manager().ZoomToPage();
    shell.OnDataChanged();
    shell.UpdateFrameTitle();
    RememberRecentFile(shell, file);
    return true;
}

void OpenRecentFile(ShellContext& shell, std::size_t index) {
    CRecentFileList& recent = shell.RecentFiles();
    if (index >= recent.Entries().size() || !CanCloseFrame(shell.Document(), shell.View(), shell)) {
        return;
    }
    const std::filesystem::path file = recent.Entries()[index];
    if (!OpenDocumentFile(shell, file)) {
        recent.Remove(index);
        recent.Save();
        shell.RecentFilesChanged();
    }
}

bool ImportFile(ShellContext& shell, const std::filesystem::path& file) {
    CCadMgr& manager = shell.Manager();
    const ImportArguments arguments = ImportArgumentsOf(manager);
    CDbList<CFileDraw*> records;
    const std::string path = file.string();
    const short result = _file_ImportFile(
        path.c_str(), LanguageIndex, arguments.precision, arguments.unitScale, arguments.colours.data(),
        manager.drawColor, static_cast<std::int32_t>(gFileParaSettings.importDxfText), 1, &records);
    return ReportImport(shell, result == 0 ? LibraryResult::kImported : LibraryResult::kRefused, records,
                        file, LoadFailureText());
}

int PlaceImport(ShellContext& shell, CDbList<CFileDraw*>& records, int select) {
    CCadMgr& manager = shell.Manager();
    ImportPlacement placement{manager, shell.ImportStaging(), gFileParaSettings, manager.drawColor,
                              shell.View()};
    placement.runWorker = [&shell](ImportWorkerJob& job) {
        RunImportWorkerInDialog(job, shell.View(), shell.DialogParent());
    };
    return ::PlaceImportedData(records, select, placement);
}

std::optional<std::filesystem::path> ChooseDocumentSavePath(QWidget* parent, const std::string& title) {
    const QString file = QFileDialog::getSaveFileName(parent, {}, QString::fromStdString(title),
                                                      QStringLiteral("Cutrix (*.lcx)"));
    if (file.isEmpty()) {
        return std::nullopt;
    }
    std::filesystem::path path = file.toStdString();
    if (path.extension().empty()) {
        path += ".lcx";
    }
    return path;
}
