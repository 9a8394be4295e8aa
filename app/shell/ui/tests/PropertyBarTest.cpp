#include "PropertyBar.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>
#include <numbers>

#include "CadCurve.h"
#include "CadMgr.h"
#include "GeometryTestHelpers.h"
#include "LanguageTexts.h"
#include "SettingsGlobals.h"
#include "WidgetTestApplication.h"

namespace {

constexpr std::uint16_t kNoMirror = 3;
constexpr std::uint16_t kMirrorY = 0;

class PropertyBarTest : public platform::WidgetTest {
  protected:
    PropertyBarTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        manager->originCorner = kNoMirror;
    }

    // The closed rectangle (x, y)-(x + width, y + height), added to the drawing and selected.
    CCadElement* AddSelectedRect(double x, double y, double width, double height) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(
            curve->pathList, {{x, y}, {x + width, y}, {x + width, y + height}, {x, y + height}}, true);
        curve->closed = 1;
        curve->CalRect();
        CCadElement* element = curve.get();
        EXPECT_EQ(manager->AddElement(curve.release()), 1);
        manager->AddToSelection(element);
        manager->CalcSelectionRect();
        bar.Refresh();
        return element;
    }

    void Enter(int controlId, const QString& text) {
        QLineEdit* edit = bar.Edit(controlId);
        edit->setText(text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    QString Shown(int controlId) const { return bar.Edit(controlId)->text(); }

    static void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
        EXPECT_NEAR(rect.x1, x1, 1e-9);
        EXPECT_NEAR(rect.y1, y1, 1e-9);
        EXPECT_NEAR(rect.x2, x2, 1e-9);
        EXPECT_NEAR(rect.y2, y2, 1e-9);
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CPropertyBar bar{*manager};
};

TEST_F(PropertyBarTest, FieldsShowTheSelectionAndEnableByItsCount) {
    EXPECT_FALSE(bar.Edit(CPropertyBar::kWidthEdit)->isEnabled());
    EXPECT_FALSE(bar.Edit(CPropertyBar::kCutNumberEdit)->isEnabled());

    AddSelectedRect(10, 20, 100, 40);
    EXPECT_TRUE(bar.Edit(CPropertyBar::kWidthEdit)->isEnabled());
    EXPECT_EQ(Shown(CPropertyBar::kXEdit), "60");  // the centre, reference 5
    EXPECT_EQ(Shown(CPropertyBar::kYEdit), "40");
    EXPECT_EQ(Shown(CPropertyBar::kWidthEdit), "100");
    EXPECT_EQ(Shown(CPropertyBar::kHeightEdit), "40");
    EXPECT_EQ(Shown(CPropertyBar::kScaleXEdit), "100");
    EXPECT_EQ(Shown(CPropertyBar::kAngleEdit), "0");
    EXPECT_TRUE(bar.Edit(CPropertyBar::kCutNumberEdit)->isEnabled());
    EXPECT_EQ(Shown(CPropertyBar::kCutNumberEdit), "1");

    AddSelectedRect(200, 20, 10, 10);
    EXPECT_FALSE(bar.Edit(CPropertyBar::kCutNumberEdit)->isEnabled());
    EXPECT_EQ(Shown(CPropertyBar::kWidthEdit), "200");
}

TEST_F(PropertyBarTest, EnterInTheWidthEditScalesTheSelectionAboutTheReferencePoint) {
    AddSelectedRect(10, 20, 100, 40);
    bar.SetLocked(true);
    QSignalSpy changed(&bar, &CPropertyBar::DrawingChanged);
    Enter(CPropertyBar::kWidthEdit, QStringLiteral("50"));
    // Locked, 100 x 40 becomes 50 x 20 about the centre (60, 40).
    ExpectRect(manager->selectionRect, 35, 30, 85, 50);
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PropertyBarTest, EditsOfTheFields) {
    struct Case {
        const char* name;
        std::uint16_t corner;
        int controlId;
        const char* text;
        double x1, y1, x2, y2;  // the selection afterwards
    };
    // The selection is (10, 20)-(110, 60) on a page of 1200 x 800.
    const Case cases[] = {
        {"scale 0 % counts as 100 %", kNoMirror, CPropertyBar::kScaleXEdit, "0", 10, 20, 110, 60},
        {"scale 50 % across", kNoMirror, CPropertyBar::kScaleXEdit, "50", 35, 20, 85, 60},
        {"a larger X moves right", kNoMirror, CPropertyBar::kXEdit, "70", 20, 20, 120, 60},
        // With the origin at the top the y field counts down the page: a larger Y is lower.
        {"a larger Y with the origin at the top moves down", kMirrorY, CPropertyBar::kYEdit, "770", 10, 10,
         110, 50},
        {"unlocked height alone", kNoMirror, CPropertyBar::kHeightEdit, "80", 10, 0, 110, 80},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->DeleteAll();
        manager->originCorner = c.corner;
        AddSelectedRect(10, 20, 100, 40);
        Enter(c.controlId, QString::fromLatin1(c.text));
        ExpectRect(manager->selectionRect, c.x1, c.y1, c.x2, c.y2);
    }
}

TEST_F(PropertyBarTest, AngleIsCutToAHundredthOfADegree) {
    AddSelectedRect(10, 20, 100, 40);
    Enter(CPropertyBar::kAngleEdit, QStringLiteral("12.345"));
    const double turn = 12.34 * std::numbers::pi / 180.0;
    const double width = 100 * std::cos(turn) + 40 * std::sin(turn);
    EXPECT_NEAR(manager->selectionRect.x2 - manager->selectionRect.x1, width, 1e-6);
    EXPECT_NEAR((manager->selectionRect.x1 + manager->selectionRect.x2) / 2, 60.0, 1e-6);
}

TEST_F(PropertyBarTest, EnterOnFieldsLeftAsShownDoesNotCreepTheSelection) {
    // Shown cut to 0.001 mm, these would move and scale the selection a little at every Enter.
    AddSelectedRect(10.0004, 20.0007, 100.0009, 40.0003);
    const CCadRect before = manager->selectionRect;
    QSignalSpy changed(&bar, &CPropertyBar::DrawingChanged);
    for (const int field : {CPropertyBar::kXEdit, CPropertyBar::kWidthEdit, CPropertyBar::kAngleEdit}) {
        QTest::keyClick(bar.Edit(field), Qt::Key_Return);
    }
    ExpectRect(manager->selectionRect, before.x1, before.y1, before.x2, before.y2);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(PropertyBarTest, TextThatIsNotANumberChangesNothingAndIsReplaced) {
    AddSelectedRect(10, 20, 100, 40);
    for (const char* text : {"abc", "nan", "inf", ""}) {
        Enter(CPropertyBar::kWidthEdit, QString::fromLatin1(text));
        ExpectRect(manager->selectionRect, 10, 20, 110, 60);
        EXPECT_EQ(Shown(CPropertyBar::kWidthEdit), "100") << text;
    }
}

TEST_F(PropertyBarTest, CutNumberMovesTheOnlySelectedElementInTheOrder) {
    CCadElement* first = AddSelectedRect(0, 0, 10, 10);
    manager->ClearSelection();
    AddSelectedRect(20, 0, 10, 10);
    manager->ClearSelection();
    // Added without renumbering, as imports add them: the bar counts the place.
    CCadElement* third = AddSelectedRect(40, 0, 10, 10);
    EXPECT_EQ(Shown(CPropertyBar::kCutNumberEdit), "3");
    Enter(CPropertyBar::kCutNumberEdit, QStringLiteral("-5"));  // below 1 counts as 1
    EXPECT_EQ(third->orderNumber, 1u);
    EXPECT_EQ(first->orderNumber, 2u);
    EXPECT_EQ(Shown(CPropertyBar::kCutNumberEdit), "1");
}

}  // namespace
