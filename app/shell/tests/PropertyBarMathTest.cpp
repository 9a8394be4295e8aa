// The property bar's arithmetic for a selection and for edits of its fields.
#include <gtest/gtest.h>

#include "PropertyBarMath.h"

namespace {

constexpr OriginFrame kNoMirror{3, 1000.0, 500.0};
constexpr OriginFrame kMirrorY{0, 1000.0, 500.0};

// A 100 x 40 selection from (10, 20).
const CCadRect kSelection(10.0, 20.0, 100.0, 40.0, 1);

TEST(PropertyBarMathTest, ReferencePointsFollowTheNineCodes) {
    const CCadRect rect(0.0, 0.0, 10.0, 20.0, 1);
    const std::pair<int, SDPoint> cases[] = {
        {1, {0, 20}},  {2, {5, 20}}, {3, {10, 20}}, {4, {0, 10}}, {5, {5, 10}},
        {6, {10, 10}}, {7, {0, 0}},  {8, {5, 0}},   {9, {10, 0}}, {0, {5, 10}},
    };
    for (const auto& [code, point] : cases) {
        EXPECT_EQ(ReferencePoint(rect, code).x, point.x) << code;
        EXPECT_EQ(ReferencePoint(rect, code).y, point.y) << code;
    }
}

TEST(PropertyBarMathTest, OriginCornersMirrorTheirAxes) {
    const CCadRect rect(10.0, 20.0, 30.0, 40.0, 0);
    const struct {
        std::uint16_t corner;
        double x1, y1;
    } cases[] = {{0, 10, 480}, {1, 990, 480}, {2, 990, 20}, {3, 10, 20}};
    for (const auto& c : cases) {
        const CCadRect mirrored = ToOriginFrame(rect, {c.corner, 1000.0, 500.0});
        EXPECT_EQ(mirrored.x1, c.x1) << c.corner;
        EXPECT_EQ(mirrored.y1, c.y1) << c.corner;
    }
}

TEST(PropertyBarMathTest, FieldsRoundTheSizeAndCutThePosition) {
    const CCadRect rect(1.00049, 2.0, 1.23456, 3.0009, 1);
    const PropertyFields fields = FieldsForSelection(rect, kNoMirror, 7, false);
    EXPECT_DOUBLE_EQ(fields.width, 1.235);
    EXPECT_DOUBLE_EQ(fields.height, 3.001);
    EXPECT_DOUBLE_EQ(fields.x, 1.0);  // 1.00049 cut toward zero
    EXPECT_DOUBLE_EQ(fields.y, 2.0);
    EXPECT_EQ(fields.scaleXPercent, 100.0);
    EXPECT_EQ(fields.angleDegrees, 0.0);
}

TEST(PropertyBarMathTest, EditsOfTheFields) {
    struct Case {
        const char* name;
        OriginFrame frame;
        PropertyFields entered;
        PropertyEdit expected;
    };
    const PropertyFields shown = FieldsForSelection(kSelection, kNoMirror, 7, false);
    auto with = [&](auto change, OriginFrame frame = kNoMirror) {
        PropertyFields fields = FieldsForSelection(kSelection, frame, 7, false);
        change(fields);
        return fields;
    };
    const Case cases[] = {
        {"nothing changed", kNoMirror, shown, {0, 0, 1, 1, 0}},
        {"width 50 with the lock",
         kNoMirror,
         with([](auto& f) {
             f.width = 50;
             f.lock = true;
         }),
         {0, 0, 0.5, 0.5, 0}},
        {"width 50 without the lock", kNoMirror, with([](auto& f) { f.width = 50; }), {0, 0, 0.5, 1, 0}},
        {"scale 0 % counts as 100 %", kNoMirror, with([](auto& f) { f.scaleXPercent = 0; }), {0, 0, 1, 1, 0}},
        {"scale 200 % wins over the size",
         kNoMirror,
         with([](auto& f) {
             f.scaleXPercent = 200;
             f.width = 10;
         }),
         {0, 0, 2, 1, 0}},
        {"negative scale acts as positive",
         kNoMirror,
         with([](auto& f) { f.scaleYPercent = -50; }),
         {0, 0, 1, 0.5, 0}},
        {"angle cut to 0.01 degree",
         kNoMirror,
         with([](auto& f) { f.angleDegrees = 12.345; }),
         {0, 0, 1, 1, 12.34}},
        {"x moved", kNoMirror, with([](auto& f) { f.x += 5; }), {5, 0, 1, 1, 0}},
        {"larger Y with y mirrored moves down",
         kMirrorY,
         with([](auto& f) { f.y += 5; }, kMirrorY),
         {0, -5, 1, 1, 0}},
    };
    for (const Case& c : cases) {
        const PropertyEdit edit = EditFromFields(c.entered, kSelection, c.frame);
        EXPECT_NEAR(edit.dx, c.expected.dx, 1e-9) << c.name;
        EXPECT_NEAR(edit.dy, c.expected.dy, 1e-9) << c.name;
        EXPECT_DOUBLE_EQ(edit.fx, c.expected.fx) << c.name;
        EXPECT_DOUBLE_EQ(edit.fy, c.expected.fy) << c.name;
        EXPECT_NEAR(edit.angleDegrees, c.expected.angleDegrees, 1e-12) << c.name;
    }
}

TEST(PropertyBarMathTest, LockedWidthGivesProportionalSize) {
    PropertyFields fields = FieldsForSelection(kSelection, kNoMirror, 5, true);
    fields.width = 50;
    const PropertyEdit edit = EditFromFields(fields, kSelection, kNoMirror);
    EXPECT_DOUBLE_EQ(100.0 * edit.fx, 50.0);
    EXPECT_DOUBLE_EQ(40.0 * edit.fy, 20.0);
}

TEST(PropertyBarMathTest, CutNumberIsAtLeastOne) {
    EXPECT_EQ(CutNumberFromField(-4), 1);
    EXPECT_EQ(CutNumberFromField(0), 1);
    EXPECT_EQ(CutNumberFromField(7), 7);
}

}  // namespace
