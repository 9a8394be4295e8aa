#include "WindowMessage.h"
#include "RecordingMessageSink.h"
#include "WidgetTestApplication.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <vector>

using platform::WindowMessageEvent;

namespace {

// A window that records the numbered messages it receives and answers each with wParam + lParam.
class RecordingWindow : public QWidget {
  public:
    std::vector<platform::PostedMessage> received;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != WindowMessageEvent::EventType()) return QWidget::event(event);
        auto* message = static_cast<WindowMessageEvent*>(event);
        received.push_back({message->Message(), message->WParam(), message->LParam()});
        message->SetResult(static_cast<std::intptr_t>(message->WParam()) + message->LParam());
        return true;
    }
};

class WindowMessageTest : public platform::WidgetTest {};

}  // namespace

TEST_F(WindowMessageTest, SentMessageArrivesAtOnceWithItsParametersAndAnswers) {
    RecordingWindow window;
    EXPECT_EQ(platform::SendWindowMessage(&window, platform::kUserMessage + 1002, 5, -2), 3);
    ASSERT_EQ(window.received.size(), 1u);
    EXPECT_EQ(window.received[0], (platform::PostedMessage{platform::kUserMessage + 1002, 5, -2}));
    EXPECT_EQ(platform::SendWindowMessage(nullptr, 1, 2, 3), 0);
}

TEST_F(WindowMessageTest, PostedMessagesArriveInOrderOnlyWhenEventsAreHandled) {
    RecordingWindow window;
    platform::WindowMessageSink sink(&window);
    sink.PostMessage(platform::kUserMessage + 1003, 1, 0);
    sink.PostMessage(0x46D, 2, 7);
    EXPECT_TRUE(window.received.empty());
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(window.received.size(), 2u);
    EXPECT_EQ(window.received[0].message, platform::kUserMessage + 1003);
    EXPECT_EQ(window.received[1], (platform::PostedMessage{0x46D, 2, 7}));
}

TEST_F(WindowMessageTest, SinkOfAWindowThatIsGoneDropsItsMessages) {
    auto window = std::make_unique<RecordingWindow>();
    platform::WindowMessageSink sink(window.get());
    window.reset();
    sink.PostMessage(platform::kUserMessage + 1002, 0, 0);
    QCoreApplication::sendPostedEvents();
}

TEST_F(WindowMessageTest, ControlAndCommandIdsTravelOnTheirObjects) {
    QWidget control;
    EXPECT_FALSE(platform::ControlId(control));
    platform::SetControlId(control, 713);
    EXPECT_EQ(platform::ControlId(control), 713);
    QAction action;
    EXPECT_FALSE(platform::CommandId(action));
    platform::SetCommandId(action, 0x1001);
    EXPECT_EQ(platform::CommandId(action), 0x1001);
}
