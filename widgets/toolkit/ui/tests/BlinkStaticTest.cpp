// CBlinkStatic: blink periods, phases, the colours painted and the notice to the notify window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "BlinkStatic.h"
#include "WidgetTestApplication.h"

namespace {

using platform::Rgb;

platform::ColorRef PaintedBackground(CBlinkStatic& control) {
    const QImage image = control.grab().toImage();
    const QColor color = image.pixelColor(1, 1);
    return Rgb(static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
               static_cast<std::uint8_t>(color.blue()));
}

class Recorder : public QObject {
  public:
    bool event(QEvent* event) override {
        if (event->type() != BlinkNotifyEvent::EventType()) {
            return QObject::event(event);
        }
        const auto* notice = static_cast<BlinkNotifyEvent*>(event);
        notices.emplace_back(notice->Message(), notice->ControlId());
        return true;
    }
    std::vector<std::pair<std::uint32_t, int>> notices;
};

TEST(BlinkStatic, PeriodBySpeed) {
    platform::EnsureWidgetApplication();
    struct Case {
        int speed;
        int periodMs;
    };
    for (const Case c : {Case{0, 2000}, Case{1, 1000}, Case{2, 500}, Case{3, 3}, Case{250, 250}}) {
        CBlinkStatic control;
        control.SetBlink(1, c.speed);
        EXPECT_EQ(control.TimerPeriodMs(), c.periodMs) << c.speed;
        control.SetTextBlink(1, c.speed);
        EXPECT_EQ(control.TimerPeriodMs(), c.periodMs) << c.speed;
    }
}

TEST(BlinkStatic, BackgroundAlternatesAndStopsAtModeZero) {
    platform::EnsureWidgetApplication();
    CBlinkStatic control;
    control.resize(40, 20);
    const platform::ColorRef normal = control.CurrentBackgroundColor();
    control.SetColors(Rgb(255, 0, 0), Rgb(0, 0, 255));
    EXPECT_EQ(PaintedBackground(control), normal);
    control.SetBlink(1, 2);
    EXPECT_EQ(PaintedBackground(control), Rgb(255, 0, 0));
    control.Tick();
    EXPECT_EQ(PaintedBackground(control), Rgb(0, 0, 255));
    control.Tick();
    EXPECT_EQ(PaintedBackground(control), Rgb(255, 0, 0));
    control.Tick();
    control.SetBlink(0, 2);
    EXPECT_EQ(control.TimerPeriodMs(), 0);
    EXPECT_EQ(PaintedBackground(control), normal);
}

TEST(BlinkStatic, SameColoursBlinkInvisibly) {
    platform::EnsureWidgetApplication();
    CBlinkStatic control;
    control.resize(40, 20);
    control.SetColors(Rgb(0, 0, 0), Rgb(0, 0, 0));
    control.SetBlink(1, 500);
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(PaintedBackground(control), Rgb(0, 0, 0));
        control.Tick();
    }
    EXPECT_EQ(control.TimerPeriodMs(), 500);
}

// The preview's value labels: both parts blink between equal colours, so green on black stays steady.
TEST(BlinkStatic, TextBlinksWithItsOwnColours) {
    platform::EnsureWidgetApplication();
    CBlinkStatic control;
    const platform::ColorRef plain = control.CurrentTextColor();
    control.SetTextColors(Rgb(0, 255, 0), Rgb(1, 2, 3));
    EXPECT_EQ(control.CurrentTextColor(), plain);
    control.SetTextBlink(1, 2);
    EXPECT_EQ(control.CurrentTextColor(), Rgb(0, 255, 0));
    control.Tick();
    EXPECT_EQ(control.CurrentTextColor(), Rgb(1, 2, 3));
    control.SetTextBlink(0, 2);
    EXPECT_EQ(control.CurrentTextColor(), plain);
}

TEST(BlinkStatic, NotifiesOnlyWhenAPhaseTurnsOn) {
    platform::EnsureWidgetApplication();
    Recorder recorder;
    CBlinkStatic control;
    control.setObjectName("2011");
    control.SetNotifyWindow(&recorder);
    control.Tick();  // nothing blinks: no notice
    control.SetBlink(1, 2);
    control.Tick();  // phase 1
    control.Tick();  // phase 0
    control.Tick();  // phase 1
    QCoreApplication::sendPostedEvents(&recorder);
    const std::vector<std::pair<std::uint32_t, int>> expected{{0x0400u, 2011}, {0x0400u, 2011}};
    EXPECT_EQ(recorder.notices, expected);
}

}  // namespace
