// CBusyDlg: the small box that start-up shows while its worker loads the settings and reads the
// controller. Its bar cycles without telling real progress; it ends itself once the worker is done.
#pragma once

#include <QDialog>

#include <atomic>
#include <cstdint>

class CTextProgressCtrl;
class QTimer;

class CBusyDlg : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kProgressId = 1000;
    static constexpr std::int32_t kRangeEnd = 10000;
    static constexpr std::int32_t kFirstPosition = 1000;
    static constexpr std::int32_t kStep = 150;
    static constexpr int kTickMs = 100;

    // `busy` is polled every tick; the dialog ends with 0 once it is no longer 1.
    explicit CBusyDlg(const std::atomic<int>& busy, QWidget* parent = nullptr);

    // The bar's next position: one step on, back to 0 past the end of the range.
    static std::int32_t NextPosition(std::int32_t position);
    std::int32_t Position() const { return counter_; }

    // The box cannot be dismissed: only the worker's end closes it.
    void reject() override {}

  private:
    void OnTimer();

    const std::atomic<int>& busy_;
    CTextProgressCtrl* progress_ = nullptr;
    QTimer* timer_ = nullptr;
    std::int32_t counter_ = kFirstPosition;
};
