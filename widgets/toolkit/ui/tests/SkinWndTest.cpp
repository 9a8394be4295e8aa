#include "SkinWnd.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr QRgb kMagenta = 0xFFFF00FF;

class CommandParent : public QWidget {
  public:
    std::vector<std::uintptr_t> commands;

  protected:
    bool event(QEvent* event) override {
        if (event->type() != platform::WindowMessageEvent::EventType()) return QWidget::event(event);
        const auto* message = static_cast<platform::WindowMessageEvent*>(event);
        if (message->Message() == kMessageCommand) commands.push_back(message->WParam());
        return true;
    }
};

// Five 20 x 20 states, each a different grey with magenta corners.
QImage FiveStateSkin() {
    QImage skin(100, 20, QImage::Format_RGB32);
    for (int state = 0; state < 5; ++state) {
        const int grey = 40 * (state + 1);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) skin.setPixel(state * 20 + x, y, qRgb(grey, grey, grey));
        }
        skin.setPixel(state * 20, 0, kMagenta);
    }
    return skin;
}

class SkinWndTest : public platform::WidgetTest {};

std::intptr_t PackPoint(int x, int y) { return static_cast<std::intptr_t>((y << 16) | (x & 0xFFFF)); }

}  // namespace

TEST_F(SkinWndTest, SkinnedButtonReleasedOutsideSendsNothing) {
    CommandParent parent;
    auto* button = new CSkinButton(&parent);
    platform::SetControlId(*button, 1001);
    button->SetSkin(FiveStateSkin(), {4, 4, 4, 4}, kMagenta);
    button->setGeometry(0, 0, 60, 24);
    parent.show();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(button->State(), kSkinPressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 12));
    EXPECT_TRUE(parent.commands.empty());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(30, 12));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(30, 12));
    EXPECT_EQ(parent.commands, std::vector<std::uintptr_t>{1001});
}

TEST_F(SkinWndTest, DisabledButtonPaintsTheFifthSliceAndGreyText) {
    CSkinButton button;
    button.SetSkin(FiveStateSkin(), {4, 4, 4, 4}, kMagenta);
    button.resize(60, 24);
    button.setEnabled(false);
    EXPECT_EQ(button.State(), kSkinDisabled);
    const QImage picture = button.Render();
    EXPECT_EQ(picture.pixel(10, 12), qRgb(200, 200, 200));
    // The magenta corner stays outside the button's shape.
    EXPECT_EQ(picture.pixel(0, 0), kMagenta);
    EXPECT_FALSE(OpaqueRegion(picture, kMagenta).contains(QPoint(0, 0)));
    EXPECT_TRUE(OpaqueRegion(picture, kMagenta).contains(QPoint(1, 0)));
}

TEST_F(SkinWndTest, SkinFrameAnswersHitTestsAndItsCloseButtonClosesTheWindow) {
    QWidget window;
    window.resize(400, 300);
    CSkinWnd skin;
    SkinFrameLayout layout;
    layout.left = layout.right = layout.bottom = 4;
    layout.caption = 26;
    layout.closeButton = {370, 5, 390, 21};
    layout.resizable = true;
    skin.SetFrameLayout(layout);
    skin.HookWindow(&window);
    // Not skinning: the message takes its default path.
    EXPECT_EQ(platform::SendWindowMessage(&window, kMessageNcHitTest, 0, PackPoint(380, 10)), 0);
    skin.SetSkinning(true);
    window.show();
    EXPECT_EQ(platform::SendWindowMessage(&window, kMessageNcHitTest, 0, PackPoint(380, 10)), 20);
    EXPECT_EQ(platform::SendWindowMessage(&window, kMessageNcHitTest, 0, PackPoint(200, 15)), kSkinHitCaption);
    EXPECT_EQ(platform::SendWindowMessage(&window, kMessageNcHitTest, 0, PackPoint(1, 150)), 10);
    const QString caption = "Layers";
    platform::SendWindowMessage(&window, kMessageSetText, 0, reinterpret_cast<std::intptr_t>(&caption));
    EXPECT_EQ(skin.CaptionText(), "Layers");
    platform::SendWindowMessage(&window, kMessageNcLButtonUp, 20, 0);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(SkinWndTest, FramePictureShapesTheWindow) {
    QWidget window;
    window.resize(40, 30);
    CSkinWnd skin;
    skin.HookWindow(&window);
    skin.SetSkinning(true);
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    for (int x = 0; x < 5; ++x) picture.setPixel(x, 0, kMagenta);
    skin.SetFramePicture(picture, kMagenta, true);
    EXPECT_FALSE(window.mask().contains(QPoint(2, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(6, 0)));
    EXPECT_TRUE(window.mask().contains(QPoint(2, 1)));
}
