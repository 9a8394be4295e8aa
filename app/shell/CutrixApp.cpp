// Start-up in its order: the installation's names, the single-instance claim, the start-up worker behind
// a 100 ms poll, the page from the work area, then the main window; the settings are saved at exit.
#include "CutrixApp.h"

#include <QApplication>
#include <QEventLoop>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "CadMgr.h"
#include "CutrixView.h"
#include "DamagedFiles.h"
#include "InstanceChannel.h"
#include "MainFrame.h"
#include "ProgramFolder.h"
#include "SettingsFiles.h"
#include "StartupThread.h"

namespace {

constexpr int kBusyPollMs = 100;

// Waits, with the event loop running, until the start-up worker has finished. The worker ends the wait as
// it finishes; the poll stays as the steady flow of events that a busy window relies on.
void WaitForStartupWorker() {
    QEventLoop loop;
    std::jthread worker = StartStartupThread(
        [&loop] { QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection); });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&loop] {
        if (StartupBusy.load() != 1) {
            loop.quit();
        }
    });
    poll.start(kBusyPollMs);
    if (StartupBusy.load() == 1) {
        loop.exec();
    }
    worker.join();
}

// With CUTRIX_STARTUP_PROBE set, the first idle moment after the window shows reports the time since the
// process began and ends the program.
void ArmStartupProbe(std::chrono::steady_clock::time_point started) {
    if (std::getenv("CUTRIX_STARTUP_PROBE") == nullptr) {
        return;
    }
    QTimer::singleShot(0, qApp, [started] {
        const auto elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
        std::printf("startup-to-idle-ms %.1f\n", elapsed.count());
        std::fflush(stdout);
        QApplication::quit();
    });
}

}  // namespace

int CCutrixApp::Run(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cutrix"));

    InstanceChannel channel(InstallationId(platform::ProgramFolder()));
    const InstanceChannel::Role role = channel.Claim();
    if (role == InstanceChannel::Role::kSecond) {
        return 0;
    }

    WaitForStartupWorker();
    CopyWorkSizeToPage(theCadMgr);

    CMainFrame frame(theCadMgr);
    QObject::connect(&channel, &InstanceChannel::handOverRequested, &frame, &CMainFrame::OnHandOverMessage);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1) {
        frame.OpenDocumentFile(arguments.at(1).toStdString());
    }
    frame.showMaximized();
    QTimer::singleShot(0, &frame, [&frame] { TellOfDamagedFiles(frame.View()); });
    ArmStartupProbe(started_);

    const int result = QApplication::exec();
    SaveAllSettings();
    return result;
}
