#include "IconButton.h"
#include "WidgetTestApplication.h"
#include "WindowMessage.h"

#include <QEnterEvent>
#include <QAction>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A 16-pixel icon: a red square with a black dot in its corner.
QImage RedIcon() {
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(0xFFFF0000);
    icon.setPixel(0, 0, 0xFF000000);
    return icon;
}

class IconButtonTest : public platform::WidgetTest {
  protected:
    void SetUp() override {
        CIconButton::SetIconSource([](int id) { return id == 7 ? RedIcon() : QImage(); });
        button.resize(40, 24);
        button.show();
    }
    void Enter() {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&button, &enter);
    }
    CIconButton button;
};

}  // namespace

TEST_F(IconButtonTest, LoneIconIsCentredAndMovesOnePixelWhenPressed) {
    ASSERT_EQ(button.SetIcon(7), 0);
    EXPECT_EQ(button.ImageRect(), QRect(12, 4, 16, 16));
    EXPECT_EQ(button.Render().pixel(12, 4), 0xFF000000u);
    button.setDown(true);
    EXPECT_EQ(button.ImageRect(), QRect(13, 5, 16, 16));
    EXPECT_EQ(button.Render().pixel(13, 5), 0xFF000000u);
}

TEST_F(IconButtonTest, HoverRaisesTheFrameAndLeavingDropsIt) {
    ASSERT_EQ(button.SetIcon(7), 0);
    const QRgb light = button.palette().color(QPalette::Light).rgb();
    const QRgb face = button.palette().color(QPalette::Button).rgb();
    EXPECT_EQ(button.Render().pixel(0, 5), face);
    Enter();
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(button.Render().pixel(0, 5), light);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(button.Render().pixel(0, 5), face);
}

TEST_F(IconButtonTest, DoubleClickCountsAsTwoClicks) {
    QSignalSpy clicks(&button, &QPushButton::clicked);
    // What the platform delivers for a double click: press, release, double click, release.
    const QPoint at(10, 10);
    QTest::mousePress(&button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, at);
    QTest::mouseDClick(&button, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(IconButtonTest, IconsThatCannotBeReadLeaveNoImage) {
    ASSERT_EQ(button.SetIcon(7), 0);
    EXPECT_EQ(button.SetIcon(7, 99), 1);
    EXPECT_TRUE(button.ImageRect().isNull());
    EXPECT_EQ(button.SetIcon(99), 0);
    EXPECT_TRUE(button.ImageRect().isNull());
}

TEST_F(IconButtonTest, GreyOutIconShowsAtRestAndTheColourIconUnderTheMouse) {
    ASSERT_EQ(button.SetIcon(7, CIconButton::kGrayOutIcon), 0);
    EXPECT_EQ(button.Render().pixel(13, 5), 0xFF4C4C4Cu);
    Enter();
    EXPECT_EQ(button.Render().pixel(13, 5), 0xFFFF0000u);
}

TEST_F(IconButtonTest, ToggleFlipsAndLinkOpensOnClick) {
    std::string opened;
    button.SetLinkOpener([&opened](const std::string& link) { opened = link; });
    button.SetLink(std::string(300, 'a'));
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 259u);
    button.SetToggle(true);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_TRUE(button.IsChecked());
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_FALSE(button.IsChecked());
}

TEST_F(IconButtonTest, MenuDropsDownPressedAndPostsTheChosenCommand) {
    class Target : public QObject {
      public:
        std::vector<std::uintptr_t> commands;
        bool event(QEvent* event) override {
            if (event->type() != platform::WindowMessageEvent::EventType()) return QObject::event(event);
            commands.push_back(static_cast<platform::WindowMessageEvent*>(event)->WParam());
            return true;
        }
    } target;
    button.Menu().AppendMenu("&Rotate", 0x8101);
    button.SetMenuTarget(&target);
    bool lookedPressed = false;
    QPoint shownAt;
    button.SetMenuRunner([&](QMenu& menu, QPoint at) {
        lookedPressed = button.Render().pixel(0, 5) == button.palette().color(QPalette::Dark).rgb();
        shownAt = at;
        return menu.actions().value(0);
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(&target);
    EXPECT_EQ(target.commands, std::vector<std::uintptr_t>{0x8101});
    EXPECT_EQ(shownAt, button.mapToGlobal(button.rect().bottomLeft()));
    EXPECT_TRUE(lookedPressed);
}
