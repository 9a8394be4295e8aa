// CSplashWnd: the picture "Splash.bmp" of the program folder, shown without a frame in the middle of the
// screen for three seconds while the main window comes up. At most one exists; none when the picture is
// missing or does not load, or when start-up switched splashes off.
#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

class CSplashWnd : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kShowMs = 3000;

    static void EnableSplashScreen(bool enable);
    // Shows the splash over `parent` when enabled and none is shown yet.
    static void ShowSplashScreen(QWidget* parent);
    // Closes the splash, if any, and brings the parent's window up to date.
    static void HideSplashScreen();
    // The splash on screen, or null.
    static CSplashWnd* Current() { return current_; }

    ~CSplashWnd() override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    CSplashWnd(QPixmap picture, QWidget* parent);

    static bool enabled_;
    static CSplashWnd* current_;
    QPixmap picture_;
};
