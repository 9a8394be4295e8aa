// A drawing manager and a document of their own for each test, English texts, a recording message sink,
// and helpers that fill the drawing and read it back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CadCurve.h"
#include "CadMgr.h"
#include "CutrixDoc.h"
#include "GeometryTestHelpers.h"
#include "LanguageTexts.h"
#include "RecordingMessageSink.h"
#include "SettingsGlobals.h"

class ShellDocumentFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
    }

    // The square of side `size` at (x, y), closed, in the colour.
    CCadCurve* AddSquare(double x, double y, double size, std::uint32_t color = 0) {
        auto curve = std::make_unique<CCadCurve>();
        cutrix::testing::AddPolyline(curve->pathList,
                                     {{x, y}, {x + size, y}, {x + size, y + size}, {x, y + size}}, true);
        curve->closed = 1;
        curve->color = color;
        curve->CalRect();
        CCadCurve* added = curve.get();
        EXPECT_EQ(manager->AddElement(curve.release()), 1);
        return added;
    }

    // The left edge of every element in drawing order: enough to tell drawings apart.
    std::vector<double> ElementLefts() const {
        std::vector<double> lefts;
        for (auto* node = manager->elementList.head->next; node != manager->elementList.head;
             node = node->next) {
            lefts.push_back(node->value->rect.x1);
        }
        return lefts;
    }

    // 512 layers: too large for the stack.
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    CCutrixDoc doc{*manager};
    platform::RecordingMessageSink messages;
};
