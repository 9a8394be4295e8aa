// CCadGroup: forwarding to the children, the rectangle, the deep copy, the group record with every kind of
// child, the refusal of damaged records, and the collection of leaves.
#include "CadGroup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <numbers>

#include "ElementBuilders.h"
#include "RecordBytes.h"
#include "TestView.h"

namespace {

void ExpectRect(const CCadRect& rect, double x1, double y1, double x2, double y2) {
    EXPECT_NEAR(rect.x1, x1, 1e-9);
    EXPECT_NEAR(rect.y1, y1, 1e-9);
    EXPECT_NEAR(rect.x2, x2, 1e-9);
    EXPECT_NEAR(rect.y2, y2, 1e-9);
}

std::vector<std::uint8_t> Bytes(const RecordBytes& record) {
    return record.Bytes();
}

// A group of a text of four glyphs, a point, a 1-bit 8 x 2 bitmap and a nested group of two curves:
// every kind of child a group can hold.
std::unique_ptr<CCadGroup> MakeMixedGroup() {
    auto group = std::make_unique<CCadGroup>();
    group->children.AddTail(MakeText(4).release());
    group->children.AddTail(MakePoint(30, 2).release());
    group->children.AddTail(MakeBitmap(8, 2, {40, 5}).release());
    auto nested = std::make_unique<CCadGroup>();
    nested->children.AddTail(MakeSquare({50, 0}, 2).release());
    nested->children.AddTail(MakeSquare({60, 0}, 2).release());
    nested->CalRect();
    group->children.AddTail(nested.release());
    group->CalRect();
    return group;
}

TEST(CadGroupRecord, MixedTreeStoresLoadsAndStoresAgainToTheSameBytes) {
    const std::unique_ptr<CCadGroup> group = MakeMixedGroup();
    const std::vector<std::uint8_t> stored = StoredBytes(*group);

    CCadGroup loaded;
    platform::Archive archive = platform::Archive::ForLoading(stored);
    loaded.Serialize(archive);
    EXPECT_EQ(archive.Remaining(), 0u);
    EXPECT_EQ(StoredBytes(loaded), stored);

    const std::vector<CCadElement*> children = Children(loaded);
    ASSERT_EQ(children.size(), 4u);
    EXPECT_EQ(children[0]->typeCode, kTextElement);
    EXPECT_EQ(Children(*static_cast<CCadText*>(children[0])).size(), 4u);
    EXPECT_EQ(children[1]->typeCode, kPointElement);
    EXPECT_EQ(children[2]->typeCode, kBitmapElement);
    EXPECT_EQ(static_cast<CCadBitmap*>(children[2])->dib.Layout().width, 8);
    EXPECT_EQ(children[3]->typeCode, kGroupElement);
    EXPECT_EQ(Children(*static_cast<CCadGroup*>(children[3])).size(), 2u);
    ExpectRect(loaded.rect, group->rect.x1, group->rect.y1, group->rect.x2, group->rect.y2);
}

TEST(CadGroupRecord, EmptyGroupIsTheCountZeroAndReadsBackWithTheConstructorRectangle) {
    CCadGroup group;
    EXPECT_EQ(StoredBytes(group), Bytes(RecordBytes().I32(0)));
    CCadGroup loaded;
    platform::Archive archive = RecordBytes().I32(0).ForLoading();
    loaded.Serialize(archive);
    EXPECT_TRUE(loaded.children.IsEmpty());
    ExpectRect(loaded.rect, 0, 0, 100, 100);
}

// An unknown child would make the rest of the record be read as something it is not.
TEST(CadGroupRecord, UnknownChildTypeFailsTheWholeRecordAndLeavesTheGroup) {
    const std::unique_ptr<CCadPoint> point = MakePoint(1, 2);
    for (std::uint16_t badCode : {0, 6, 7}) {
        RecordBytes record;
        record.I32(2).U16(kPointElement);
        for (std::uint8_t byte : StoredBytes(*point)) {
            record.U8(byte);
        }
        record.U16(badCode);
        for (std::uint8_t byte : StoredBytes(*point)) {
            record.U8(byte);
        }
        const std::unique_ptr<CCadGroup> group = MakeMixedGroup();
        const std::vector<std::uint8_t> before = StoredBytes(*group);
        platform::Archive archive = record.ForLoading();
        EXPECT_THROW(group->Serialize(archive), platform::ArchiveError) << badCode;
        EXPECT_EQ(StoredBytes(*group), before) << badCode;
    }
}

TEST(CadGroupRecord, EveryCutOfTheRecordIsRefusedWithTheGroupUnchanged) {
    const std::vector<std::uint8_t> stored = StoredBytes(*MakeMixedGroup());
    CCadGroup target;
    target.children.AddTail(MakePoint(9, 9).release());
    target.CalRect();
    const std::vector<std::uint8_t> before = StoredBytes(target);
    for (std::size_t cut = 0; cut < stored.size(); cut += 7) {
        platform::Archive archive = platform::Archive::ForLoading({stored.begin(), stored.begin() + cut});
        EXPECT_THROW(target.Serialize(archive), platform::ArchiveError) << cut;
    }
    EXPECT_EQ(StoredBytes(target), before);
}

TEST(CadGroupRecord, CountsBeyondTheBytesAndNestingBeyondTheLimitAreRefused) {
    CCadGroup group;
    platform::Archive huge = RecordBytes().I32(0x7FFFFFFF).U16(4).I32(0).ForLoading();
    EXPECT_THROW(group.Serialize(huge), platform::ArchiveError);

    // Each level: count 1, type code 4; the innermost group is empty.
    const auto nested = [](int levels) {
        RecordBytes record;
        for (int level = 0; level < levels; ++level) {
            record.I32(1).U16(kGroupElement);
        }
        return record.I32(0);
    };
    platform::Archive deep = nested(CCadGroup::kMaxNestingDepth + 1).ForLoading();
    EXPECT_THROW(group.Serialize(deep), platform::ArchiveError);
    platform::Archive allowed = nested(CCadGroup::kMaxNestingDepth - 1).ForLoading();
    EXPECT_NO_THROW(group.Serialize(allowed));
    EXPECT_EQ(Children(group).size(), 1u);
}

TEST(CadGroup, RectangleIsTheUnionOfTheChildrenOrExactlyTheOnlyChilds) {
    CCadGroup group;
    group.CalRect();
    ExpectRect(group.rect, 0, 0, 100, 100);
    auto point = MakePoint(5, 5);
    point->rect = CCadRect();
    point->rect.x1 = 7;  // unordered on purpose: a single child's rectangle is taken as it is
    group.children.AddTail(point.release());
    group.CalRect();
    ExpectRect(group.rect, 7, 0, 100, 100);
    group.children.AddTail(MakeSquare({-5, 200}, 1).release());
    group.CalRect();
    ExpectRect(group.rect, -5, 0, 100, 201);
}

TEST(CadGroup, TransformsReachEveryChildAndTheRectangleFollows) {
    const std::unique_ptr<CCadGroup> group = MakeMixedGroup();
    group->TransRotate(0, 0, std::numbers::pi / 2);
    const std::vector<CCadElement*> children = Children(*group);
    const auto* point = static_cast<CCadPoint*>(children[1]);
    EXPECT_NEAR(point->x, -2, 1e-9);
    EXPECT_NEAR(point->y, 30, 1e-9);
    EXPECT_NEAR(group->rect.y2, 62, 1e-9);  // the nested group's far curve now lies up the y axis
    group->TransMove(1, 1);
    EXPECT_NEAR(point->x, -1, 1e-9);
}

TEST(CadGroup, SelectingMarksEveryDescendantAndCurveOperationsLeaveChildren) {
    const std::unique_ptr<CCadGroup> group = MakeMixedGroup();
    group->SetSelect(1);
    const auto* nested = static_cast<CCadGroup*>(Children(*group)[3]);
    EXPECT_EQ(Children(*nested)[1]->GetSelect(), 1);
    EXPECT_EQ(Children(*group)[0]->GetSelect(), 1);

    const std::vector<std::uint8_t> before = StoredBytes(*group);
    group->TransDir();
    group->AutoClose(5.0, 1);
    group->Smooth(0.5, 1, 1);
    EXPECT_EQ(StoredBytes(*group), before);
}

TEST(CadGroup, DrawsWhenTouchingTheViewEdgeAndNeverOutside) {
    CCadGroup group;
    group.children.AddTail(MakeSquare({10, 10}, 10).release());
    group.CalRect();
    for (const auto& [view, drawn] : {std::pair{CCadRect(20, 0, 40, 40, 0), true}, std::pair{CCadRect(20.5, 0, 40, 40, 0), false}}) {
        TestView testView = TestView::Recording();
        group.Draw(&testView.mapDC, &testView.drawDC, view, 0, 0, 0);
        EXPECT_EQ(!testView.Calls().empty(), drawn);
    }
    TestView empty = TestView::Recording();
    CCadGroup none;
    none.Draw(&empty.mapDC, &empty.drawDC, CCadRect(0, 0, 400, 400, 0), 0, 0, 0);
    EXPECT_TRUE(empty.Calls().empty());
    EXPECT_EQ(none.HitTest(50000, 50000, &empty.mapDC), 0);
}

TEST(CadGroup, ExportStopsAtTheFirstChildThatFailsAndAnEmptyGroupSucceeds) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    CCadGroup empty;
    EXPECT_EQ(empty.ExportPlt(file), 1);
    EXPECT_EQ(empty.ExportPlt(nullptr), 0);
    CCadGroup points;
    points.children.AddTail(MakePoint(1, 1).release());
    points.children.AddTail(MakePoint(2, 2).release());
    EXPECT_EQ(points.ExportPlt(file), 1);
    std::rewind(file);
    char text[64] = {};
    EXPECT_EQ(std::string(text, std::fread(text, 1, sizeof text, file)), "PU40 40PD40 40PU80 80PD80 80");
    std::fclose(file);
}

TEST(CadGroupCopy, DeepCopiesMovedByTheOffsetAndRefusesOtherSources) {
    CCadGroup source;
    source.children.AddTail(MakePoint(1, 1).release());
    source.children.AddTail(MakeSquare({0, 0}, 2).release());
    source.children.AddTail(MakeText(2).release());
    source.CalRect();

    CCadGroup copy;
    const std::unique_ptr<CCadCurve> curve = MakeSquare({0, 0}, 1);
    EXPECT_EQ(copy.CopyFrom(curve.get(), 0, 0), 0);
    EXPECT_EQ(copy.CopyFrom(nullptr, 0, 0), 0);
    EXPECT_TRUE(copy.children.IsEmpty());

    ASSERT_EQ(copy.CopyFrom(&source, 5, -2), 1);
    const std::vector<CCadElement*> children = Children(copy);
    ASSERT_EQ(children.size(), 3u);
    EXPECT_NE(children[0], Children(source)[0]);
    EXPECT_DOUBLE_EQ(static_cast<CCadPoint*>(children[0])->x, 6);
    ExpectRect(copy.rect, source.rect.x1 + 5, source.rect.y1 - 2, source.rect.x2 + 5, source.rect.y2 - 2);
}

TEST(CadGroupCopy, AChildThatCannotBeCopiedEmptiesTheGroup) {
    CCadGroup source;
    source.children.AddTail(MakePoint(1, 1).release());
    source.children.AddTail(std::make_unique<CCadBitmap>().release());  // no image: cannot be copied
    CCadGroup copy;
    copy.children.AddTail(MakePoint(3, 3).release());
    EXPECT_EQ(copy.CopyFrom(&source, 0, 0), 0);
    EXPECT_TRUE(copy.children.IsEmpty());
}

TEST(CadGroupLeaves, CollectLeavesGathersTheCurvesDepthFirstAndKeepsThem) {
    CCadGroup group;
    group.children.AddTail(MakeSquare({0, 0}, 1).release());
    group.children.AddTail(MakeBitmap(8, 2, {0, 0}).release());
    group.children.AddTail(MakePoint(0, 0).release());
    auto nested = std::make_unique<CCadGroup>();
    nested->children.AddTail(MakeSquare({10, 0}, 1).release());
    nested->children.AddTail(MakeText(2).release());
    group.children.AddTail(nested.release());

    CDbList<CCadElement*> leaves;
    group.CollectLeaves(leaves);
    const std::vector<CCadElement*> collected = Elements(leaves);
    ASSERT_EQ(collected.size(), 4u);
    EXPECT_EQ(collected[0], Children(group)[0]);
    EXPECT_DOUBLE_EQ(collected[1]->rect.x1, 10);
    EXPECT_EQ(Children(group).size(), 4u);
}

TEST(CadGroupLeaves, CollectLeavesToMovesGlyphsAndOtherLeavesAndEmptiesTheGroup) {
    CCadGroup group;
    group.children.AddTail(MakeText(4).release());
    CCadElement* bitmap = MakeBitmap(8, 2, {0, 0}).release();
    group.children.AddTail(bitmap);

    CDbList<CCadElement*> leaves;
    group.CollectLeavesTo(leaves);
    const std::vector<CCadElement*> moved = Elements(leaves);
    ASSERT_EQ(moved.size(), 5u);
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(moved[index]->typeCode, kCurveElement);
    }
    EXPECT_EQ(moved[4], bitmap);
    EXPECT_TRUE(group.children.IsEmpty());
    for (CCadElement* element : moved) {
        delete element;
    }
}

}  // namespace
