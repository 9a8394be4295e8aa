// Message pumping and progress publishing.
#include "Progress.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

std::atomic<double> ProgressRatio{0.0};
CWaitText WaitText;

namespace {

// Watches the application object for the quit request while events are handled, and lets it through.
class QuitWatcher : public QObject {
  public:
    bool quitSeen = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Quit) {
            quitSeen = true;
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int PumpMessages() {
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr) {
        return 0;
    }
    if (QThread::currentThread() != application->thread()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return 0;
    }
    QuitWatcher watcher;
    application->installEventFilter(&watcher);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    application->removeEventFilter(&watcher);
    return watcher.quitSeen ? 1 : 0;
}

int StepProgress(double* counter, double total) {
    *counter += 1.0;
    ProgressRatio = *counter / total;
    return PumpMessages();
}
