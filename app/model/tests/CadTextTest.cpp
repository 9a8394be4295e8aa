// CCadText: defaults, the glyph matrix through the transforms, applying it, the copy, the glyph curves and
// the text record.
#include "CadText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "ElementBuilders.h"
#include "RecordBytes.h"

namespace {

void ExpectMatrix(const CCadText::GlyphMatrix& matrix, double a, double b, double c, double d) {
    EXPECT_NEAR(matrix.a, a, 1e-12);
    EXPECT_NEAR(matrix.b, b, 1e-12);
    EXPECT_NEAR(matrix.c, c, 1e-12);
    EXPECT_NEAR(matrix.d, d, 1e-12);
}

TEST(CadText, NewTextHasTheDefaultParametersAndTheIdentity) {
    CCadText text;
    EXPECT_EQ(text.typeCode, kTextElement);
    EXPECT_EQ(text.color, 0xFFFFFFu);
    EXPECT_EQ(text.textParam, CTextParam{});
    EXPECT_EQ(text.textParam.trueTypeFont, "Tahoma");
    EXPECT_EQ(text.glyphMatrix, CCadText::GlyphMatrix{});
}

TEST(CadText, MatrixFollowsTheLinearPartOfEveryTransform) {
    struct Case {
        const char* name;
        void (*apply)(CCadText&);
        CCadText::GlyphMatrix expected;
    };
    const double t = 0.4;
    const Case cases[] = {
        {"move", [](CCadText& x) { x.TransMove(3, 4); }, {1, 0, 0, 1}},
        {"scale", [](CCadText& x) { x.TransDrag(2, 3, 7, 7); }, {2, 0, 0, 3}},
        {"rotate", [](CCadText& x) { x.TransRotate(5, 5, 0.4); }, {std::cos(t), -std::sin(t), std::sin(t), std::cos(t)}},
        {"skew", [](CCadText& x) { x.TransSkew(5, 5, 0.4, 0); }, {1, -std::tan(t), 0, 1}},
        {"mirror x", [](CCadText& x) { x.XMirror(2); }, {-1, 0, 0, 1}},
        {"mirror y", [](CCadText& x) { x.YMirror(2); }, {1, 0, 0, -1}},
        {"rotate there and back",
         [](CCadText& x) {
             x.TransRotate(1, 2, std::numbers::pi / 2);
             x.TransRotate(-3, 8, -std::numbers::pi / 2);
         },
         {1, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadText> text = MakeText(2);
        c.apply(*text);
        SCOPED_TRACE(c.name);
        ExpectMatrix(text->glyphMatrix, c.expected.a, c.expected.b, c.expected.c, c.expected.d);
    }
}

TEST(CadText, MirroringTwiceRestoresTheMatrixExactlyAndMovingShiftsTheGlyphs) {
    const std::unique_ptr<CCadText> text = MakeText(2);
    text->XMirror(3);
    text->XMirror(-8);
    EXPECT_EQ(text->glyphMatrix, CCadText::GlyphMatrix{});
    const std::unique_ptr<CCadText> moved = MakeText(2);
    moved->TransMove(10, 0);
    EXPECT_DOUBLE_EQ(moved->rect.x1, 10);
    EXPECT_DOUBLE_EQ(Children(*moved)[0]->rect.x1, 10);
}

TEST(CadText, ApplyMatrixMapsTheGlyphsAboutTheOriginAndLeavesTheRectangle) {
    const std::unique_ptr<CCadText> text = MakeText(2);
    const CCadRect before = text->rect;
    text->ApplyMatrix();  // the identity changes nothing
    EXPECT_DOUBLE_EQ(Children(*text)[1]->rect.x2, 7);
    text->glyphMatrix = {0, -1, 1, 0};  // a quarter turn
    text->ApplyMatrix();
    const CCadElement* second = Children(*text)[1];
    EXPECT_NEAR(second->rect.x1, -3, 1e-12);
    EXPECT_NEAR(second->rect.y1, 4, 1e-12);
    EXPECT_NEAR(second->rect.y2, 7, 1e-12);
    EXPECT_DOUBLE_EQ(text->rect.x2, before.x2);
}

TEST(CadText, CopyTakesGlyphsParametersAndMatrixFromATextOnly) {
    const std::unique_ptr<CCadText> source = MakeText(3);
    source->textParam.snPrefix = "No.";
    source->textParam.skipRules[9] = "4";
    source->glyphMatrix = {2, 0, 0, 2};
    CCadText copy;
    CCadGroup group;
    EXPECT_EQ(copy.CopyFrom(&group, 0, 0), 0);
    ASSERT_EQ(copy.CopyFrom(source.get(), 0, 0), 1);
    EXPECT_EQ(copy.textParam, source->textParam);
    EXPECT_EQ(copy.glyphMatrix, source->glyphMatrix);
    ASSERT_EQ(Children(copy).size(), 3u);
    EXPECT_EQ(StoredBytes(*Children(copy)[2]), StoredBytes(*Children(*source)[2]));
}

TEST(CadText, CollectCurvesGivesTheGlyphsInOrderAndKeepsThem) {
    const std::unique_ptr<CCadText> text = MakeText(5);
    CDbList<CCadElement*> curves;
    text->CollectCurves(curves);
    EXPECT_EQ(Elements(curves), Children(*text));
}

TEST(CadTextRecord, ParametersMatrixAndGlyphsStoreAndLoadToTheSameBytes) {
    const std::unique_ptr<CCadText> text = MakeText(4);
    text->textParam.text = "Serial";
    text->glyphMatrix = {1, 0.5, 0, 1};
    const std::vector<std::uint8_t> stored = StoredBytes(*text);

    CTextParam param = text->textParam;
    const std::vector<std::uint8_t> paramBytes = StoredBytes(param);
    RecordBytes head;
    head.F64(1).F64(0.5).F64(0).F64(1).I32(4).U16(kCurveElement);
    ASSERT_GT(stored.size(), paramBytes.size() + head.Size());
    EXPECT_TRUE(std::equal(paramBytes.begin(), paramBytes.end(), stored.begin()));
    EXPECT_TRUE(std::equal(head.Bytes().begin(), head.Bytes().end(), stored.begin() + paramBytes.size()));

    CCadText loaded;
    platform::Archive archive = platform::Archive::ForLoading(stored);
    loaded.Serialize(archive);
    EXPECT_EQ(StoredBytes(loaded), stored);
    EXPECT_EQ(loaded.textParam.text, "Serial");
    EXPECT_EQ(Children(loaded).size(), 4u);
}

TEST(CadTextRecord, AGlyphThatIsNotACurveFailsTheRecordAndLeavesTheText) {
    CCadText empty;
    std::vector<std::uint8_t> bytes = StoredBytes(empty);
    // The glyph count 0 at the end becomes 1, followed by a point's type code and record.
    bytes.erase(bytes.end() - 4, bytes.end());
    RecordBytes tail;
    tail.I32(1).U16(kPointElement);
    bytes.insert(bytes.end(), tail.Bytes().begin(), tail.Bytes().end());
    const std::vector<std::uint8_t> point = StoredBytes(*MakePoint(1, 1));
    bytes.insert(bytes.end(), point.begin(), point.end());

    const std::unique_ptr<CCadText> text = MakeText(2);
    const std::vector<std::uint8_t> before = StoredBytes(*text);
    platform::Archive archive = platform::Archive::ForLoading(bytes);
    EXPECT_THROW(text->Serialize(archive), platform::ArchiveError);
    EXPECT_EQ(StoredBytes(*text), before);
}

TEST(CadTextRecord, TextWithoutGlyphsReadsBackWithTheConstructorRectangle) {
    CCadText text;
    const std::vector<std::uint8_t> stored = StoredBytes(text);
    CCadText loaded;
    platform::Archive archive = platform::Archive::ForLoading(stored);
    loaded.Serialize(archive);
    EXPECT_TRUE(loaded.children.IsEmpty());
    EXPECT_DOUBLE_EQ(loaded.rect.x2, 100);
}

}  // namespace
