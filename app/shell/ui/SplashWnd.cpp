#include "SplashWnd.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <filesystem>

#include "ProgramFolder.h"

bool CSplashWnd::enabled_ = true;
CSplashWnd* CSplashWnd::current_ = nullptr;

void CSplashWnd::EnableSplashScreen(bool enable) {
    enabled_ = enable;
}

void CSplashWnd::ShowSplashScreen(QWidget* parent) {
    if (!enabled_ || current_ != nullptr) {
        return;
    }
    const std::filesystem::path folder = platform::ProgramFolder();
    if (folder.empty()) {
        return;
    }
    QPixmap picture;
    if (!picture.load(QString::fromStdString((folder / "Splash.bmp").string())) || picture.isNull()) {
        return;
    }
    current_ = new CSplashWnd(std::move(picture), parent);
    current_->show();
    current_->repaint();
}

void CSplashWnd::HideSplashScreen() {
    if (current_ == nullptr) {
        return;
    }
    QWidget* owner = current_->parentWidget();
    current_->close();
    if (owner != nullptr) {
        owner->update();
    }
}

CSplashWnd::CSplashWnd(QPixmap picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(std::move(picture)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(picture_.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    QTimer::singleShot(kShowMs, this, &CSplashWnd::HideSplashScreen);
}

CSplashWnd::~CSplashWnd() {
    if (current_ == this) {
        current_ = nullptr;
    }
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}
