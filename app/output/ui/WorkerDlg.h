// CWorkerDlg: the one window of every progress box on the worker pattern. It starts the task's worker,
// shows the wait text with its dots and the bar every 100 ms, offers the stop button where the task has
// one, and ends with the task's result on the first tick after the worker has finished.
#pragma once

#include <QDialog>

#include "WorkerTask.h"

class CTextProgressCtrl;
class QLabel;
class QPushButton;
class QTimer;

class CWorkerDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTickMs = 100;
    static constexpr std::int32_t kProgressSteps = 10000;

    CWorkerDlg(WorkerTask& task, QWidget* parent = nullptr);

    // Starts the worker and runs the box until it has finished: the task's result.
    int exec() override;
    // Escape and the close box never leave a worker running: they press the stop button where there is
    // one, and the box ends once the worker has.
    void reject() override;

  private:
    void OnTimer();
    // Joins the finished worker and ends the box with its result.
    void Finish();

    WorkerTask& task_;
    QLabel* text_ = nullptr;
    CTextProgressCtrl* progress_ = nullptr;
    QPushButton* stop_ = nullptr;
    QTimer* timer_ = nullptr;
};

// The program's runner: every box's DoModal shows a CWorkerDlg over the parent.
class WorkerDlgRunner final : public ModalRunner {
  public:
    explicit WorkerDlgRunner(QWidget* parent = nullptr) : parent_(parent) {}
    int Run(WorkerTask& task) override;

  private:
    QWidget* parent_;
};
