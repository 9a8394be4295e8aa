#include "MyCurve.h"

#include <gtest/gtest.h>

#include "CurveTestHelpers.h"

namespace {

using namespace shapecore_test;

// option, paramA with its points, paramB without, colour, highlight, count.
constexpr std::size_t kHeaderBytes = 4 + 82 + 50 + 12;

void FillSample(CMyCurve& curve) {
    curve.option = 7;
    curve.paramA.kind = 2;
    curve.paramA.flag1 = 0x0102;
    curve.paramA.flag3 = 9;
    curve.paramA.length1 = 1.5;
    curve.paramA.angle = 45;
    curve.paramA.point1 = {1, 2};
    curve.paramA.point2 = {3, 4};
    curve.paramB.kind = -1;
    curve.paramB.value2 = 0.25;
    curve.paramB.point1 = {8, 8};  // not stored
    curve.colour = 0xFF;
    curve.highlight = 1;
    curve.segments.AddTail(CLineEx(0, 0, 10, 0));
    curve.segments.AddTail(CLineEx(SDPoint{10, 0}, SDPoint{0, 0}, SDPoint{10, 5}, SDPoint{0, 5}));
    curve.CalRect();
}

TEST(MyCurveTest, DefaultsOfTheParameterBlocks) {
    CMyCurve curve;
    EXPECT_EQ(curve.option, 1);
    EXPECT_EQ(curve.combined, 0);
    EXPECT_EQ(curve.reserved2, 0);
    EXPECT_EQ(curve.colour, 0xFFFFFFu);
    for (const CurveParamBlock* block : {&curve.paramA, &curve.paramB}) {
        EXPECT_EQ(block->kind, 0);
        EXPECT_EQ(block->length1, 5.0);
        EXPECT_EQ(block->length2, 5.0);
        EXPECT_EQ(block->angle, 90.0);
    }
}

TEST(MyCurveTest, StoredRecordLayout) {
    CMyCurve curve;
    FillSample(curve);
    const auto bytes = Stored(curve);
    ASSERT_EQ(bytes.size(), kHeaderBytes + 2 * 66);
    EXPECT_EQ(I32At(bytes, 0), 7);
    EXPECT_EQ(I32At(bytes, 4), 2);
    EXPECT_EQ(U16At(bytes, 8), 0x0102);
    EXPECT_EQ(U16At(bytes, 12), 9);
    EXPECT_EQ(DoubleAt(bytes, 14), 1.5);    // length1
    EXPECT_EQ(DoubleAt(bytes, 30), 5.0);    // length2
    EXPECT_EQ(DoubleAt(bytes, 46), 45);     // angle
    EXPECT_EQ(DoubleAt(bytes, 54), 1);      // point1
    EXPECT_EQ(DoubleAt(bytes, 78), 4);      // point2.y
    EXPECT_EQ(I32At(bytes, 86), -1);        // paramB, without its points
    EXPECT_EQ(DoubleAt(bytes, 120), 0.25);  // value2
    EXPECT_EQ(DoubleAt(bytes, 128), 90);    // angle
    EXPECT_EQ(I32At(bytes, 136), 0xFF);
    EXPECT_EQ(I32At(bytes, 140), 1);
    EXPECT_EQ(I32At(bytes, 144), 2);
    EXPECT_EQ(U16At(bytes, kHeaderBytes + 66), 3);
}

TEST(MyCurveTest, RoundTripIsByteExact) {
    CMyCurve curve;
    FillSample(curve);
    const auto bytes = Stored(curve);
    CMyCurve loaded;
    LoadFrom(loaded, bytes);
    EXPECT_EQ(Stored(loaded), bytes);
    EXPECT_EQ(loaded.paramB.point1.x, 0);  // not stored, so not loaded
    EXPECT_DOUBLE_EQ(loaded.rect.x2, 10);
    EXPECT_EQ(loaded.segments.GetCount(), 2);
}

TEST(MyCurveTest, TruncatedRecordFailsCleanly) {
    CMyCurve curve;
    FillSample(curve);
    const auto bytes = Stored(curve);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        CMyCurve target;
        EXPECT_THROW(LoadFrom(target, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + length)),
                     platform::ArchiveError)
            << length;
        EXPECT_EQ(target.option, 1);
        EXPECT_EQ(target.paramA.kind, 0);
        EXPECT_TRUE(target.segments.IsEmpty());
    }
}

TEST(MyCurveTest, CloneCopiesParametersButNotHighlight) {
    CMyCurve curve;
    FillSample(curve);
    curve.reserved1 = 4;
    curve.reserved2 = 5;
    curve.combined = 1;
    auto copy = curve.Clone();
    auto* clone = dynamic_cast<CMyCurve*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->option, 7);
    EXPECT_EQ(clone->paramA.point2.y, 4);
    EXPECT_EQ(clone->paramB.point1.x, 8);
    EXPECT_EQ(clone->reserved1, 4);
    EXPECT_EQ(clone->reserved2, 0);
    EXPECT_EQ(clone->combined, 1);
    EXPECT_EQ(clone->highlight, 0);
    EXPECT_EQ(clone->colour, 0xFFu);
    EXPECT_EQ(clone->segments.GetCount(), 2);
}

TEST(MyCurveTest, DeletedThroughTheBase) {
    auto curve = std::make_unique<CMyCurve>();
    FillSample(*curve);
    std::unique_ptr<CElement> element = std::move(curve);
    EXPECT_EQ(element->CalRect().x2, 10);
}

}  // namespace
