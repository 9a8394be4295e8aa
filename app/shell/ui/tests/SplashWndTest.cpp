#include "SplashWnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTimer>

#include "ProgramFolder.h"
#include "WidgetTestApplication.h"

namespace {

class SplashWndTest : public platform::WidgetTest {
  protected:
    ~SplashWndTest() override {
        CSplashWnd::HideSplashScreen();
        FlushDeletes();
        CSplashWnd::EnableSplashScreen(true);
    }

    static void WriteSplash(int width, int height) {
        QImage picture(width, height, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        ASSERT_TRUE(
            picture.save(QString::fromStdString((platform::ProgramFolder() / "Splash.bmp").string()), "BMP"));
    }

    static void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    static void Wait(int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    }
};

TEST_F(SplashWndTest, ThePictureShowsAtItsSizeInTheMiddleOfTheScreenForThreeSeconds) {
    WriteSplash(400, 300);
    CSplashWnd::ShowSplashScreen(nullptr);
    CSplashWnd* splash = CSplashWnd::Current();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(400, 300));
    EXPECT_EQ(splash->geometry().center(), QGuiApplication::primaryScreen()->availableGeometry().center());
    CSplashWnd::ShowSplashScreen(nullptr);  // at most one
    EXPECT_EQ(CSplashWnd::Current(), splash);

    Wait(CSplashWnd::kShowMs + 300);
    FlushDeletes();
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST_F(SplashWndTest, NoPictureOrSplashSwitchedOffShowsNothing) {
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);

    WriteSplash(40, 30);
    CSplashWnd::EnableSplashScreen(false);
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

TEST_F(SplashWndTest, APictureThatDoesNotLoadShowsNothing) {
    std::FILE* file = std::fopen((platform::ProgramFolder() / "Splash.bmp").c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("BM not a picture", file);
    std::fclose(file);
    CSplashWnd::ShowSplashScreen(nullptr);
    EXPECT_EQ(CSplashWnd::Current(), nullptr);
}

}  // namespace
