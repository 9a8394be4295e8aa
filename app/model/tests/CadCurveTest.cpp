// CCadCurve: defaults, the curve record byte for byte, bounded loading, the rectangle and the copy.
#include "CadCurve.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "GeometryTestHelpers.h"
#include "RecordBytes.h"

namespace {

using cutrix::testing::Bezier;
using cutrix::testing::Line;

RecordBytes SegmentBytes(const CFileLine& s) {
    RecordBytes bytes;
    bytes.U16(s.type).U16(s.attr1).U16(s.attr2);
    for (SDPoint point : {s.start, s.end, s.ctrl1, s.ctrl2}) {
        bytes.F64(point.x).F64(point.y);
    }
    bytes.U16(s.startJoint).U16(s.endJoint);
    return bytes;
}

RecordBytes LeadBytes(const CCutInOutPara& lead) {
    RecordBytes bytes;
    bytes.I32(lead.enabled).U16(lead.kind).U16(lead.lineMode).U16(lead.side);
    bytes.F64(lead.length).F64(lead.angle).F64(lead.radius).F64(lead.arcStartAngle).F64(lead.arcEndAngle);
    bytes.F64(lead.leadPoint.x).F64(lead.leadPoint.y).F64(lead.arcCentre.x).F64(lead.arcCentre.y);
    return bytes;
}

RecordBytes BaseBytes(const CCadElement& element, const CCadRect& rect) {
    RecordBytes bytes;
    bytes.U16(element.typeCode).ShortString(element.name).U32(element.orderNumber).U32(element.color);
    bytes.F64(rect.x1).F64(rect.x2).F64(rect.y1).F64(rect.y2);
    return bytes;
}

CCutInOutPara Lead(std::int32_t enabled, std::uint16_t kind, std::uint16_t side, double base) {
    CCutInOutPara lead;
    lead.enabled = enabled;
    lead.kind = kind;
    lead.lineMode = 1;
    lead.side = side;
    lead.length = base + 0.5;
    lead.angle = base + 1.5;
    lead.leadPoint = {base + 2.5, base + 3.5};
    lead.arcCentre = {base + 4.5, base + 5.5};
    lead.radius = base + 6.5;
    lead.arcStartAngle = base + 7.5;
    lead.arcEndAngle = base + 8.5;
    return lead;
}

void ExpectSameLead(const CCutInOutPara& a, const CCutInOutPara& b) {
    EXPECT_EQ(LeadBytes(a).Bytes(), LeadBytes(b).Bytes());
}

std::vector<CFileLine> Segments(CCadCurve& curve) {
    std::vector<CFileLine> segments;
    for (int more = curve.pathList.MoveFirst(); more != 0; more = curve.pathList.MoveNext()) {
        segments.push_back(curve.pathList.cursor->value);
    }
    return segments;
}

// A closed curve of a line, a Bezier and a line, with both leads set:
//
//   (0,10) +------+ (10,10)
//           \     )   <- Bezier bulging right
//            \    )
//   (0,0)  +------+ (10,0)
class ThreeSegmentCurve : public ::testing::Test {
  protected:
    ThreeSegmentCurve() {
        CFileLine first = Line({0, 0}, {10, 0});
        first.attr1 = 7;
        first.attr2 = 9;
        CFileLine second = Bezier({10, 0}, {13, 3}, {13, 7}, {10, 10});
        second.startJoint = CFileLine::kJointSmooth;
        second.endJoint = CFileLine::kJointSymmetric;
        CFileLine third = Line({10, 10}, {0, 0});
        third.nodeSelected = 1;
        segments_ = {first, second, third};

        curve_.name = "Cut";
        curve_.orderNumber = 4;
        curve_.color = 0x0000FF;
        curve_.closed = 1;
        for (const CFileLine& segment : segments_) {
            curve_.pathList.AddTail(segment);
        }
        curve_.CalRect();
        curve_.leadIn = Lead(1, 1, 1, 10);
        curve_.leadOut = Lead(1, 0, 0, 20);
    }

    RecordBytes ExpectedRecord() const {
        RecordBytes bytes = BaseBytes(curve_, curve_.rect);
        bytes.I32(1).I32(3);
        for (CFileLine segment : segments_) {
            bytes.Append(SegmentBytes(segment));
        }
        bytes.Append(LeadBytes(curve_.leadIn)).Append(LeadBytes(curve_.leadOut));
        return bytes;
    }

    std::vector<CFileLine> segments_;
    CCadCurve curve_;
};

TEST(CadCurve, NewCurveIsAnEmptyOpenTypeOneCurveWithFiveMillimetreLeads) {
    const CCadCurve curve;
    EXPECT_EQ(curve.typeCode, kCurveElement);
    EXPECT_EQ(curve.orderNumber, 1u);
    EXPECT_EQ(curve.closed, 0);
    EXPECT_EQ(curve.GetSelect(), 0);
    EXPECT_EQ(curve.layer, nullptr);
    EXPECT_TRUE(curve.pathList.IsEmpty() && curve.smoothList.IsEmpty() && curve.spareList.IsEmpty());
    for (const CCutInOutPara& lead : {curve.leadIn, curve.leadOut}) {
        EXPECT_EQ(lead.enabled, 0);
        EXPECT_EQ(lead.kind, 0);
        EXPECT_DOUBLE_EQ(lead.length, 5.0);
        EXPECT_DOUBLE_EQ(lead.radius, 5.0);
        EXPECT_DOUBLE_EQ(lead.arcStartAngle, 0.0);
        EXPECT_DOUBLE_EQ(lead.arcEndAngle, 90.0);
    }
}

TEST_F(ThreeSegmentCurve, StoresTheBaseRecordAndThreeHundredNinetyFourBytesOfItsOwn) {
    const std::vector<std::uint8_t> stored = StoredBytes(curve_);
    EXPECT_EQ(stored, ExpectedRecord().Bytes());
    EXPECT_EQ(stored.size(), 43u + 3u /* the name "Cut" */ + 394u);
}

TEST_F(ThreeSegmentCurve, ReadsBackEverySegmentAndBothLeadsWithNodeSelectionCleared) {
    CCadCurve loaded;
    platform::Archive archive = ExpectedRecord().ForLoading();
    loaded.Serialize(archive);
    EXPECT_EQ(archive.Remaining(), 0u);

    EXPECT_EQ(loaded.name, "Cut");
    EXPECT_EQ(loaded.orderNumber, 4u);
    EXPECT_EQ(loaded.color, 0x0000FFu);
    EXPECT_EQ(loaded.closed, 1);
    const std::vector<CFileLine> segments = Segments(loaded);
    ASSERT_EQ(segments.size(), 3u);
    for (std::size_t index = 0; index < segments.size(); ++index) {
        EXPECT_EQ(SegmentBytes(segments[index]).Bytes(), SegmentBytes(segments_[index]).Bytes()) << index;
        EXPECT_EQ(segments[index].nodeSelected, 0) << index;
    }
    ExpectSameLead(loaded.leadIn, curve_.leadIn);
    ExpectSameLead(loaded.leadOut, curve_.leadOut);
    EXPECT_EQ(StoredBytes(loaded), ExpectedRecord().Bytes());
}

TEST_F(ThreeSegmentCurve, ReadingTakesTheRectangleOfTheSegmentsOverTheStoredOne) {
    RecordBytes bytes = BaseBytes(curve_, CCadRect(-50, -50, 99, 99, 0));
    bytes.I32(1).I32(3);
    for (CFileLine segment : segments_) {
        bytes.Append(SegmentBytes(segment));
    }
    bytes.Append(LeadBytes(curve_.leadIn)).Append(LeadBytes(curve_.leadOut));
    CCadCurve loaded;
    platform::Archive archive = bytes.ForLoading();
    loaded.Serialize(archive);
    EXPECT_DOUBLE_EQ(loaded.rect.x1, 0.0);
    EXPECT_DOUBLE_EQ(loaded.rect.y1, 0.0);
    EXPECT_GT(loaded.rect.x2, 10.0);  // the Bezier bulges beyond x = 10
    EXPECT_LT(loaded.rect.x2, 13.0);
    EXPECT_DOUBLE_EQ(loaded.rect.y2, 10.0);
}

TEST(CadCurveRecord, EmptyCurveStoresCountZeroAndBothLeadBlocks) {
    CCadCurve curve;
    curve.leadOut = Lead(1, 1, 0, 3);
    RecordBytes expected = BaseBytes(curve, curve.rect);
    expected.I32(0).I32(0).Append(LeadBytes(curve.leadIn)).Append(LeadBytes(curve.leadOut));
    EXPECT_EQ(StoredBytes(curve), expected.Bytes());

    CCadCurve loaded;
    platform::Archive archive = expected.ForLoading();
    loaded.Serialize(archive);
    EXPECT_TRUE(loaded.pathList.IsEmpty());
    ExpectSameLead(loaded.leadOut, curve.leadOut);
}

TEST(CadCurveRecord, NegativeSegmentCountReadsNoSegment) {
    CCadCurve curve;
    RecordBytes bytes = BaseBytes(curve, curve.rect);
    bytes.I32(0).I32(-5).Append(LeadBytes(curve.leadIn)).Append(LeadBytes(curve.leadOut));
    platform::Archive archive = bytes.ForLoading();
    curve.Serialize(archive);
    EXPECT_TRUE(curve.pathList.IsEmpty());
    EXPECT_EQ(archive.Remaining(), 0u);
}

// A count is trusted only as far as the bytes that remain can hold its segments; a damaged count fails
// the load before anything is allocated.
TEST(CadCurveRecord, SegmentCountBeyondTheRemainingBytesFailsCleanly) {
    for (std::int32_t count : {2, 1000, 0x7FFFFFFF}) {
        CCadCurve curve;
        curve.pathList.AddTail(Line({0, 0}, {1, 1}));
        RecordBytes bytes = BaseBytes(curve, curve.rect);
        bytes.I32(0).I32(count).Append(SegmentBytes(Line({0, 0}, {5, 5})));
        platform::Archive archive = bytes.ForLoading();
        EXPECT_THROW(curve.Serialize(archive), platform::ArchiveError) << count;
        ASSERT_EQ(Segments(curve).size(), 1u);
        EXPECT_DOUBLE_EQ(Segments(curve)[0].end.x, 1.0);
    }
}

TEST_F(ThreeSegmentCurve, TruncatedRecordFailsAndLeavesTheCurveUnchanged) {
    const std::vector<std::uint8_t> full = ExpectedRecord().Bytes();
    for (std::size_t length = 0; length < full.size(); length += 5) {
        CCadCurve curve;
        curve.pathList.AddTail(Line({0, 0}, {1, 1}));
        platform::Archive archive =
            platform::Archive::ForLoading(std::vector<std::uint8_t>(full.begin(), full.begin() + length));
        EXPECT_THROW(curve.Serialize(archive), platform::ArchiveError) << length;
        EXPECT_EQ(Segments(curve).size(), 1u);
        EXPECT_EQ(curve.closed, 0);
        EXPECT_TRUE(curve.name.empty());
    }
}

TEST(CadCurveRecord, NonFiniteLeadValueIsRefused) {
    CCadCurve curve;
    CCutInOutPara damaged = curve.leadIn;
    damaged.radius = INFINITY;
    RecordBytes bytes = BaseBytes(curve, curve.rect);
    bytes.I32(0).I32(0).Append(LeadBytes(damaged)).Append(LeadBytes(curve.leadOut));
    platform::Archive archive = bytes.ForLoading();
    EXPECT_THROW(curve.Serialize(archive), platform::ArchiveError);
    EXPECT_DOUBLE_EQ(curve.leadIn.radius, 5.0);
}

TEST(CadCurve, CalRectOfAnEmptyPathKeepsTheRectangle) {
    CCadCurve curve;
    curve.rect = CCadRect(1, 2, 3, 4, 0);
    curve.CalRect();
    EXPECT_DOUBLE_EQ(curve.rect.x1, 1);
    EXPECT_DOUBLE_EQ(curve.rect.y2, 4);
}

// An element that only claims another type, or claims the curve's type without being one.
class OtherElement : public CCadElement {
  public:
    explicit OtherElement(std::uint16_t type) : CCadElement(type) {}
};

TEST(CadCurveCopy, RefusesNoSourceAndElementsThatAreNotCurves) {
    CCadCurve curve;
    curve.pathList.AddTail(Line({0, 0}, {1, 0}));
    const OtherElement point(kPointElement);
    const OtherElement bitmap(kBitmapElement);
    const OtherElement pretender(kCurveElement);
    EXPECT_EQ(curve.CopyFrom(nullptr, 0, 0), 0);
    EXPECT_EQ(curve.CopyFrom(&point, 0, 0), 0);
    EXPECT_EQ(curve.CopyFrom(&bitmap, 0, 0), 0);
    EXPECT_EQ(curve.CopyFrom(&pretender, 0, 0), 0);
    EXPECT_EQ(Segments(curve).size(), 1u);
}

// A pasted, arrayed or expanded copy is cut as its original: its leads come along, moved with the path.
TEST_F(ThreeSegmentCurve, CopyTakesPathRectangleAndLeadsMovedButKeepsItsName) {
    CCadCurve copy;
    copy.name = "Copy";
    copy.leadIn = Lead(0, 1, 1, 50);
    curve_.workFlag = 1;
    ASSERT_EQ(copy.CopyFrom(&curve_, 2.0, -1.0), 1);

    const std::vector<CFileLine> segments = Segments(copy);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_DOUBLE_EQ(segments[1].ctrl1.x, 15.0);
    EXPECT_DOUBLE_EQ(segments[1].ctrl1.y, 2.0);
    EXPECT_DOUBLE_EQ(segments[2].end.x, 2.0);
    EXPECT_DOUBLE_EQ(copy.rect.x1, curve_.rect.x1 + 2.0);
    EXPECT_DOUBLE_EQ(copy.rect.y2, curve_.rect.y2 - 1.0);
    EXPECT_EQ(copy.closed, 1);
    EXPECT_EQ(copy.color, curve_.color);
    EXPECT_EQ(copy.workFlag, 1);
    EXPECT_EQ(copy.name, "Copy");
    EXPECT_EQ(copy.orderNumber, 1u);
    CCutInOutPara movedLeadIn = curve_.leadIn;
    movedLeadIn.leadPoint = {curve_.leadIn.leadPoint.x + 2.0, curve_.leadIn.leadPoint.y - 1.0};
    movedLeadIn.arcCentre = {curve_.leadIn.arcCentre.x + 2.0, curve_.leadIn.arcCentre.y - 1.0};
    ExpectSameLead(copy.leadIn, movedLeadIn);
    EXPECT_EQ(copy.leadOut.enabled, 1);
    EXPECT_DOUBLE_EQ(copy.leadOut.leadPoint.x, curve_.leadOut.leadPoint.x + 2.0);
    EXPECT_EQ(Segments(curve_).size(), 3u);
}

TEST_F(ThreeSegmentCurve, CopyOntoItselfKeepsItsSegments) {
    ASSERT_EQ(curve_.CopyFrom(&curve_, 1.0, 0.0), 1);
    const std::vector<CFileLine> segments = Segments(curve_);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_DOUBLE_EQ(segments[0].start.x, 1.0);
}

TEST_F(ThreeSegmentCurve, DeletedThroughTheBasePointerFreesItsLists) {
    std::unique_ptr<CCadElement> element = std::make_unique<CCadCurve>();
    auto* curve = static_cast<CCadCurve*>(element.get());
    curve->CopyFrom(&curve_, 0, 0);
    curve->smoothList.AddTail(Line({0, 0}, {1, 1}));
    curve->spareList.AddTail(Line({0, 0}, {1, 1}));
    element.reset();  // the leak checker reports any node left behind
}

}  // namespace
