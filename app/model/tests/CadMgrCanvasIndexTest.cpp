// The rubber band and the press hit test through the index give what a walk over the element list
// gives, on random drawings and after changes the index learns of only through notifications.
#include <random>

#include "CanvasFixture.h"

namespace {

using platform::Point;

class CadMgrCanvasIndexTest : public CanvasFixture {
  protected:
    // A drawing of boxes and points of many sizes, some far apart.
    void AddRandomDrawing(std::mt19937& random, int count) {
        std::uniform_real_distribution<double> place(-40.0, 40.0);
        std::uniform_real_distribution<double> size(0.0, 12.0);
        std::uniform_int_distribution<int> kind(0, 9);
        for (int i = 0; i < count; ++i) {
            const double x = place(random), y = place(random);
            if (kind(random) == 0) {
                Add(MakePoint(x, y));
            } else {
                const double w = size(random), h = kind(random) == 1 ? 0.0 : size(random);
                AddCurve({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}}, true);
            }
        }
    }
    std::vector<CCadElement*> WalkInRect(const CCadRect& band) {
        std::vector<CCadElement*> inside;
        for (CCadElement* element : Elements()) {
            if (element->IsInRect(band) != 0) {
                inside.push_back(element);
            }
        }
        return inside;
    }
    CCadElement* WalkHit(Point at) {
        platform::DeviceContext dc = manager->GetPreparedDC();
        const Point logical = dc.DPtoLP(at);
        for (CCadElement* element : Elements()) {
            if (element->HitTest(logical.x, logical.y, &dc) != 0) {
                return element;
            }
        }
        return nullptr;
    }
};

TEST_F(CadMgrCanvasIndexTest, RubberBandAndClicksEqualTheListWalkOnRandomDrawings) {
    std::mt19937 random(20);
    AddRandomDrawing(random, 300);
    std::uniform_int_distribution<int> pixel(0, 800);
    for (int trial = 0; trial < 60; ++trial) {
        const Point a{pixel(random), pixel(random) * 3 / 4};
        const Point b{pixel(random), pixel(random) * 3 / 4};
        if (a == b) {
            continue;
        }
        manager->SetToolMode(CCadMgr::kSelectTool);
        manager->ClearSelection();
        Drag(a, b);
        const SDPoint p = Model({std::min(a.x, b.x), std::max(a.y, b.y)});
        const SDPoint q = Model({std::max(a.x, b.x), std::min(a.y, b.y)});
        CCadRect band;
        band.x1 = p.x;
        band.y1 = p.y;
        band.x2 = q.x;
        band.y2 = q.y;
        EXPECT_EQ(Selected(), WalkInRect(band)) << trial;

        manager->ClearSelection();
        CCadElement* expected = WalkHit(a);
        Click(a);
        EXPECT_EQ(Selected(),
                  expected == nullptr ? std::vector<CCadElement*>{} : std::vector<CCadElement*>{expected})
            << trial;
        // move what was hit, so that the next trials search a changed drawing
        if (expected != nullptr) {
            manager->MoveSelection(3.0, -2.0, 1);
        }
    }
}

TEST_F(CadMgrCanvasIndexTest, ElementsAddedAndDeletedAreFoundOrForgotten) {
    CCadCurve* first = AddCurve({{0, 0}, {5, 0}, {5, 5}}, true);
    Drag(Pixel({-1, 6}), Pixel({6, -1}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{first}));
    manager->DeleteSelection();
    CCadCurve* second = AddCurve({{1, 1}, {4, 1}, {4, 4}}, true);
    Drag(Pixel({-1, 6}), Pixel({6, -1}));
    EXPECT_EQ(Selected(), (std::vector<CCadElement*>{second}));
}

}  // namespace
