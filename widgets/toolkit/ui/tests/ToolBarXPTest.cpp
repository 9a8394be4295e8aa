#include "ToolBarXP.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QMainWindow>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// A frame that handles the drop-down command of one id only.
class Frame : public QMainWindow {
  public:
    explicit Frame(std::uintptr_t handledId) : handledId_(handledId) {}
    std::vector<std::uintptr_t> heard;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != platform::WindowMessageEvent::EventType()) return QMainWindow::event(event);
        auto* message = static_cast<platform::WindowMessageEvent*>(event);
        heard.push_back(message->WParam());
        message->SetResult(message->WParam() == handledId_ ? 1 : 0);
        return true;
    }

  private:
    std::uintptr_t handledId_;
};

class ToolBarXPTest : public platform::WidgetTest {};

}  // namespace

TEST_F(ToolBarXPTest, ArrowSendsTheNegatedIdAndUnhandledActsAsPressed) {
    Frame frame(static_cast<std::uint16_t>(-0x8001));
    auto* bar = new CToolBarXP(&frame);
    frame.addToolBar(bar);
    bar->AddDropDownButton(0x8001, {}, "Handled");
    bar->AddDropDownButton(0x8002, {}, "Unhandled");
    QSignalSpy pressed(bar, &CToolBarXP::CommandPressed);
    bar->OnDropDown(0x8001);
    bar->OnDropDown(0x8002);
    EXPECT_EQ(frame.heard, (std::vector<std::uintptr_t>{0x7FFF, 0x7FFE}));
    ASSERT_EQ(pressed.count(), 1);
    EXPECT_EQ(pressed[0][0].toInt(), 0x8002);
}
