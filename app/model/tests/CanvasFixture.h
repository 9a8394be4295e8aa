// A drawing manager of its own on a headless canvas of 801 x 601 pixels (zoom 100, the model origin at
// the client centre), with a scripted mouse that presses, moves and releases at model points or pixels
// with Shift and Ctrl.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CadMgr.h"
#include "ElementBuilders.h"
#include "FakeCanvas.h"
#include "LanguageTexts.h"
#include "LogicalUnits.h"
#include "SettingsGlobals.h"

class CanvasFixture : public ::testing::Test {
  public:
    static constexpr std::uint32_t kNone = 0;
    static constexpr std::uint32_t kShift = CCadMgr::kShiftKey;
    static constexpr std::uint32_t kCtrl = CCadMgr::kControlKey;

    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        manager->SetOwnerHwnd(&canvas);
    }
    void TearDown() override {
        NodeEditOn = 0;
        CutPickOn = 0;
    }

    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    platform::FakeCanvas canvas;

    template <typename Element>
    Element* Add(std::unique_ptr<Element> element) {
        Element* added = element.get();
        EXPECT_EQ(manager->AddElement(element.release()), 1);
        return added;
    }
    CCadCurve* AddCurve(const std::vector<SDPoint>& points, bool closed = false) {
        return Add(MakeCurve(points, closed));
    }
    void Select(CCadElement* element) {
        manager->AddToSelection(element);
        manager->CalcSelectionRect();
    }

    // The pixel of a model point under the current mapping.
    platform::Point Pixel(SDPoint mm) { return manager->GetPreparedDC().LPtoDP(ToLogicalUnits(mm)); }
    SDPoint Model(platform::Point pixel) {
        const platform::Point logical = manager->GetPreparedDC().DPtoLP(pixel);
        return {logical.x * 0.001, logical.y * 0.001};
    }

    // The scripted mouse, in pixels.
    void Press(platform::Point at, std::uint32_t flags = kNone) {
        canvas.SetCursorPos(at);
        manager->OnLButtonDown(flags, at.x, at.y);
    }
    void MoveTo(platform::Point at, std::uint32_t flags = kNone) {
        canvas.SetCursorPos(at);
        manager->OnMouseMove(flags, at.x, at.y);
    }
    void Release(platform::Point at, std::uint32_t flags = kNone) {
        canvas.SetCursorPos(at);
        manager->OnLButtonUp(flags, at.x, at.y);
    }
    void Click(platform::Point at, std::uint32_t flags = kNone) {
        Press(at, flags);
        Release(at, flags);
    }
    // Hover onto the start, press, move in a few steps, release.
    void Drag(platform::Point from, platform::Point to, std::uint32_t flags = kNone) {
        MoveTo(from, flags);
        Press(from, flags);
        for (int step = 1; step <= 4; ++step) {
            MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4}, flags);
        }
        Release(to, flags);
    }
    void DoubleClick(platform::Point at) {
        Click(at);
        manager->OnLButtonDblClk(kNone, at.x, at.y);
    }
    void RightClick(platform::Point at) { manager->OnRButtonDown(kNone, at.x, at.y); }

    std::vector<CCadElement*> Elements() const { return Collect(manager->elementList); }
    std::vector<CCadElement*> Selected() const { return Collect(manager->selectionList); }
    static std::vector<CCadElement*> Collect(const CDbList<CCadElement*>& list) {
        std::vector<CCadElement*> values;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            values.push_back(node->value);
        }
        return values;
    }
    static std::vector<CFileLine> Segments(const CCadElement* element) {
        std::vector<CFileLine> segments;
        const auto& path = static_cast<const CCadCurve*>(element)->pathList;
        for (auto* node = path.head->next; node != path.head; node = node->next) {
            segments.push_back(node->value);
        }
        return segments;
    }
};

inline void ExpectNear(SDPoint actual, SDPoint expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}
