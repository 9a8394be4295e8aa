#include "Progress.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <thread>

TEST(Progress, StepProgressCountsAndPublishesTheRatio) {
    double counter = 4.0;
    EXPECT_EQ(StepProgress(&counter, 10.0), 0);
    EXPECT_EQ(counter, 5.0);
    EXPECT_EQ(ProgressRatio.load(), 0.5);
}

TEST(Progress, PumpingWithoutAnApplicationDoesNothing) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(PumpMessages(), 0);
}

TEST(Progress, PumpingHandlesWaitingEventsAndReportsAQuitRequest) {
    int argc = 1;
    char name[] = "ProgressTest";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);

    EXPECT_EQ(PumpMessages(), 0);

    int handled = 0;
    QObject target;
    QMetaObject::invokeMethod(
        &target, [&] { ++handled; }, Qt::QueuedConnection);
    EXPECT_EQ(PumpMessages(), 0);
    EXPECT_EQ(handled, 1);

    QCoreApplication::postEvent(&application, new QEvent(QEvent::Quit));
    EXPECT_EQ(PumpMessages(), 1);
}

TEST(Progress, TheWaitTextIsSharedSafelyBetweenAWorkerAndTheDialog) {
    std::thread worker([] {
        for (int i = 0; i < 1000; ++i) {
            WaitText.Set(i % 2 == 0 ? "Processing data,Please wait..." : "Downloading");
        }
    });
    for (int i = 0; i < 1000; ++i) {
        const std::string shown = WaitText.Get();
        EXPECT_TRUE(shown.empty() || shown == "Processing data,Please wait..." || shown == "Downloading");
    }
    worker.join();
    WaitText.Set("");
}
