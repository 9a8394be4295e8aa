#include "LgpHandBack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "ShellCoreFixture.h"
#include "ZintDataFile.h"

namespace {

using cutrix::testing::AddPolyline;

constexpr std::uint32_t kOutlineColour = 0xFF0000;

struct Design {
    std::uint32_t dotCount = 3;  // as written before the dots
    std::uint32_t outlineCount = 1;
    bool withOutline = true;
};

// Two dots (and an empty curve, which is skipped) in the first group, the plate outline in the second:
// a 40 x 20 rectangle whose last corner stops 0.05 mm short of its first.
void WriteDesign(const std::filesystem::path& path, const Design& design) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    CDbList<CFileLine> dot, empty, outline;
    AddPolyline(dot, {{1, 1}, {2, 1}, {2, 2}, {1, 1}});
    AddPolyline(outline, {{0, 0}, {40, 0}, {40, 20}, {0, 20}, {0, 0.05}});
    EXPECT_EQ(_file_ZintData_Start(file), 0);
    EXPECT_EQ(_file_ZintData_Save(file, &design.dotCount, 4), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file, &dot, 0), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file, &empty, 0), 0);
    EXPECT_EQ(_file_ZintData_SaveCurve(file, &dot, 255), 0);
    const std::uint32_t outlines = design.withOutline ? design.outlineCount : 0;
    EXPECT_EQ(_file_ZintData_Save(file, &outlines, 4), 0);
    if (design.withOutline) {
        EXPECT_EQ(_file_ZintData_SaveCurve(file, &outline, kOutlineColour), 0);
    }
    EXPECT_EQ(_file_ZintData_End(file), 0);
    std::fclose(file);
}

class LgpHandBackTest : public ShellCoreFixture {
  protected:
    // The file lies in the test's own folder, which exists only once the fixture is set up: named any
    // earlier it would be a relative name that every test running at the same time shares.
    void SetUp() override {
        ShellCoreFixture::SetUp();
        path = File("lgp.ds");
        ASSERT_TRUE(path.is_absolute()) << path;
    }

    int Place() { return PlaceLgpDesign(path, *manager, 0.1, messages); }

    std::filesystem::path path;
};

TEST_F(LgpHandBackTest, DotsAndClosedOutlinesJoinTheDrawingSelectedAndTheFileGoes) {
    WriteDesign(path, {});
    EXPECT_EQ(Place(), 3);
    const std::vector<CCadElement*> elements = Elements(manager->elementList);
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0]->color, 0u);
    EXPECT_EQ(elements[1]->color, 255u);
    const auto* outline = static_cast<const CCadCurve*>(elements[2]);
    EXPECT_EQ(outline->color, kOutlineColour);
    EXPECT_EQ(outline->closed, 1);
    for (CCadElement* element : elements) {
        EXPECT_TRUE(manager->IsSelected(element));
    }
    const CCadRect selection = manager->GetSelectionRect();
    EXPECT_NEAR((selection.x1 + selection.x2) / 2, manager->pageWidth / 2, 1e-6);
    EXPECT_NEAR((selection.y1 + selection.y2) / 2, manager->pageHeight / 2, 1e-6);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(LgpHandBackTest, ADesignWithoutOutlinesGivesDotsOnly) {
    WriteDesign(path, {.withOutline = false});
    EXPECT_EQ(Place(), 2);
    EXPECT_EQ(manager->elementList.GetCount(), 2);
}

TEST_F(LgpHandBackTest, AMissingFileChangesNothingSilently) {
    EXPECT_EQ(Place(), 0);
    EXPECT_EQ(manager->elementList.IsEmpty(), 1);
    EXPECT_TRUE(ShownTexts().empty());
}

TEST_F(LgpHandBackTest, ADamagedFileAddsNothingAndSaysSo) {
    struct Case {
        const char* name;
        Design design;
        std::size_t cutBytes;  // taken off the end of the file
        std::size_t badByte;   // changed when not 0
    };
    const Case cases[] = {
        {"dots counting 2^31", {.dotCount = 0x80000000u}, 0, 0},
        {"outlines counting 2^31", {.outlineCount = 0x80000000u}, 0, 0},
        {"dots counting one more than written", {.dotCount = 4}, 0, 0},
        {"cut inside the outline", {}, 8 + 1, 0},
        {"no signature", {}, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages.Clear();
        WriteDesign(path, c.design);
        if (c.cutBytes != 0) {
            std::filesystem::resize_file(path, std::filesystem::file_size(path) - c.cutBytes);
        }
        if (c.badByte != 0) {
            std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
            file.seekp(static_cast<std::streamoff>(c.badByte));
            file.put('?');
        }
        EXPECT_EQ(Place(), 0);
        EXPECT_EQ(manager->elementList.IsEmpty(), 1);
        EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Load data failure!"});
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
