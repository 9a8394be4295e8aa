// Start-up in its order: the installation's names, the single-instance claim, the start-up worker behind
// the busy box, the page from the work area, the command line, then the main window; the settings are
// saved at exit.
#include "CutrixApp.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "BusyDlg.h"
#include "CadMgr.h"
#include "CutrixView.h"
#include "DamagedFiles.h"
#include "InstanceChannel.h"
#include "LanguageTexts.h"
#include "MainFrame.h"
#include "ProgramFolder.h"
#include "SettingsFiles.h"
#include "SplashWnd.h"
#include "StartupThread.h"
#include "TextLookup.h"
#include "WorkerDlg.h"

namespace {

// The command-line option that starts the program without its splash picture.
constexpr auto kNoSplashOption = "--no-splash";

// Waits behind the busy box until the start-up worker has finished. The worker ends the box as it
// finishes, so start-up does not wait for the box's next poll.
void WaitForStartupWorker() {
    CBusyDlg busy(StartupBusy);
    std::jthread worker = StartStartupThread(
        [&busy] { QMetaObject::invokeMethod(&busy, [&busy] { busy.done(0); }, Qt::QueuedConnection); });
    if (StartupBusy.load() == 1) {
        busy.exec();
    }
    worker.join();
}

// The document named on the command line: its first argument that is not an option.
QString DocumentArgument(const QStringList& arguments) {
    for (qsizetype at = 1; at < arguments.size(); ++at) {
        if (!arguments.at(at).startsWith(QStringLiteral("--"))) {
            return arguments.at(at);
        }
    }
    return {};
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
    widgets::SetTextLookup(GetLangText);

    const QStringList arguments = QApplication::arguments();
    const QString document = DocumentArgument(arguments);
    InstanceChannel channel(InstallationId(platform::ProgramFolder()));
    const InstanceChannel::Role role = channel.Claim(document);
    if (role == InstanceChannel::Role::kSecond) {
        return 0;
    }

    WaitForStartupWorker();
    CopyWorkSizeToPage(theCadMgr);

    CSplashWnd::EnableSplashScreen(!arguments.contains(QLatin1String(kNoSplashOption)));
    CMainFrame frame(theCadMgr);
    // Progress boxes show their window over the main window; without this they would wait unseen.
    WorkerDlgRunner workerBoxes(&frame);
    SetModalRunner(&workerBoxes);
    QObject::connect(&channel, &InstanceChannel::handOverRequested, &frame, &CMainFrame::OnHandOverMessage);
    QObject::connect(&channel, &InstanceChannel::openRequested, &frame,
                     [&frame](const QString& file) { frame.OpenFromAnotherCopy(file.toStdString()); });
    if (!document.isEmpty()) {
        frame.OpenDocumentFile(document.toStdString());
    }
    frame.showMaximized();
    QTimer::singleShot(0, &frame, [&frame] { TellOfDamagedFiles(frame.View()); });
    ArmStartupProbe(started_);

    const int result = QApplication::exec();
    SetModalRunner(nullptr);
    SaveAllSettings();
    return result;
}
