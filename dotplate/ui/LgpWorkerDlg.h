// The designer's small modal dialogs that run one long operation on a worker thread: each shows the
// worker's wait text with cycling dots (and, but for the wait dialog, a progress bar), polls the
// worker every 100 ms and ends itself, with OK when the worker succeeded, once it has stopped.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include <QDialog>

#include "LgpJobWriter.h"
#include "LgpWorker.h"

class QLabel;
class QTimer;
class CTextProgressCtrl;

namespace dotplate::ui {

class CLgpWorkerDlg : public QDialog {
    Q_OBJECT

  public:
    // The worker starts when the dialog is shown.
    int exec() override;
    int Result() const { return worker_.Result(); }

  protected:
    CLgpWorkerDlg(QWidget* parent, bool withProgress);
    virtual LgpWorker::Body Work() = 0;
    // Asks the worker to stop; the dialog ends once it has.
    void RequestStop() { worker_.RequestStop(); }
    void reject() override;

  private:
    void Tick();

    QLabel* text_ = nullptr;
    CTextProgressCtrl* bar_ = nullptr;
    QTimer* timer_ = nullptr;
    int dotCounter_ = 0;
    LgpWorker worker_;
};

// Reads the machine's state; after OK the caller reads it.
class CLgpWaitDlg : public CLgpWorkerDlg {
    Q_OBJECT

  public:
    explicit CLgpWaitDlg(QWidget* parent = nullptr) : CLgpWorkerDlg(parent, false) {}
    // Byte 0 non-zero: processing or paused; byte 1 non-zero: paused.
    const std::array<std::uint8_t, 5>& MachineState() const { return state_; }

  protected:
    LgpWorker::Body Work() override;

  private:
    std::array<std::uint8_t, 5> state_{};
};

// Writes the plate's dot job to a job file, or with no file, straight into the controller.
class CLgpProcessingDlg : public CLgpWorkerDlg {
    Q_OBJECT

  public:
    CLgpProcessingDlg(QWidget* parent, std::filesystem::path jobFile);

  protected:
    LgpWorker::Body Work() override;

  private:
    std::filesystem::path jobFile_;
    LgpDotJob job_;
};

// Stores a job file in the controller's documents under a name.
class CLgpDownloadDlg : public CLgpWorkerDlg {
    Q_OBJECT

  public:
    explicit CLgpDownloadDlg(QWidget* parent = nullptr) : CLgpWorkerDlg(parent, true) {}
    // False, after "Target file is not exist!" for a missing file, when there is nothing to send.
    bool SetTarget(const std::filesystem::path& jobFile, const std::string& documentName);

  protected:
    LgpWorker::Body Work() override;

  private:
    std::filesystem::path jobFile_;
    std::string documentName_;
};

// Sends a job file to the controller to run; its Cancel button stops the sending.
class CLgpDownFileDlg : public CLgpWorkerDlg {
    Q_OBJECT

  public:
    CLgpDownFileDlg(QWidget* parent, std::filesystem::path jobFile);
    // A file that is not a job file is refused with "Invalid file!" before any worker starts.
    int exec() override;

  protected:
    LgpWorker::Body Work() override;

  private:
    std::filesystem::path jobFile_;
};

// Searches the chosen kind of connection for controllers; OK when one answered.
class CLgpSearchDlg : public CLgpWorkerDlg {
    Q_OBJECT

  public:
    explicit CLgpSearchDlg(QWidget* parent = nullptr);

  protected:
    LgpWorker::Body Work() override;
};

}  // namespace dotplate::ui
