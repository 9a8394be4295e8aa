// CScanDlg: the modal box the scanner's pages are read behind. The transfer runs on a worker thread;
// every 100 ms the box animates its wait text and hands each page that has arrived to the window's
// thread. Cancel stops the transfer after the read under way; the box ends once the worker has.
#pragma once

#include <QDialog>

#include <functional>
#include <thread>

#include "DibBlock.h"

class CFrameTwain;
class QLabel;
class QTimer;

class CScanDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kTextId = 1001;
    static constexpr int kTickMs = 100;

    using PageTaker = std::function<void(const platform::DibBlock& page)>;

    CScanDlg(CFrameTwain& twain, PageTaker takePage, QWidget* parent = nullptr);
    ~CScanDlg() override;

    // Runs the transfer of the enabled source; the number of pages taken.
    int exec() override;
    int PagesTaken() const { return taken_; }

    // Asks the transfer to stop; the box ends once it has.
    void reject() override;

  private:
    void OnTimer();
    void TakeArrivedPages();

    CFrameTwain& twain_;
    PageTaker takePage_;
    QLabel* text_ = nullptr;
    QTimer* timer_ = nullptr;
    std::jthread worker_;
    std::atomic<bool> done_{false};
    int taken_ = 0;
    int dotCounter_ = 0;
};
