// The least a Qt program does to show a main window: a maximised QMainWindow with a menu. It reports the
// time from its start to its first idle moment as the program's start-up probe does, and ends, so that
// the start-up benchmark measures both the same way.
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    const auto started = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    QMainWindow window;
    QMenu* menu = window.menuBar()->addMenu(QStringLiteral("File"));
    menu->addAction(QStringLiteral("Exit"), &application, &QApplication::quit);
    window.showMaximized();
    QTimer::singleShot(0, &application, [started] {
        const auto elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started);
        std::printf("startup-to-idle-ms %.1f\n", elapsed.count());
        std::fflush(stdout);
        QApplication::quit();
    });
    return QApplication::exec();
}
