// The main window's rulers, docking tab panel, edit commands and language switch, on a shown window.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTabWidget>

#include <cmath>
#include <memory>
#include <string>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CanvasMapping.h"
#include "CutrixView.h"
#include "DockPlatDlg.h"
#include "GeometryTestHelpers.h"
#include "LanguageTexts.h"
#include "MainFrame.h"
#include "RulerSplitterWnd.h"
#include "RulerView.h"
#include "SettingsFiles.h"
#include "SettingsGlobals.h"
#include "ShellTexts.h"
#include "TempHome.h"
#include "UndoStore.h"
#include "WidgetTestApplication.h"

namespace {

constexpr std::uint32_t kCopy = 57634;
constexpr std::uint32_t kPaste = 57637;
constexpr std::uint32_t kUndo = 57643;
constexpr std::uint32_t kDelete = 32781;
constexpr std::uint32_t kSelectAll = 32782;
constexpr std::uint32_t kZoomIn = 32775;
constexpr std::uint32_t kEditNode = 40012;
constexpr std::uint32_t kAddNodes = 40035;
constexpr std::uint32_t kDeleteNodes = 40036;
constexpr std::uint32_t kCombineNodes = 40038;
constexpr std::uint32_t kSimplifiedChinese = 32898;
constexpr std::uint32_t kEnglish = 32900;
constexpr std::uint32_t kOther = 32901;

class MainFramePanelsTest : public platform::WidgetTest {
  protected:
    MainFramePanelsTest() {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        CUndoStore::Init();
        frame.resize(900, 700);
        frame.show();
        Settle();  // the first paint makes the view the manager's owner
    }

    static void Settle() {
        for (int round = 0; round < 5; ++round) {
            QApplication::processEvents();
        }
    }

    // An open polyline through the points, added to the drawing and selected.
    CCadCurve* AddPolyline(std::initializer_list<SDPoint> points, bool closed = false) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList, points, closed);
        curve->closed = closed ? 1 : 0;
        curve->CalRect();
        CCadCurve* added = curve.get();
        EXPECT_EQ(manager->AddElement(curve.release()), 1);
        manager->AddToSelection(added);
        manager->CalcSelectionRect();
        return added;
    }

    CRulerView& Ruler(int row, int column) const {
        return *static_cast<CRulerView*>(frame.Splitter().Pane(row, column));
    }

    // The drawing point (mm) under a view pixel.
    SDPoint DrawingPointAt(QPoint pixel) const {
        return canvas::DeviceToMm(manager->GetPreparedDC(), {pixel.x(), pixel.y()});
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CMainFrame frame{*manager};
};

TEST_F(MainFramePanelsTest, AfterAZoomTheRulersShowTheViewsMillimetres) {
    const double zoomBefore = manager->zoomFactor;
    frame.RunCommand(kZoomIn);
    Settle();
    ASSERT_NE(manager->zoomFactor, zoomBefore);

    const CRulerView& horizontal = Ruler(0, 1);
    const CRulerView& vertical = Ruler(1, 0);
    EXPECT_EQ(horizontal.height(), CRulerSplitterWnd::kRulerThickness);
    EXPECT_EQ(horizontal.Mapping(), frame.View().CurrentRulerMapping({}));
    EXPECT_EQ(vertical.Mapping(), horizontal.Mapping());

    // Origin corner 1: both rulers count from the page's far edges.
    ASSERT_EQ(manager->originCorner, 1);
    const RulerMapping& mapping = horizontal.Mapping();
    const auto rulerX = [&](int pixel) {
        return mapping.originXMm + std::copysign(pixel / mapping.pixelsPerMmX, mapping.extentXMm);
    };
    const auto rulerY = [&](int pixel) {
        return mapping.originYMm + std::copysign(pixel / mapping.pixelsPerMmY, mapping.extentYMm);
    };
    // The view converts pixels to whole logical units (0.001 mm).
    constexpr double kTwoLogicalUnitsMm = 0.002;
    for (const QPoint pixel : {QPoint(0, 0), QPoint(300, 200), QPoint(450, 10)}) {
        const SDPoint drawn = DrawingPointAt(pixel);
        EXPECT_NEAR(rulerX(pixel.x()), manager->pageWidth - drawn.x, kTwoLogicalUnitsMm) << pixel.x();
        EXPECT_NEAR(rulerY(pixel.y()), manager->pageHeight - drawn.y, kTwoLogicalUnitsMm) << pixel.y();
    }

    // Every long tick reads, in the rulers' own texts, the value at its pixel: a multiple of ten steps.
    const double step = frame.View().RulerStep();
    ASSERT_FALSE(horizontal.Ticks().empty());
    int labelled = 0;
    for (const RulerTick& tick : horizontal.Ticks()) {
        if (tick.kind != RulerTickKind::kLong) {
            continue;
        }
        const double value = std::round(rulerX(tick.pixel) / (10 * step)) * 10 * step;
        EXPECT_NEAR(rulerX(tick.pixel), value, 1 / mapping.pixelsPerMmX) << tick.label;
        EXPECT_EQ(tick.label, RulerLabel(std::stod(tick.label))) << tick.label;
        EXPECT_NEAR(std::stod(tick.label), value, 1e-9) << tick.label;
        ++labelled;
    }
    EXPECT_GT(labelled, 0);
}

TEST_F(MainFramePanelsTest, TheMouseOverTheViewMovesTheMarkersOnly) {
    const int layouts = Ruler(0, 1).TickLayouts();
    QMouseEvent move(QEvent::MouseMove, QPointF(123, 45), frame.View().mapToGlobal(QPointF(123, 45)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&frame.View(), &move);
    Settle();
    EXPECT_EQ(Ruler(0, 1).MarkerPosition(), 123);
    EXPECT_EQ(Ruler(1, 0).MarkerPosition(), 45);
    EXPECT_EQ(Ruler(0, 1).TickLayouts(), layouts);
}

TEST_F(MainFramePanelsTest, PasteLandsUnderTheCursorOnlyInsideTheViewAndCanBeUndone) {
    AddPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}}, true);
    manager->NotifyModified();  // the history holds the square
    Settle();
    frame.Document().SetModifiedFlag(false);
    frame.RunCommand(kCopy);

    QCursor::setPos(frame.View().mapToGlobal(QPoint(-40, -40)));
    frame.RunCommand(kPaste);
    Settle();
    EXPECT_EQ(manager->elementList.count, 1);
    EXPECT_FALSE(frame.Document().IsModified());

    const QPoint inside(400, 300);
    QCursor::setPos(frame.View().mapToGlobal(inside));
    frame.RunCommand(kPaste);
    Settle();
    ASSERT_EQ(manager->elementList.count, 2);
    const CCadRect& pasted = manager->elementList.head->prev->value->rect;
    const SDPoint cursor = DrawingPointAt(inside);
    EXPECT_NEAR((pasted.x1 + pasted.x2) / 2, cursor.x, 0.01);
    EXPECT_NEAR((pasted.y1 + pasted.y2) / 2, cursor.y, 0.01);
    EXPECT_TRUE(frame.Document().IsModified());
    ASSERT_TRUE(frame.Action(kUndo)->isEnabled());
    frame.RunCommand(kUndo);
    EXPECT_EQ(manager->elementList.count, 1);
}

TEST_F(MainFramePanelsTest, DeleteInNodeEditingDeletesTheMarkedNodesNotTheCurve) {
    CCadCurve* curve = AddPolyline({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    frame.RunCommand(kEditNode);
    CDbList<CFileLine>::Node* first = curve->pathList.head->next;
    first->value.nodeSelected |= CFileLine::kEndSelected;
    manager->nodeSelList.AddTail({curve, first, 1.0});
    frame.RunCommand(kDelete);
    EXPECT_EQ(manager->elementList.count, 1);
    EXPECT_EQ(curve->pathList.GetCount(), 2);
}

TEST_F(MainFramePanelsTest, NodeCommandsFollowTheMarkedNodesAndThePendingPoint) {
    CCadCurve* curve = AddPolyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}});
    frame.RunCommand(kEditNode);
    frame.UpdateCommandUi();
    for (const std::uint32_t id : {kAddNodes, kDeleteNodes, kCombineNodes}) {
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
    }

    // Both ends of the open curve: deletable and joinable.
    curve->pathList.head->next->value.nodeSelected |= CFileLine::kStartSelected;
    manager->nodeSelList.AddTail({curve, curve->pathList.head->next, 0.0});
    curve->pathList.head->prev->value.nodeSelected |= CFileLine::kEndSelected;
    manager->nodeSelList.AddTail({curve, curve->pathList.head->prev, 1.0});
    frame.UpdateCommandUi();
    EXPECT_TRUE(frame.Action(kDeleteNodes)->isEnabled());
    EXPECT_TRUE(frame.Action(kCombineNodes)->isEnabled());
    EXPECT_FALSE(frame.Action(kAddNodes)->isEnabled());

    // A point clicked on the outline waits for Add nodes, which splits the segment there.
    manager->ClearNodeSelection();
    manager->pointMarkVisible = 1;
    manager->pointMark = {100, 40};
    frame.UpdateCommandUi();
    ASSERT_TRUE(frame.Action(kAddNodes)->isEnabled());
    frame.RunCommand(kAddNodes);
    EXPECT_EQ(curve->pathList.GetCount(), 4);
    EXPECT_EQ(manager->pointMarkVisible, 0u);
}

TEST_F(MainFramePanelsTest, ZoomInZoomsAboutTheViewsCentre) {
    const QPoint centre(frame.View().width() / 2, frame.View().height() / 2);
    const SDPoint before = DrawingPointAt(centre);
    const double zoomBefore = manager->zoomFactor;
    frame.RunCommand(kZoomIn);
    EXPECT_NEAR(manager->zoomFactor, zoomBefore * 1.5, 0.002);
    const SDPoint after = DrawingPointAt(centre);
    const double twoPixelsMm = 2 * manager->zoomFactor * 0.001;
    EXPECT_NEAR(after.x, before.x, twoPixelsMm);
    EXPECT_NEAR(after.y, before.y, twoPixelsMm);
}

TEST_F(MainFramePanelsTest, PickingACutPointStartsWithNothingSelected) {
    AddPolyline({{0, 0}, {10, 0}});
    frame.RunCommand(32779);
    EXPECT_EQ(manager->toolMode, CCadMgr::kCutPointPick);
    EXPECT_EQ(manager->selectionList.count, 0);
}

TEST_F(MainFramePanelsTest, DataCenterPutsTheSelectionInTheMiddleOfThePage) {
    AddPolyline({{0, 0}, {10, 0}, {10, 10}});
    frame.RunCommand(32795);
    const CCadRect rect = manager->GetSelectionRect();
    EXPECT_NEAR((rect.x1 + rect.x2) / 2, manager->pageWidth / 2, 1e-9);
    EXPECT_NEAR((rect.y1 + rect.y2) / 2, manager->pageHeight / 2, 1e-9);
}

// A language file holding only the given "Menu", "MenuPrompt" and "DockPlat" texts.
void WriteLanguageFile(const char* name, std::initializer_list<std::array<const char*, 3>> texts) {
    ClearLangStore();
    for (const auto& [section, key, text] : texts) {
        SetLangText(section, key, text);
    }
    ASSERT_EQ(SaveLangFile(cutrix::testing::TempHome() / name), 0);
    WriteDefaultTexts();
}

QString MenuTitleOf(const QAction& item) {
    for (QObject* holder : item.associatedObjects()) {
        if (const auto* menu = qobject_cast<const QMenu*>(holder)) {
            return menu->title();
        }
    }
    return {};
}

TEST_F(MainFramePanelsTest, ChoosingALanguageRelabelsMenusPanelsAndCaptionAtOnce) {
    WriteLanguageFile("Lang_eng.ini", {{"Menu", "MU11", "New drawing"}, {"DockPlat", "1", "Layers"}});
    WriteLanguageFile("Lang_other.ini", {{"Menu", "MU1", "Datei"},
                                         {"Menu", "MU11", "Neu"},
                                         {"Menu", "MU2M", "Kurven"},
                                         {"MenuPrompt", "MU11", "Neue Zeichnung\\Neu"},
                                         {"DockPlat", "1", "Arbeit"}});
    const std::uint32_t languages[] = {kSimplifiedChinese, 32899, kEnglish, kOther};
    const auto checkedLanguages = [&] {
        std::vector<std::uint32_t> checked;
        for (const std::uint32_t id : languages) {
            if (frame.Action(id)->isChecked()) {
                checked.push_back(id);
            }
        }
        return checked;
    };
    QAction& fileNew = *frame.Action(57600);

    frame.RunCommand(kOther);
    EXPECT_EQ(LanguageIndex, kLanguageOther);
    EXPECT_EQ(fileNew.text(), QStringLiteral("Neu"));
    EXPECT_EQ(fileNew.statusTip(), QStringLiteral("Neue Zeichnung"));
    EXPECT_EQ(MenuTitleOf(fileNew), QStringLiteral("Datei"));
    EXPECT_EQ(MenuTitleOf(*frame.Action(40040)), QStringLiteral("Kurven"));
    EXPECT_EQ(frame.Action(57601)->text(), QStringLiteral("Open...\tCtrl+O"));  // built in, as in English
    EXPECT_EQ(frame.DockPanel().Tabs().tabText(0), QStringLiteral("Arbeit"));
    EXPECT_EQ(checkedLanguages(), std::vector<std::uint32_t>{kOther});

    frame.RunCommand(kEnglish);
    EXPECT_EQ(fileNew.text(), QStringLiteral("New drawing"));
    EXPECT_EQ(MenuTitleOf(fileNew), QStringLiteral("File(&F)"));
    EXPECT_EQ(frame.DockPanel().Tabs().tabText(0), QStringLiteral("Layers"));
    EXPECT_EQ(checkedLanguages(), std::vector<std::uint32_t>{kEnglish});

    // No Chinese file yet: the built-in Chinese texts, the untitled caption and the later text in Chinese.
    frame.RunCommand(kSimplifiedChinese);
    EXPECT_EQ(fileNew.text(), QString::fromUtf8("新建...\tCtrl+N"));
    EXPECT_TRUE(frame.windowTitle().contains(QString::fromUtf8("未命名")));
    EXPECT_EQ(frame.Action(40045)->statusTip().toStdString(), LaterCommandStatusText());
    EXPECT_EQ(frame.DockPanel().Tabs().tabText(5), QString::fromUtf8("变换"));
    EXPECT_EQ(checkedLanguages(), std::vector<std::uint32_t>{kSimplifiedChinese});

    // The choice is kept with the settings.
    frame.RunCommand(kOther);
    SaveAllSettings();
    LanguageIndex = kLanguageEnglish;
    LoadAllSettings();
    EXPECT_EQ(LanguageIndex, kLanguageOther);
}

}  // namespace
