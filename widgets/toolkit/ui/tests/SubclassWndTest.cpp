#include "SubclassWnd.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

constexpr std::uint32_t kFirst = platform::kUserMessage + 1;
constexpr std::uint32_t kSecond = platform::kUserMessage + 2;

// A hook that writes its name into a shared log and handles one message number, passing the rest on.
class NamedHook : public CSubclassWnd {
  public:
    NamedHook(std::string name, std::uint32_t handled, std::string& log) : name_(std::move(name)), handled_(handled), log_(log) {}

  protected:
    std::intptr_t WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        log_ += name_;
        if (message == handled_) return 100 + static_cast<std::intptr_t>(wParam);
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }

  private:
    std::string name_;
    std::uint32_t handled_;
    std::string& log_;
};

// The hooked window answers what reaches it with -1 and notes it.
class Window : public QWidget {
  public:
    explicit Window(std::string& log) : log_(log) {}

  protected:
    bool event(QEvent* event) override {
        if (event->type() != platform::WindowMessageEvent::EventType()) return QWidget::event(event);
        log_ += "W";
        static_cast<platform::WindowMessageEvent*>(event)->SetResult(-1);
        return true;
    }

  private:
    std::string& log_;
};

// A window with an older and a newer hook: the older handles kFirst, the newer kSecond.
class SubclassWndTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        older.HookWindow(&window);
        newer.HookWindow(&window);
    }
    std::string log;
    Window window{log};
    NamedHook older{"O", kFirst, log};
    NamedHook newer{"N", kSecond, log};
};

}  // namespace

TEST_F(SubclassWndTest, TwoHooksSeeMessagesNewestFirst) {
    EXPECT_EQ(platform::SendWindowMessage(&window, kSecond, 5, 0), 105);
    EXPECT_EQ(log, "N");
    log.clear();
    EXPECT_EQ(platform::SendWindowMessage(&window, kFirst, 7, 0), 107);
    EXPECT_EQ(log, "NO");
    log.clear();
    EXPECT_EQ(platform::SendWindowMessage(&window, kFirst + 50, 0, 0), -1);
    EXPECT_EQ(log, "NOW");
}

TEST_F(SubclassWndTest, RemovingTheOlderLeavesTheNewerAndRemovingBothRestoresTheWindow) {
    older.HookWindow(nullptr);
    EXPECT_EQ(platform::SendWindowMessage(&window, kFirst, 0, 0), -1);
    EXPECT_EQ(log, "NW");
    newer.HookWindow(nullptr);
    log.clear();
    platform::SendWindowMessage(&window, kSecond, 0, 0);
    EXPECT_EQ(log, "W");
    EXPECT_TRUE(CSubclassWnd::HooksOf(&window).empty());
}

TEST_F(SubclassWndTest, NoHookIsLeftAfterTheWindowDies) {
    auto dying = std::make_unique<Window>(log);
    NamedHook first("A", kFirst, log);
    NamedHook second("B", kSecond, log);
    first.HookWindow(dying.get());
    second.HookWindow(dying.get());
    const std::size_t before = CSubclassWnd::HookedWindowCount();
    dying.reset();
    EXPECT_FALSE(first.IsHooked());
    EXPECT_FALSE(second.IsHooked());
    EXPECT_EQ(CSubclassWnd::HookedWindowCount(), before - 1);
}
