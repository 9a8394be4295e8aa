#include "PlaceImportedData.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>

#include "AciPalette.h"
#include "Filebridge.h"
#include "Rasterkit.h"
#include "ShellCoreFixture.h"

namespace {

class PlaceImportedDataTest : public ShellCoreFixture {
  protected:
    int Place(CDbList<CFileDraw*>& records, int runWorker) {
        ImportPlacement placement{*manager, staging, settings, kBitmapColour, messages};
        return PlaceImportedData(records, runWorker, placement);
    }

    static constexpr std::uint32_t kBitmapColour = 0x808080;
    CImportStaging staging;
    FileParaSettings settings;
};

CFileCurve* CurveRecord(std::vector<SDPoint> points, std::int32_t colour) {
    auto* record = new CFileCurve;
    cutrix::testing::AddPolyline(record->segments, points);
    record->extra = colour;
    return record;
}

TEST_F(PlaceImportedDataTest, RecordsBecomeSelectedElementsOfTheirColoursInOrder) {
    CDbList<CFileDraw*> records;
    records.AddTail(CurveRecord({{0, 0}, {5, 5}}, 255));
    auto* point = new CFilePoint;
    point->x = 3;
    point->y = 4;
    point->value = 0xFF00;
    records.AddTail(point);
    EXPECT_EQ(Place(records, 0), 1);
    EXPECT_EQ(records.IsEmpty(), 1);
    const std::vector<CCadElement*> elements = Elements(manager->elementList);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0]->typeCode, kCurveElement);
    EXPECT_EQ(elements[0]->color, 255u);
    EXPECT_EQ(elements[0]->rect.x2, 5.0);
    EXPECT_EQ(elements[1]->typeCode, kPointElement);
    EXPECT_EQ(elements[1]->color, 0xFF00u);
    EXPECT_EQ(static_cast<CCadPoint*>(elements[1])->y, 4.0);
    EXPECT_TRUE(manager->IsSelected(elements[0]) && manager->IsSelected(elements[1]));
    EXPECT_EQ(elements[1]->orderNumber, 2u);
    EXPECT_EQ(staging.elements.IsEmpty(), 1);
}

TEST_F(PlaceImportedDataTest, NothingToPlaceShowsNoData) {
    CDbList<CFileDraw*> none;
    EXPECT_EQ(Place(none, 1), 0);
    CDbList<CFileDraw*> refusedPicture;
    refusedPicture.AddTail(new CFileDib);  // holds no bitmap
    EXPECT_EQ(Place(refusedPicture, 1), 0);
    EXPECT_EQ(ShownTexts(), (std::vector<std::string>{"No data!", "No data!"}));
    EXPECT_EQ(manager->elementList.IsEmpty(), 1);
}

// The picture is 4 x 2 pixels with its top-left corner at (10, 20).
TEST_F(PlaceImportedDataTest, PictureScaleThatIsNotPositiveUsesTheDefaultScale) {
    constexpr double kDefault = CFileDib::kDefaultScaleMm;
    struct Case {
        double scale;
        double usedScale;
        int pelsPerMetre;
    };
    const Case cases[] = {{0.5, 0.5, 2000},
                          {0.0, kDefault, 2835},
                          {-0.5, kDefault, 2835},
                          {std::nan(""), kDefault, 2835},
                          {std::numeric_limits<double>::infinity(), kDefault, 2835}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scale);
        manager->DeleteAll();
        CDbList<CFileDraw*> records;
        auto* picture = new CFileDib;
        picture->dib = *platform::DibBlock::CreateBlank(4, 2, 24);
        picture->dx = 10;
        picture->dy = 20;
        picture->m11 = picture->m22 = c.scale;
        records.AddTail(picture);
        ASSERT_EQ(Place(records, 0), 1);
        ASSERT_EQ(manager->elementList.GetCount(), 1);
        auto* bitmap = static_cast<CCadBitmap*>(manager->elementList.head->next->value);
        EXPECT_DOUBLE_EQ(bitmap->rect.x1, 10.0);
        EXPECT_DOUBLE_EQ(bitmap->rect.x2, 10.0 + 4 * c.usedScale);
        EXPECT_DOUBLE_EQ(bitmap->rect.y1, 20.0 - 2 * c.usedScale);
        EXPECT_DOUBLE_EQ(bitmap->rect.y2, 20.0);
        EXPECT_DOUBLE_EQ(bitmap->centre.x, 10.0 + 2 * c.usedScale);
        EXPECT_EQ(bitmap->color, kBitmapColour);
        int xPels = 0, yPels = 0;
        _dib_getprecision(&bitmap->dib, &xPels, &yPels);
        EXPECT_EQ(xPels, c.pelsPerMetre);
        EXPECT_EQ(yPels, c.pelsPerMetre);
    }
}

// The whole road without a window: a DXF file drawn by the system's DXF library, read by the file
// library, placed and cleaned by the worker on its own thread.
//
//   (0,10) <----- (0.05,10) (10,10)        arc of another colour, centre (30, 5), radius 5
//     |                        ^
//   (0,0.05)               (10,9.95)       four red lines, each end 0.05 mm short of the next start
//   (0,0) ----> (9.95,0)   (10,0)
TEST_F(PlaceImportedDataTest, DxfSquareWithGapsClosesAndTheArcStaysApart) {
    if (std::system("/usr/bin/python3 -c 'import ezdxf' > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3-ezdxf not installed";
    }
    const std::filesystem::path script = File("square.py"), dxf = File("square.dxf");
    std::ofstream(script) << R"(import sys, ezdxf
doc = ezdxf.new('R2010')
msp = doc.modelspace()
g = 0.05
for a, b in [((0, 0), (10 - g, 0)), ((10, 0), (10, 10 - g)), ((10, 10), (g, 10)), ((0, 10), (0, g))]:
    msp.add_line(a, b, dxfattribs={'color': 1})
msp.add_arc((30, 5), 5, 0, 180, dxfattribs={'color': 5})
doc.saveas(sys.argv[1])
)";
    ASSERT_EQ(std::system(("/usr/bin/python3 " + script.string() + " " + dxf.string()).c_str()), 0);

    std::array<std::uint32_t, 256> layerColours{};
    CDbList<CFileDraw*> records;
    ASSERT_EQ(
        _file_ImportFile(dxf.c_str(), LanguageIndex, 1016.0, 1.0, layerColours.data(), 0, 0, 1, &records), 0);
    ASSERT_EQ(Place(records, 1), 1);

    // The arc stayed open and comes first; the square was closed by joining.
    const std::vector<CCadElement*> elements = Elements(manager->elementList);
    ASSERT_EQ(elements.size(), 2u);
    const auto* arc = static_cast<const CCadCurve*>(elements[0]);
    const auto* square = static_cast<const CCadCurve*>(elements[1]);
    EXPECT_EQ(arc->color, filebridge::AciColour(5));
    EXPECT_EQ(arc->closed, 0);
    EXPECT_NEAR(arc->rect.x1, 25.0, 1e-6);
    EXPECT_NEAR(arc->rect.y2, 10.0, 1e-6);
    EXPECT_EQ(square->color, filebridge::AciColour(1));
    EXPECT_EQ(square->closed, 1);
    cutrix::testing::ExpectChained(cutrix::testing::Records(square->pathList));
    const std::vector<CFileLine> sides = cutrix::testing::Records(square->pathList);
    cutrix::testing::ExpectPointNear(sides.front().start, sides.back().end);
    EXPECT_NEAR(square->rect.x1, 0.0, 0.06);
    EXPECT_NEAR(square->rect.x2, 10.0, 0.06);
    EXPECT_NEAR(square->rect.y2, 10.0, 0.06);
    EXPECT_TRUE(manager->IsSelected(arc) && manager->IsSelected(square));
    EXPECT_EQ(ImportDone.load(), 1);
    EXPECT_TRUE(ShownTexts().empty());
}

}  // namespace
