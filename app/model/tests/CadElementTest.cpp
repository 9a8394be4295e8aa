// CCadElement: the base record, the rectangle tests, the combined transform, the repaint step with its
// travel link, and the length conversions.
#include "CadElement.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CadMgr.h"
#include "RecordBytes.h"
#include "RecordingBackend.h"

namespace {

using platform::GdiCallKind;

// An element that writes down which of its virtual operations the base calls.
class ProbeElement : public CCadElement {
  public:
    std::vector<std::string> calls;

    void Draw(platform::DeviceContext*, platform::DeviceContext*, CCadRect, double dx, double dy,
              std::uint16_t mode) override {
        calls.push_back("Draw " + std::to_string(dx) + " " + std::to_string(dy) + " " + std::to_string(mode));
    }
    void DrawPath(platform::DeviceContext*, platform::DeviceContext*, SDPoint*) override {
        calls.push_back("DrawPath");
    }
    void DrawFrame(platform::DeviceContext*, platform::DeviceContext*, CCadRect, int mode) override {
        calls.push_back("DrawFrame " + std::to_string(mode));
    }
    void TransMove(double dx, double dy) override {
        calls.push_back("TransMove " + std::to_string(dx) + " " + std::to_string(dy));
    }
    void TransDrag(double sx, double sy, double px, double py) override {
        calls.push_back("TransDrag " + std::to_string(sx) + " " + std::to_string(sy) + " " +
                        std::to_string(px) + " " + std::to_string(py));
    }
};

CCadRect Rect(double x1, double y1, double x2, double y2) {
    CCadRect rect;
    rect.x1 = x1;
    rect.y1 = y1;
    rect.x2 = x2;
    rect.y2 = y2;
    return rect;
}

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_DOUBLE_EQ(rect.x1, x1);
    EXPECT_DOUBLE_EQ(rect.y1, y1);
    EXPECT_DOUBLE_EQ(rect.x2, x2);
    EXPECT_DOUBLE_EQ(rect.y2, y2);
}

RecordBytes BaseRecordBytes(std::uint16_t type, std::string_view name, std::uint32_t order,
                            std::uint32_t color, const CCadRect& rect) {
    RecordBytes bytes;
    bytes.U16(type).ShortString(name).U32(order).U32(color);
    bytes.F64(rect.x1).F64(rect.x2).F64(rect.y1).F64(rect.y2);
    return bytes;
}

TEST(CadElement, DefaultIsAnUnselectedUnnamedTypeOneElementOfHundredMillimetres) {
    const CCadElement element;
    EXPECT_EQ(element.typeCode, kCurveElement);
    ExpectRect(element.rect, 0, 0, 100, 100);
    EXPECT_EQ(element.GetSelect(), 0);
    EXPECT_TRUE(element.name.empty());
    EXPECT_EQ(element.layer, nullptr);
}

TEST(CadElementRecord, StoresTheRectangleAsX1X2Y1Y2AfterNameOrderAndColour) {
    CCadElement element;
    element.name = "Ring";
    element.orderNumber = 7;
    element.color = 0x00123456;
    element.rect = Rect(1.5, 2.5, 3.5, 4.5);
    EXPECT_EQ(StoredBytes(element), BaseRecordBytes(1, "Ring", 7, 0x00123456, element.rect).Bytes());
}

TEST(CadElementRecord, WithAnEmptyNameTakesFortyThreeBytes) {
    CCadElement element;
    EXPECT_EQ(StoredBytes(element).size(), 43u);
}

TEST(CadElementRecord, LoadingFillsTheFieldsAndClearsTheSelection) {
    CCadElement element;
    element.SetSelect(1);
    platform::Archive archive = BaseRecordBytes(1, "Part", 3, 0xFF, Rect(5, 6, 7, 8)).ForLoading();
    element.Serialize(archive);
    EXPECT_EQ(element.name, "Part");
    EXPECT_EQ(element.orderNumber, 3u);
    EXPECT_EQ(element.color, 0xFFu);
    ExpectRect(element.rect, 5, 6, 7, 8);
    EXPECT_EQ(element.GetSelect(), 0);
    EXPECT_EQ(archive.Remaining(), 0u);
}

// A record's stored type must be the type of the element created for it, else the element would be
// deleted or cast as a class it is not.
TEST(CadElementRecord, RecordOfAnotherElementTypeIsRefused) {
    CCadElement element;
    element.name = "kept";
    platform::Archive archive = BaseRecordBytes(kPointElement, "point", 2, 0, Rect(1, 1, 2, 2)).ForLoading();
    EXPECT_THROW(element.Serialize(archive), platform::ArchiveError);
    EXPECT_EQ(element.typeCode, kCurveElement);
    EXPECT_EQ(element.name, "kept");
}

TEST(CadElementRecord, TruncatedRecordFailsAndLeavesTheElementUnchanged) {
    const std::vector<std::uint8_t> full = BaseRecordBytes(1, "Part", 3, 0xFF, Rect(5, 6, 7, 8)).Bytes();
    for (std::size_t length = 0; length < full.size(); ++length) {
        CCadElement element;
        element.SetSelect(1);
        platform::Archive archive =
            platform::Archive::ForLoading(std::vector<std::uint8_t>(full.begin(), full.begin() + length));
        EXPECT_THROW(element.Serialize(archive), platform::ArchiveError) << length;
        EXPECT_TRUE(element.name.empty());
        EXPECT_EQ(element.GetSelect(), 1);
        ExpectRect(element.rect, 0, 0, 100, 100);
    }
}

TEST(CadElementRecord, NonFiniteRectangleIsRefused) {
    CCadElement element;
    platform::Archive archive = BaseRecordBytes(1, "", 1, 0, Rect(0, 0, NAN, 1)).ForLoading();
    EXPECT_THROW(element.Serialize(archive), platform::ArchiveError);
    ExpectRect(element.rect, 0, 0, 100, 100);
}

TEST(CadElementHitTest, EdgesHitAndATenthOfAMicronOutsideMisses) {
    CCadElement element;
    element.rect = Rect(10, 20, 30, 40);
    // Points in logical units of 0.001 mm.
    EXPECT_EQ(element.HitTest(10000, 20000, nullptr), 1);
    EXPECT_EQ(element.HitTest(30000, 40000, nullptr), 1);
    EXPECT_EQ(element.HitTest(30000.1, 30000, nullptr), 0);
    EXPECT_EQ(element.HitTest(20000, 19999.9, nullptr), 0);
}

TEST(CadElementHitTest, NormalisesTheStoredRectangle) {
    CCadElement element;
    element.rect = Rect(30, 40, 10, 20);
    EXPECT_EQ(element.HitTest(15000, 25000, nullptr), 1);
    ExpectRect(element.rect, 10, 20, 30, 40);
}

TEST(CadElementIsInRect, AllowsAMicronOfOverhangOnEachSide) {
    struct Case {
        const char* name;
        CCadRect element;
        int inside;
    };
    const CCadRect area = Rect(0, 0, 10, 10);
    const Case cases[] = {
        {"well inside", Rect(1, 1, 9, 9), 1},
        {"one micron over on the right", Rect(1, 1, 10.001, 9), 1},
        {"one micron over at the bottom", Rect(1, -0.001, 9, 9), 1},
        {"two microns over on the right", Rect(1, 1, 10.002, 9), 0},
        {"two microns over on the left", Rect(-0.002, 1, 9, 9), 0},
        {"stored reversed, inside", Rect(9, 9, 1, 1), 1},
        {"wholly outside", Rect(20, 20, 30, 30), 0},
    };
    for (const Case& c : cases) {
        CCadElement element;
        element.rect = c.element;
        EXPECT_EQ(element.IsInRect(area), c.inside) << c.name;
    }
}

TEST(CadElementIsInRect, LeavesAReversedRectangleAsStored) {
    CCadElement element;
    element.rect = Rect(9, 9, 1, 1);
    element.IsInRect(Rect(0, 0, 10, 10));
    ExpectRect(element.rect, 9, 9, 1, 1);
}

TEST(CadElementTransform, MovesThenScalesUnlessBothFactorsAreOne) {
    ProbeElement moveOnly;
    moveOnly.Transform(1, 2, 5, 6, 1.0, 1.0);
    EXPECT_EQ(moveOnly.calls, (std::vector<std::string>{"TransMove 1.000000 2.000000"}));

    ProbeElement moveAndScale;
    moveAndScale.Transform(1, 2, 5, 6, 1.0, 2.0);
    EXPECT_EQ(moveAndScale.calls,
              (std::vector<std::string>{"TransMove 1.000000 2.000000",
                                        "TransDrag 1.000000 2.000000 5.000000 6.000000"}));
}

TEST(CadElement, BaseCopyAndPltExportDoNothing) {
    CCadElement element;
    const CCadElement source;
    EXPECT_EQ(element.CopyFrom(&source, 1, 1), 1);
    ExpectRect(element.rect, 0, 0, 100, 100);
    EXPECT_EQ(element.ExportPlt(nullptr), 0);
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(element.ExportPlt(file), 1);
    std::fclose(file);
}

// Restores the display switches after each test.
class PaintSwitches : public ::testing::Test {
  protected:
    ~PaintSwitches() override {
        ShowPathOn = 0;
        NodeEditOn = 0;
        CutPickOn = 0;
    }
};

TEST_F(PaintSwitches, PaintDrawsThenLinksThenFramesBySwitch) {
    struct Case {
        int showPath, nodeEdit, cutPick, selected;
        std::vector<std::string> expected;
    };
    const std::string draw = "Draw 0.000000 0.000000 0";
    const Case cases[] = {
        {0, 0, 0, 0, {draw}},
        {1, 0, 0, 0, {draw, "DrawPath"}},
        {0, 1, 1, 0, {draw}},
        {0, 1, 1, 1, {draw, "DrawFrame 1"}},
        {0, 0, 1, 1, {draw, "DrawFrame 0"}},
        {1, 0, 0, 1, {draw, "DrawPath"}},
    };
    for (const Case& c : cases) {
        ShowPathOn = c.showPath;
        NodeEditOn = c.nodeEdit;
        CutPickOn = c.cutPick;
        ProbeElement element;
        element.SetSelect(c.selected);
        SDPoint last;
        element.Paint(nullptr, nullptr, &last, CCadRect());
        EXPECT_EQ(element.calls, c.expected) << c.showPath << c.nodeEdit << c.cutPick << c.selected;
    }
}

// A mapping context of 10 device pixels per millimetre with y up, origin at pixel (0, 500), and a
// recording context to draw into.
class PathLink : public ::testing::Test {
  protected:
    PathLink()
        : mapDC_(std::make_unique<platform::RecordingBackend>(platform::Size{1000, 1000})),
          drawDC_(std::make_unique<platform::RecordingBackend>(platform::Size{1000, 1000})) {
        mapDC_.SetMapMode(platform::MapMode::Anisotropic);
        mapDC_.SetWindowExt(1000, 1000);
        mapDC_.SetViewportExt(10, -10);
        mapDC_.SetViewportOrg(0, 500);
    }

    const std::vector<platform::GdiCall>& Calls() {
        return static_cast<const platform::RecordingBackend&>(drawDC_.Backend()).Calls();
    }

    platform::DeviceContext mapDC_;
    platform::DeviceContext drawDC_;
};

TEST_F(PathLink, DrawsADottedLinkToTheCentreWithARedArrowHeadAndMovesTheLastPoint) {
    CCadElement element;
    element.rect = Rect(10, 10, 30, 30);  // centre (20, 20)
    SDPoint last{0, 0};
    element.DrawPath(&mapDC_, &drawDC_, &last);

    const auto& calls = Calls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, GdiCallKind::MoveTo);
    EXPECT_EQ(calls[0].points[0], (platform::Point{0, 500}));
    EXPECT_EQ(calls[1].kind, GdiCallKind::LineTo);
    EXPECT_EQ(calls[1].points[1], (platform::Point{200, 300}));
    EXPECT_EQ(calls[1].state.pen, platform::Pen::Styled(platform::PenStyle::Dot, 1, 0xFF8000));
    // The arrow head's lines meet at the middle of the link, in red, and its wings trail behind the tip
    // (toward the last point), so that it points the way the head travels.
    ASSERT_GT(calls.size(), 2u);
    bool arrowAtMiddle = false;
    for (std::size_t index = 2; index < calls.size(); ++index) {
        if (calls[index].kind == GdiCallKind::LineTo) {
            EXPECT_EQ(calls[index].state.pen.color, 0x0000FFu);
            arrowAtMiddle = arrowAtMiddle || calls[index].points[1] == platform::Point{100, 400};
        }
        for (const platform::Point& point : calls[index].points) {
            EXPECT_LE(point.x, 100);
            EXPECT_GE(point.y, 400);
        }
    }
    EXPECT_TRUE(arrowAtMiddle);
    EXPECT_DOUBLE_EQ(last.x, 20);
    EXPECT_DOUBLE_EQ(last.y, 20);
    EXPECT_EQ(drawDC_.CurrentPen(), platform::Pen{});
}

TEST_F(PathLink, ElementCentredOnTheLastPointDrawsNoArrowHead) {
    CCadElement element;
    element.rect = Rect(10, 10, 30, 30);
    SDPoint last{20, 20};
    element.DrawPath(&mapDC_, &drawDC_, &last);
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1].points[0], Calls()[1].points[1]);
    EXPECT_DOUBLE_EQ(last.x, 20);
    EXPECT_DOUBLE_EQ(last.y, 20);
}

TEST_F(PathLink, LengthsConvertThroughTheMappingAndZeroStaysZero) {
    EXPECT_EQ(CCadElement::LengthLPtoDP(&mapDC_, 0), 0);
    EXPECT_EQ(CCadElement::LengthLPtoDP(&mapDC_, 1000), 10);
    EXPECT_EQ(CCadElement::LengthDPtoLP(&mapDC_, 4), 400);
    EXPECT_EQ(CCadElement::LengthDPtoLP(nullptr, 4), 0);
}

}  // namespace
