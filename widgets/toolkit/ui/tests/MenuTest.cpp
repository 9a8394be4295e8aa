#include "GlyphMenu.h"
#include "MenuXP.h"
#include "ToolBarEx.h"
#include "WidgetTestApplication.h"
#include "WidgetCanvas.h"
#include "HlsColor.h"
#include "TextLookup.h"
#include "WindowMessage.h"

#include <QMainWindow>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MenuTest : public platform::WidgetTest {};

std::vector<std::uint8_t> EditMenuTemplate() {
    MenuTemplateItem copy{0, 0xE122, "&Copy\tCtrl+C", {}};
    MenuTemplateItem special{0, 0xE125, "Paste &Special", {}};
    MenuTemplateItem separator{0, 0, "", {}};
    MenuTemplateItem more{kMenuPopup, 0, "&More", {MenuTemplateItem{0, 0xE130, "&Undo", {}}}};
    return EncodeMenuTemplate({copy, special, separator, more});
}

std::string FakeMenuTexts(std::string_view key) { return key == "MU12" ? "&Open...\tCtrl+O" : ""; }

}  // namespace

TEST_F(MenuTest, GlyphMenuLoadsItsTemplateAndAnswersShortcuts) {
    GlyphMenu menu;
    ASSERT_TRUE(menu.LoadMenu(EditMenuTemplate()));
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(platform::CommandId(*menu.actions()[1]), 0xE125);
    EXPECT_TRUE(menu.actions()[2]->isSeparator());
    EXPECT_TRUE(GlyphMenu::IsGlyphMenu(menu.actions()[3]->menu()));
    EXPECT_EQ(menu.FindShortcut('s'), 0x20001u);
    EXPECT_EQ(menu.FindShortcut('z'), 0u);

    QAction* special = menu.actions()[1];
    int triggered = 0;
    QObject::connect(special, &QAction::triggered, [&triggered] { ++triggered; });
    menu.popup(QPoint(0, 0));
    QTest::keyClick(&menu, Qt::Key_S);
    EXPECT_EQ(triggered, 1);

    std::vector<std::uint8_t> damaged = EditMenuTemplate();
    damaged.resize(damaged.size() - 3);
    EXPECT_FALSE(menu.LoadMenu(damaged));
    EXPECT_EQ(menu.actions().size(), 4);
}

TEST_F(MenuTest, XPPreparationTranslatesLanguageKeysOnlyWhenHooked) {
    QMainWindow frame;
    QMenu menu;
    QAction* open = menu.addAction("MU12");
    QAction* plain = menu.addAction("Mute\tM");
    CMenuXP::OnInitMenuPopup(&frame, &menu, CMenuXP::IsHooked(&frame), FakeMenuTexts);
    EXPECT_EQ(open->text(), "MU12");
    EXPECT_FALSE(CMenuXP::IsOwnerDrawn(&menu));
    EXPECT_EQ(CMenuXP::OnMenuChar(&menu, 'o'), 0u);

    CMenuXP::SetHooked(frame, true);
    CMenuXP::OnInitMenuPopup(&frame, &menu, CMenuXP::IsHooked(&frame), FakeMenuTexts);
    EXPECT_EQ(open->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(plain->text(), "Mute\tM");
    EXPECT_TRUE(CMenuXP::IsOwnerDrawn(&menu));
    EXPECT_EQ(CMenuXP::OnMenuChar(&menu, 'O'), 0x20000u);
    EXPECT_EQ(CMenuXP::OnMenuChar(&menu, 'm'), 0u);
    EXPECT_NE(CMenuXP::ItemData(&menu, 0) & 0xFF, 0u);
}

// Without a lookup of its own, a popup takes its texts from what the program handed the toolkit at
// start-up; a key that lookup lacks (or, before the hand-over, any key) keeps showing the key.
TEST_F(MenuTest, XPPreparationTakesTheProgramsTextsHandedOverAtStartUp) {
    QMainWindow frame;
    CMenuXP::SetHooked(frame, true);
    QMenu before;
    QAction* unhandled = before.addAction("MU12");
    CMenuXP::OnInitMenuPopup(&frame, &before, true);
    EXPECT_EQ(unhandled->text(), "MU12");

    widgets::SetTextLookup([](const std::string& section, const std::string& key) {
        return section == "Menu" ? FakeMenuTexts(key) : std::string("wrong section");
    });
    QMenu after;
    QAction* open = after.addAction("MU12");
    QAction* unknown = after.addAction("MU99");
    CMenuXP::OnInitMenuPopup(&frame, &after, true);
    widgets::SetTextLookup({});
    EXPECT_EQ(open->text(), "&Open...\tCtrl+O");
    EXPECT_EQ(unknown->text(), "MU99");
}

TEST_F(MenuTest, XPItemsPaintTheStripAndTheSelectionBox) {
    QMainWindow frame;
    CMenuXP::SetHooked(frame, true);
    QMenu menu;
    menu.addAction("&Cut");
    CMenuXP::OnInitMenuPopup(&frame, &menu, true, FakeMenuTexts);
    const platform::ColorRef face = ui::ToColorRef(menu.palette().color(QPalette::Button));
    const platform::ColorRef highlight = ui::ToColorRef(menu.palette().color(QPalette::Highlight));
    const QImage plain = CMenuXP::RenderItem(&menu, 0, QSize(120, 20), false);
    EXPECT_EQ(plain.pixel(2, 2), ui::ToQColor(AdjustHLS(face, 20, 0)).rgb());
    EXPECT_EQ(plain.pixel(118, 2), ui::ToQColor(AdjustHLS(face, 75, 0)).rgb());
    const QImage selected = CMenuXP::RenderItem(&menu, 0, QSize(120, 20), true);
    EXPECT_EQ(selected.pixel(0, 0), ui::ToQColor(highlight).rgb());
    EXPECT_EQ(selected.pixel(118, 2), ui::ToQColor(AdjustHLS(highlight, 70, -57)).rgb());
}
