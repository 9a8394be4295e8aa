#include "BusyDlg.h"

#include <QTimer>

#include <atomic>

#include "WidgetTestApplication.h"

namespace {

class BusyDlgTest : public platform::WidgetTest {};

TEST_F(BusyDlgTest, TheBarStepsOnAndStartsAgainPastItsEnd) {
    const std::pair<std::int32_t, std::int32_t> steps[] = {
        {1000, 1150}, {9850, 10000}, {9900, 0}, {10000, 0}, {0, 150}};
    for (const auto& [from, to] : steps) {
        EXPECT_EQ(CBusyDlg::NextPosition(from), to) << from;
    }
}

TEST_F(BusyDlgTest, TheBoxStaysWhileTheWorkerRunsAndEndsOnATickAfterIt) {
    std::atomic<int> busy = 1;
    CBusyDlg dialog(busy);
    QTimer::singleShot(50, &dialog, [&dialog] { dialog.reject(); });  // Escape does not end it
    QTimer::singleShot(350, [&busy] { busy = 0; });
    EXPECT_EQ(dialog.exec(), 0);
    EXPECT_EQ(busy.load(), 0);  // it ended only after the worker did
    EXPECT_NE(dialog.Position(), CBusyDlg::kFirstPosition);
}

TEST_F(BusyDlgTest, AWorkerDoneBeforeTheBoxEndsItOnTheFirstTick) {
    std::atomic<int> busy = 0;
    CBusyDlg dialog(busy);
    EXPECT_EQ(dialog.exec(), 0);
    EXPECT_EQ(dialog.Position(), CBusyDlg::kFirstPosition + CBusyDlg::kStep);
}

}  // namespace
