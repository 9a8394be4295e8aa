// Blinking static control.
#include "BlinkStatic.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QTimerEvent>

namespace {

constexpr int kSlowPeriodMs = 2000;
constexpr int kMediumPeriodMs = 1000;
constexpr int kFastPeriodMs = 500;

platform::ColorRef ToColorRef(const QColor& color) {
    return platform::Rgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                         static_cast<std::uint8_t>(color.blue()));
}

QColor ToQColor(platform::ColorRef color) {
    return QColor(platform::RedOf(color), platform::GreenOf(color), platform::BlueOf(color));
}

}  // namespace

int BlinkPhases::PeriodMs(int speed) {
    switch (speed) {
        case 0:
            return kSlowPeriodMs;
        case 1:
            return kMediumPeriodMs;
        case 2:
            return kFastPeriodMs;
        default:
            return speed;
    }
}

bool BlinkPhases::Tick() {
    if (textBlinks) {
        textPhase ^= 1;
    }
    if (backgroundBlinks) {
        backgroundPhase ^= 1;
    }
    return textBlinks || backgroundBlinks;
}

QEvent::Type BlinkNotifyEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

CBlinkStatic::CBlinkStatic(QWidget* parent)
    : QLabel(parent),
      textColor_(ToColorRef(QApplication::palette().color(QPalette::ButtonText))),
      textColors_{textColor_, textColor_},
      backgroundColor_(ToColorRef(QApplication::palette().color(QPalette::Button))),
      backgroundColors_{backgroundColor_, backgroundColor_} {}

CBlinkStatic::~CBlinkStatic() {
    if (timerId_ != 0) {
        killTimer(timerId_);
    }
}

void CBlinkStatic::SetTextColors(platform::ColorRef phase0, platform::ColorRef phase1) {
    textColors_[0] = phase0;
    textColors_[1] = phase1;
}

void CBlinkStatic::RestartTimer(bool on, int speed) {
    if (timerId_ != 0) {
        killTimer(timerId_);
        timerId_ = 0;
    }
    if (on) {
        periodMs_ = BlinkPhases::PeriodMs(speed);
        timerId_ = startTimer(periodMs_ > 0 ? periodMs_ : 0);
    }
}

void CBlinkStatic::SetTextBlink(int on, int speed) {
    phases_.textPhase = 0;
    phases_.textBlinks = on != 0;
    RestartTimer(on == 1, speed);
}

void CBlinkStatic::SetColors(platform::ColorRef phase0, platform::ColorRef phase1) {
    backgroundColors_[0] = phase0;
    backgroundColors_[1] = phase1;
    update();
}

void CBlinkStatic::SetBlink(int on, int speed) {
    phases_.backgroundPhase = 0;
    phases_.backgroundBlinks = on != 0;
    RestartTimer(on == 1, speed);
}

void CBlinkStatic::SetNotifyWindow(QObject* window, std::uint32_t message) {
    notifyWindow_ = window;
    notifyMessage_ = message;
}

platform::ColorRef CBlinkStatic::CurrentTextColor() const {
    return phases_.textBlinks ? textColors_[phases_.textPhase] : textColor_;
}

platform::ColorRef CBlinkStatic::CurrentBackgroundColor() const {
    return phases_.backgroundBlinks ? backgroundColors_[phases_.backgroundPhase] : backgroundColor_;
}

void CBlinkStatic::Tick() {
    if (!phases_.Tick()) {
        return;
    }
    update();
    if (notifyWindow_ != nullptr && phases_.AnyPhaseOn()) {
        QCoreApplication::postEvent(notifyWindow_, new BlinkNotifyEvent(notifyMessage_, objectName().toInt()));
    }
}

void CBlinkStatic::timerEvent(QTimerEvent* event) {
    if (event->timerId() != timerId_) {
        QLabel::timerEvent(event);
        return;
    }
    Tick();
}

void CBlinkStatic::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(CurrentBackgroundColor()));
    painter.setPen(ToQColor(CurrentTextColor()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}
