// CBlinkStatic: a static text control with its own text and background colours, each of which can
// alternate between two colours on a timer. The value labels of the preview and the colour swatches of
// the page setup dialog are made of it.
#pragma once

#include <QEvent>
#include <QLabel>

#include <cstdint>

#include "GdiTypes.h"

// The blink rules without the window: periods by speed and the phases a timer tick flips.
struct BlinkPhases {
    bool textBlinks = false;
    int textPhase = 0;
    bool backgroundBlinks = false;
    int backgroundPhase = 0;

    // 2000, 1000 and 500 ms for speeds 0, 1 and 2; any other speed is the period in milliseconds.
    static int PeriodMs(int speed);

    // Flips the phase of each part that blinks. False when nothing blinks (nothing to redraw).
    bool Tick();
    bool AnyPhaseOn() const { return textPhase == 1 || backgroundPhase == 1; }
};

// Posted to the notify window after a tick that turned a phase on.
class BlinkNotifyEvent : public QEvent {
  public:
    static QEvent::Type EventType();
    BlinkNotifyEvent(std::uint32_t message, int controlId)
        : QEvent(EventType()), message_(message), controlId_(controlId) {}
    std::uint32_t Message() const { return message_; }
    int ControlId() const { return controlId_; }

  private:
    std::uint32_t message_;
    int controlId_;
};

class CBlinkStatic : public QLabel {
    Q_OBJECT

  public:
    static constexpr std::uint32_t kDefaultNotifyMessage = 0x0400;

    // Text in the button-text colour on the button-face colour, nothing blinking. The control id is the
    // object name read as a number.
    explicit CBlinkStatic(QWidget* parent = nullptr);
    ~CBlinkStatic() override;

    void SetTextColors(platform::ColorRef phase0, platform::ColorRef phase1);
    // Stops any blink timer and sets the phase to 0; with on = 1 starts the timer (see PeriodMs).
    void SetTextBlink(int on, int speed);
    // Background colours of the two phases; redraws.
    void SetColors(platform::ColorRef phase0, platform::ColorRef phase1);
    void SetBlink(int on, int speed);
    void SetNotifyWindow(QObject* window, std::uint32_t message = kDefaultNotifyMessage);

    // The colours the control paints with now.
    platform::ColorRef CurrentTextColor() const;
    platform::ColorRef CurrentBackgroundColor() const;
    const BlinkPhases& Phases() const { return phases_; }
    // The running blink timer's period, 0 when none.
    int TimerPeriodMs() const { return timerId_ != 0 ? periodMs_ : 0; }
    // One tick of the blink timer, as the timer delivers it.
    void Tick();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void RestartTimer(bool on, int speed);

    int timerId_ = 0;
    int periodMs_ = 0;
    platform::ColorRef textColor_;
    platform::ColorRef textColors_[2];
    platform::ColorRef backgroundColor_;
    platform::ColorRef backgroundColors_[2];
    BlinkPhases phases_;
    QObject* notifyWindow_ = nullptr;
    std::uint32_t notifyMessage_ = kDefaultNotifyMessage;
};
