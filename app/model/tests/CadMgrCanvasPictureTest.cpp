// Pictures of the canvas: every preview drawn and erased leaves the picture as it was, and the repaint
// of small drawings matches stored pictures (grid, handles, job-origin square, node and point marks,
// machine-origin mark). CUTRIX_WRITE_PICTURES=1 writes the stored pictures afresh.
#include <QImage>

#include <cstdlib>
#include <functional>
#include <string>

#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrCanvasPictureTest : public CanvasFixture {
  protected:
    // A page of 200 x 150 mm with a 10 mm grid, zoomed to the page.
    void SetUpPage(std::uint16_t originCorner) {
        manager->pageWidth = 200;
        manager->pageHeight = 150;
        manager->gridStep = 10;
        manager->originCorner = originCorner;
        manager->ZoomToPage();
    }
    CCadCurve* AddBox(double x1, double y1, double x2, double y2) {
        return AddCurve({{x1, y1}, {x2, y1}, {x2, y2}, {x1, y2}}, true);
    }
    void ExpectPicture(const std::string& name) {
        manager->Redraw(1, 0);
        const std::string path = std::string(CANVAS_PICTURES) + "/" + name + ".png";
        if (std::getenv("CUTRIX_WRITE_PICTURES") != nullptr) {
            ASSERT_TRUE(canvas.Picture().save(QString::fromStdString(path)));
            return;
        }
        const QImage stored(QString::fromStdString(path));
        ASSERT_FALSE(stored.isNull()) << path;
        EXPECT_TRUE(stored.convertToFormat(canvas.Picture().format()) == canvas.Picture()) << name;
    }
};

TEST_F(CadMgrCanvasPictureTest, GridFromOriginCornerThreeWithHandlesAndMarks) {
    SetUpPage(3);
    Select(AddBox(20, 20, 60, 50));
    Add(MakePoint(100, 100));
    ExpectPicture("corner3-selection");
}

TEST_F(CadMgrCanvasPictureTest, GridFromOriginCornerOneWithAFlatSelection) {
    SetUpPage(1);
    manager->gridStep = 15;  // lines start from the top right
    Select(AddCurve({{30, 40}, {120, 40}}));
    ExpectPicture("corner1-line");
}

TEST_F(CadMgrCanvasPictureTest, NodeMarksWithBezierHandlesAndThePointMark) {
    SetUpPage(3);
    CCadCurve* curve = Add(std::make_unique<CCadCurve>());
    CFileLine first;
    first.type = CFileLine::kBezier;
    first.start = {20, 20};
    first.ctrl1 = {20, 60};
    first.ctrl2 = {60, 80};
    first.end = {100, 80};
    CFileLine second = first;
    second.start = {100, 80};
    second.ctrl1 = {140, 80};
    second.ctrl2 = {160, 60};
    second.end = {160, 20};
    curve->pathList.AddTail(first);
    curve->pathList.AddTail(second);
    curve->CalRect();
    manager->SetToolMode(CCadMgr::kNodeTool);
    Click(Pixel({20, 20}));
    Click(Pixel({100, 80}));
    ASSERT_EQ(manager->nodeSelList.GetCount(), 1);
    manager->pointMarkVisible = 1;
    manager->pointMark = {160, 20};
    ExpectPicture("node-marks");
}

// A scene, the press point and the moves of one preview; the last move returns to the press point.
struct PreviewCase {
    const char* name;
    std::function<void(CadMgrCanvasPictureTest&, CCadMgr&)> arrange;
    SDPoint press;
    std::vector<SDPoint> moves;
    bool pressFirst = true;
};

class PreviewPictureTest : public CadMgrCanvasPictureTest {
  public:
    void Run(const PreviewCase& c) {
        manager->DeleteAll();
        manager->ClearSelection();
        manager->SetToolMode(CCadMgr::kSelectTool);
        manager->zoomFactor = 100.0;
        manager->viewOffsetX = manager->viewOffsetY = 0;
        Select(AddBox(0, 0, 10, 20));
        AddBox(15, 0, 25, 5);
        c.arrange(*this, *manager);
        MoveTo(Pixel(c.press));
        Press(Pixel(c.press));
        if (!c.pressFirst) {
            Release(Pixel(c.press));
        }
        manager->Redraw(1, 0);
        const QImage before = canvas.Picture().copy();
        bool changed = false;
        for (const SDPoint& mm : c.moves) {
            MoveTo(Pixel(mm));
            changed = changed || canvas.Picture() != before;
        }
        MoveTo(Pixel(c.press));
        EXPECT_TRUE(changed) << c.name;
        EXPECT_TRUE(canvas.Picture() == before) << c.name;
        Release(Pixel(c.press));
    }
};

TEST_F(PreviewPictureTest, EveryPreviewDrawnAndErasedLeavesThePictureByteIdentical) {
    const auto mode = [](std::uint32_t tool) {
        return [tool](CadMgrCanvasPictureTest&, CCadMgr& m) { m.SetToolMode(tool); };
    };
    const auto nothing = [](CadMgrCanvasPictureTest&, CCadMgr&) {};
    const std::vector<PreviewCase> cases = {
        {"rubber band", nothing, {-5, -5}, {{12, 8}, {30, 30}}},
        {"move", nothing, {5, 10}, {{7, 12}, {-3, 4}}},
        {"scale", nothing, {10, 20}, {{14, 25}, {3, 6}, {-4, 30}}},
        {"rotate", mode(CCadMgr::kRotateTool), {10, 0}, {{0, 10}, {-10, 1}, {5, 0}}},
        {"zoom band", mode(CCadMgr::kZoomRectTool), {3, 3}, {{20, 20}, {-10, 5}}},
        {"line", mode(CCadMgr::kLineTool), {3, 3}, {{20, 20}, {-10, 5}}, false},
        {"rectangle", mode(CCadMgr::kRectangleTool), {3, 3}, {{20, 20}, {-10, 5}}},
        {"ellipse", mode(CCadMgr::kEllipseTool), {3, 3}, {{20, 20}, {-10, 5}}},
        {"node band", mode(CCadMgr::kNodeTool), {-5, -5}, {{12, 8}, {30, 30}}},
        {"node drag",
         [](CadMgrCanvasPictureTest& t, CCadMgr& m) {
             m.SetToolMode(CCadMgr::kNodeTool);
             t.Click(t.Pixel({10, 10}));
         },
         {10, 20},
         {{12, 24}, {5, 30}}},
    };
    for (const PreviewCase& c : cases) {
        Run(c);
    }
}

}  // namespace
