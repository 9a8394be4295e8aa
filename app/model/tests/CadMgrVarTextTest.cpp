// Variable texts in the drawing: which texts a refresh reaches, date and serial glyphs built again, the
// numbering walk of serial copies and a transformed text keeping its place, shape and layer.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CadMgrFixture.h"
#include "CadText.h"
#include "Letterforge.h"
#include "MessageSink.h"
#include "SettingsRecords.h"
#include "TestFontConfig.h"

namespace {

constexpr std::uint32_t kRed = 0x0000FF;
constexpr std::uint32_t kGreen = 0x00FF00;
constexpr double kPitch = 100.0;  // copy pitch, far wider than a glyph, so each glyph tells its cell

using Outline = std::vector<std::pair<double, double>>;

// Every segment's start, relative to the first glyph's first start: equal for equal texts wherever
// they were placed.
Outline RelativeOutline(const std::vector<const CCadCurve*>& glyphs) {
    Outline outline;
    if (glyphs.empty() || glyphs.front()->pathList.IsEmpty()) {
        return outline;
    }
    const SDPoint origin = glyphs.front()->pathList.head->next->value.start;
    for (const CCadCurve* glyph : glyphs) {
        for (auto* node = glyph->pathList.head->next; node != glyph->pathList.head; node = node->next) {
            outline.emplace_back(node->value.start.x - origin.x, node->value.start.y - origin.y);
        }
    }
    return outline;
}

std::vector<const CCadCurve*> Glyphs(const CCadText& text) {
    std::vector<const CCadCurve*> glyphs;
    for (auto* node = text.children.head->next; node != text.children.head; node = node->next) {
        glyphs.push_back(static_cast<const CCadCurve*>(node->value));
    }
    return glyphs;
}

// The outline the engine gives for the text, optionally rotated by `angle` about the origin.
Outline ReferenceOutline(const CTextParam& params, const std::string& shown, double angle = 0.0) {
    CTextParam reference = params;
    reference.text = shown;
    CCadText text;
    text.textParam = reference;
    CCadMgr scratch;
    scratch.RebuildTextCurves(&text);
    Outline outline = RelativeOutline(Glyphs(text));
    for (auto& [x, y] : outline) {
        const double rx = x * std::cos(angle) - y * std::sin(angle);
        y = x * std::sin(angle) + y * std::cos(angle);
        x = rx;
    }
    return outline;
}

void ExpectSameOutline(const Outline& actual, const Outline& expected, const std::string& what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    ASSERT_FALSE(actual.empty()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_NEAR(actual[i].first, expected[i].first, 1e-6) << what << " point " << i;
        EXPECT_NEAR(actual[i].second, expected[i].second, 1e-6) << what << " point " << i;
    }
}

class CadMgrVarTextTest : public CadMgrFixture {
  protected:
    static void SetUpTestSuite() { platform::testing::UseTestFontConfig(); }
    void TearDown() override {
        gProcessCtrlSettings.outputSelectedOnly = 0;
        letterforge::SetClock({});
        letterforge::SetMessageSink(nullptr);
    }

    static CTextParam SerialParams(const std::string& current) {
        CTextParam params;
        params.trueTypeFont = "DejaVu Sans";
        params.varTextOn = 1;
        params.varKind = 1;
        params.snKeepZeros = 0;
        params.snCurrent = current;
        return params;
    }
    static CTextParam DateParams() {
        CTextParam params = SerialParams("0");
        params.varKind = 0;
        params.dateFormat = 0;
        return params;
    }

    // A text in the drawing on the red layer with glyphs of its parameters' text.
    CCadText* AddText(const CTextParam& params, double x = 0.0, double y = 0.0) {
        auto text = std::make_unique<CCadText>();
        text->textParam = params;
        text->color = kRed;
        manager->RebuildTextCurves(text.get());
        for (auto* node = text->children.head->next; node != text->children.head; node = node->next) {
            node->value->color = kRed;
        }
        text->CalRect();
        text->TransMove(x - text->rect.x1, y - text->rect.y1);
        manager->drawColor = kGreen;  // glyphs built later must not take it
        return Add(std::move(text), kRed);
    }
};

TEST_F(CadMgrVarTextTest, RefreshReachesTheSelectionOnlyWhenOutputIsLimitedToIt) {
    CCadText* first = AddText(SerialParams("1"));
    CCadText* second = AddText(SerialParams("1"), 50.0, 0.0);
    const CCadElement* firstGlyph = first->children.head->next->value;

    gProcessCtrlSettings.outputSelectedOnly = 1;
    const std::size_t posted = PostedMessages().size();
    manager->RefreshVarTexts();
    EXPECT_EQ(first->textParam.snCurrent, "1");
    EXPECT_EQ(second->textParam.snCurrent, "1");
    EXPECT_EQ(first->children.head->next->value, firstGlyph);
    EXPECT_EQ(PostedMessages().size(), posted);

    manager->AddToSelection(second);
    manager->RefreshVarTexts();
    EXPECT_EQ(first->textParam.snCurrent, "1");
    EXPECT_EQ(second->textParam.snCurrent, "2");

    gProcessCtrlSettings.outputSelectedOnly = 0;
    manager->RefreshVarTexts();
    EXPECT_EQ(first->textParam.snCurrent, "2");
    EXPECT_EQ(second->textParam.snCurrent, "3");
}

TEST_F(CadMgrVarTextTest, DateRefreshedTwiceOnOneDayGivesTheSameGlyphs) {
    letterforge::LocalTime morning;
    morning.year = 2026;
    morning.month = 3;
    morning.day = 14;
    morning.hour = 8;
    letterforge::SetClock([&morning] { return morning; });
    CCadText* text = AddText(DateParams(), 20.0, 30.0);

    manager->RefreshVarText(text, 1);
    const Outline once = RelativeOutline(Glyphs(*text));
    const std::string shown = text->textParam.text;
    morning.hour = 17;
    manager->RefreshVarText(text, 1);
    EXPECT_EQ(text->textParam.text, shown);
    ExpectSameOutline(RelativeOutline(Glyphs(*text)), once, "same day");
    EXPECT_DOUBLE_EQ(text->rect.x1, 20.0);
    EXPECT_DOUBLE_EQ(text->rect.y1, 30.0);

    morning.day = 15;
    manager->RefreshVarText(text, 1);
    EXPECT_NE(text->textParam.text, shown);
    ExpectSameOutline(RelativeOutline(Glyphs(*text)), ReferenceOutline(text->textParam, text->textParam.text),
                      "next day");
}

TEST_F(CadMgrVarTextTest, AdvanceZeroShowsTheSerialAgainAndOneTheNext) {
    struct Case {
        int advance;
        const char* shown;
    };
    for (const Case& c : {Case{0, "41"}, Case{1, "42"}}) {
        SCOPED_TRACE(c.advance);
        CCadText* text = AddText(SerialParams("41"));
        text->textParam.text = "stale";
        const std::size_t posted = PostedMessages().size();

        manager->RefreshVarText(text, c.advance);
        EXPECT_EQ(text->textParam.text, c.shown);
        EXPECT_EQ(text->textParam.snCurrent, c.shown);
        ExpectSameOutline(RelativeOutline(Glyphs(*text)), ReferenceOutline(text->textParam, c.shown), c.shown);
        for (const CCadCurve* glyph : Glyphs(*text)) {
            EXPECT_EQ(glyph->color, kRed);
            ASSERT_NE(glyph->layer, nullptr);
            EXPECT_EQ(glyph->layer->commonParams.COM_Color, kRed);
        }
        const std::vector<std::uint32_t> messages = PostedMessages();
        EXPECT_EQ(std::vector<std::uint32_t>(messages.begin() + static_cast<std::ptrdiff_t>(posted), messages.end()),
                  std::vector<std::uint32_t>{kSelectionMovedMessage});
        manager->SelectAll();
        manager->DeleteSelection();
    }
    for (const LayerSummary& layer : Layers()) {
        EXPECT_EQ(layer.color, kRed);
    }
}

// The cell of each glyph, in the order the glyphs were built, with the serial each cell shows.
std::vector<std::pair<std::pair<int, int>, std::string>> CellsInOrder(const CCadText& text,
                                                                      const CTextParam& params, int first) {
    std::vector<std::pair<std::pair<int, int>, std::vector<const CCadCurve*>>> cells;
    const double x0 = text.rect.x1, y0 = text.rect.y1;
    for (const CCadCurve* glyph : Glyphs(text)) {
        const std::pair<int, int> cell{static_cast<int>(std::floor((glyph->rect.y1 - y0 + 10.0) / kPitch)),
                                       static_cast<int>(std::floor((glyph->rect.x1 - x0 + 10.0) / kPitch))};
        if (cells.empty() || cells.back().first != cell) {
            cells.push_back({cell, {}});
        }
        cells.back().second.push_back(glyph);
    }
    std::vector<std::pair<std::pair<int, int>, std::string>> shown;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::string number = std::to_string(first + static_cast<int>(i));
        const Outline expected = ReferenceOutline(params, number);
        const Outline actual = RelativeOutline(cells[i].second);
        const bool same = actual.size() == expected.size() &&
                          std::equal(actual.begin(), actual.end(), expected.begin(), [](auto a, auto b) {
                              return std::abs(a.first - b.first) < 1e-6 && std::abs(a.second - b.second) < 1e-6;
                          });
        shown.push_back({cells[i].first, same ? number : "?"});
    }
    return shown;
}

TEST_F(CadMgrVarTextTest, CopiesAreNumberedAlongTheWalkWithoutGapsBetweenOutputs) {
    using Cell = std::pair<int, int>;
    struct Case {
        std::uint16_t order;
        std::uint16_t serpentine;
        std::vector<Cell> walk;
    };
    const std::vector<Case> cases = {
        {0, 0, {{0, 0}, {0, 1}, {0, 2}, {1, 2}, {1, 1}, {1, 0}}},
        {0, 1, {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}}},
        {1, 0, {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {1, 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "order " << c.order << " serpentine " << c.serpentine);
        CTextParam params = SerialParams("0001");
        params.snArrayOn = 1;
        params.snArrayCount1 = 3;  // columns
        params.snArrayCount2 = 2;  // rows
        params.snArraySpacing1 = kPitch;
        params.snArraySpacing2 = kPitch;
        params.auxWord2 = c.order;
        params.auxWord3 = c.serpentine;
        CCadText* text = AddText(params, 5.0, 5.0);

        for (const int first : {1, 7, 13}) {
            manager->RefreshVarText(text, first == 1 ? 0 : 1);
            EXPECT_EQ(std::stoi(text->textParam.snCurrent), first);
            const auto shown = CellsInOrder(*text, params, first);
            ASSERT_EQ(shown.size(), c.walk.size()) << "from " << first;
            for (std::size_t i = 0; i < shown.size(); ++i) {
                EXPECT_EQ(shown[i].first, c.walk[i]) << "from " << first << " cell " << i;
                EXPECT_EQ(shown[i].second, std::to_string(first + static_cast<int>(i))) << "cell " << i;
            }
            EXPECT_DOUBLE_EQ(text->rect.x1, 5.0);
            EXPECT_DOUBLE_EQ(text->rect.y1, 5.0);
        }
        manager->SelectAll();
        manager->DeleteSelection();
    }
}

TEST_F(CadMgrVarTextTest, RotatedSerialKeepsRotationLayerSelectionAndFirstCorner) {
    constexpr double kAngle = 0.5;
    CCadText* text = AddText(SerialParams("7"), 40.0, 60.0);
    text->TransRotate(40.0, 60.0, kAngle);
    const CCadText::GlyphMatrix matrix = text->glyphMatrix;
    const CCadRect before = text->rect;
    manager->AddToSelection(text);

    manager->RefreshVarText(text, 1);
    EXPECT_EQ(text->textParam.text, "8");
    EXPECT_EQ(text->glyphMatrix, matrix);
    ExpectSameOutline(RelativeOutline(Glyphs(*text)), ReferenceOutline(text->textParam, "8", kAngle), "rotated 8");
    EXPECT_NEAR(text->rect.x1, before.x1, 1e-9);
    EXPECT_NEAR(text->rect.y1, before.y1, 1e-9);
    EXPECT_TRUE(manager->IsSelected(text));
    for (const CCadCurve* glyph : Glyphs(*text)) {
        EXPECT_EQ(glyph->selected, 1);
        EXPECT_EQ(glyph->color, kRed);
        EXPECT_NE(glyph->layer, nullptr);
    }
    EXPECT_NEAR(manager->selectionRect.x2, text->rect.x2, 1e-9);
    EXPECT_NEAR(manager->selectionRect.y2, text->rect.y2, 1e-9);
    EXPECT_EQ(Layers(), (std::vector<LayerSummary>{{CCadLayer::kVectorLayer, kRed, text->children.GetCount()}}));
}

class CountingSink final : public platform::MessageSink {
  public:
    void PostMessage(std::uint32_t, std::uintptr_t, std::intptr_t) override {}
    int ShowMessageBox(std::string_view, std::string_view, std::uint32_t) override {
        ++shown;
        return 0;
    }
    int shown = 0;
};

TEST_F(CadMgrVarTextTest, MissingShapeFontIsReportedOncePerRefreshOfCopies) {
    CountingSink sink;
    letterforge::SetMessageSink(&sink);
    CTextParam params = SerialParams("0001");
    params.fontKind = CTextParam::kShxFont;
    params.shxFont = "FS.SHX";  // no shape font is installed beside the tests
    params.snArrayOn = 1;
    params.snArrayCount1 = 3;
    params.snArrayCount2 = 2;
    auto text = std::make_unique<CCadText>();
    text->textParam = params;
    CCadText* added = Add(std::move(text), kRed);
    sink.shown = 0;

    manager->RefreshVarText(added, 1);
    EXPECT_EQ(sink.shown, 1);
    EXPECT_EQ(added->textParam.snCurrent, "0007");
    EXPECT_TRUE(added->children.IsEmpty());
}

TEST_F(CadMgrVarTextTest, RefreshOfAPlainTextRebuildsItsGlyphsFromEditedParameters) {
    CTextParam params;
    params.trueTypeFont = "DejaVu Sans";
    params.text = "AB";
    CCadText* text = AddText(params, 30.0, 40.0);
    text->textParam.text = "ABC";
    text->textParam.height = 20.0;
    manager->RefreshVarText(text, 0);
    params.text = "ABC";
    params.height = 20.0;
    ExpectSameOutline(RelativeOutline(Glyphs(*text)), ReferenceOutline(params, "ABC"), "edited text");
    EXPECT_EQ(text->textParam.text, "ABC");
    EXPECT_NEAR(text->rect.x1, 30.0, 1e-9);
    EXPECT_NEAR(text->rect.y1, 40.0, 1e-9);
}

}  // namespace
