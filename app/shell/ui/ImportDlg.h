// CImportDlg: the modal box an import waits in while the import worker cleans what it brought. It starts
// the worker when shown, animates its wait text and bar every 100 ms and ends with OK on the first tick
// after the worker has set ImportDone.
#pragma once

#include <QDialog>

#include <thread>

#include "ImportWorker.h"
#include "MessageSink.h"

class CTextProgressCtrl;
class QLabel;
class QTimer;

class CImportDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTextId = 1001;
    static constexpr int kProgressId = 1002;
    static constexpr int kTickMs = 100;

    CImportDlg(ImportWorkerJob& job, platform::MessageSink& messages, QWidget* parent = nullptr);
    ~CImportDlg() override;

    // Runs the worker behind the modal box: Accepted once it is done; Rejected, after
    // "Creat import progress failure!", when its thread cannot be started (nothing is cleaned then).
    int exec() override;

    // The wait text of the interface language.
    static QString WaitText();

    // Neither Escape nor the close box ends the box while the worker edits the staging list.
    void reject() override;

  private:
    void OnTimer();

    ImportWorkerJob& job_;
    platform::MessageSink& messages_;
    QLabel* text_ = nullptr;
    CTextProgressCtrl* progress_ = nullptr;
    QTimer* timer_ = nullptr;
    std::thread worker_;
    static int dotCounter_;  // the dots go on where the previous import left them
};

// ImportPlacement's worker runner: the job behind a CImportDlg over `parent`.
void RunImportWorkerInDialog(ImportWorkerJob& job, platform::MessageSink& messages, QWidget* parent);
