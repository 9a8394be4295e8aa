#include "ImportWorker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "ElementBuilders.h"
#include "Progress.h"

namespace {

constexpr std::uint32_t kColourKey = 0x00FF00;

std::unique_ptr<CCadElement> Named(std::unique_ptr<CCadElement> element, const char* name,
                                   std::uint32_t colour = 0) {
    element->name = name;
    element->color = colour;
    return element;
}

std::unique_ptr<CCadElement> Picture(const char* name, int bitsPerPixel) {
    auto picture = MakeBitmap(8, 4, {0, 0});
    picture->dib = *platform::DibBlock::CreateBlank(8, 4, bitsPerPixel);
    return Named(std::move(picture), name, 0x123456);
}

// An element as the cases expect it: "name curve colour open|closed segments" or "name picture colour
// bits".
std::string Summary(const CCadElement* element) {
    std::string text = element->name;
    if (element->typeCode == kCurveElement) {
        const auto* curve = static_cast<const CCadCurve*>(element);
        return text + " curve " + std::to_string(curve->color) +
               (curve->closed != 0 ? " closed " : " open ") + std::to_string(curve->pathList.GetCount());
    }
    if (element->typeCode == kBitmapElement) {
        const auto* picture = static_cast<const CCadBitmap*>(element);
        return text + " picture " + std::to_string(picture->color) + " " +
               std::to_string(picture->GetBitCount());
    }
    return text + " point";
}

struct WorkerCase {
    const char* name;
    std::function<void(CDbList<CCadElement*>&)> fill;
    double combineTolerance;
    std::vector<std::string> expected;  // the staging list afterwards
    double storedTolerance;
};

const std::string kGreen = std::to_string(kColourKey);

const WorkerCase kCases[] = {
    {"a lone 24-bit picture becomes 8-bit in the colour key",
     [](auto& list) { list.AddTail(Picture("p", 24).release()); },
     0.1,
     {"p picture " + kGreen + " 8"},
     0.1},
    {"a lone 1-bit picture keeps its depth",
     [](auto& list) { list.AddTail(Picture("p", 1).release()); },
     0.1,
     {"p picture " + kGreen + " 1"},
     0.1},
    {"lines of one colour 0.05 mm apart join",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a").release());
         list.AddTail(Named(MakeCurve({{10.05, 0}, {20, 5}}), "b").release());
     },
     0.1,
     {"a curve 0 open 2"},
     0.1},
    {"lines of two colours stay apart",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a", 0).release());
         list.AddTail(Named(MakeCurve({{10.05, 0}, {20, 5}}), "b", 255).release());
     },
     0.1,
     {"a curve 0 open 1", "b curve 255 open 1"},
     0.1},
    {"a combine tolerance of 5 is used and kept as 3",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a").release());
         list.AddTail(Named(MakeCurve({{12.5, 0}, {20, 5}}), "b").release());
     },
     5.0,
     {"a curve 0 open 2"},
     3.0},
    {"a negative combine tolerance becomes 0",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a").release());
         list.AddTail(Named(MakeCurve({{10.05, 0}, {20, 5}}), "b").release());
     },
     -1.0,
     {"a curve 0 open 1", "b curve 0 open 1"},
     0.0},
    {"a damaged combine tolerance (NaN) becomes 0",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a").release());
         list.AddTail(Named(MakeCurve({{10, 0}, {20, 5}}), "b").release());
     },
     std::nan(""),
     {"a curve 0 open 2"},
     0.0},
    {"a curve of zero-length segments disappears",
     [](auto& list) {
         list.AddTail(Named(MakeCurve({{3, 3}, {3, 3}, {3, 3}}), "z").release());
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}}), "a").release());
     },
     0.1,
     {"a curve 0 open 1"},
     0.1},
    // Still-open curves, then those closed by joining, then what was set aside, in its former order:
    //   s closed square, q picture, u open, a + b close into a triangle, t point.
    {"the list ends ordered open, closed by joining, set aside",
     [](auto& list) {
         list.AddTail(Named(MakeSquare({50, 50}, 5), "s").release());
         list.AddTail(Picture("q", 8).release());
         list.AddTail(Named(MakeCurve({{0, 0}, {10, 0}, {5, 8}}), "a").release());
         list.AddTail(Named(MakeCurve({{-20, 0}, {-30, 0}}), "u").release());
         list.AddTail(Named(MakePoint(1, 1), "t").release());
         list.AddTail(Named(MakeCurve({{5.05, 8}, {0, 0.05}}), "b").release());
     },
     0.1,
     {"u curve 0 open 1", "a curve 0 closed 4", "s curve 0 closed 4", "q picture " + kGreen + " 8",
      "t point"},
     0.1},
};

TEST(ImportWorkerTest, Cases) {
    for (const WorkerCase& c : kCases) {
        SCOPED_TRACE(c.name);
        CImportStaging staging;
        c.fill(staging.elements);
        FileParaSettings settings;
        settings.autoClose = 0;  // so that joining alone closes curves
        settings.combineErrorMm = c.combineTolerance;
        ImportWorkerJob job{&staging, &settings, kColourKey};
        ASSERT_TRUE(RunImportWorkerAndWait(job));
        std::vector<std::string> summaries;
        for (CCadElement* element : Elements(staging.elements)) {
            summaries.push_back(Summary(element));
        }
        EXPECT_EQ(summaries, c.expected);
        EXPECT_EQ(settings.combineErrorMm, c.storedTolerance);
        EXPECT_EQ(ImportDone.load(), 1);
    }
}

TEST(ImportWorkerTest, AnEmptyOrMissingListEndsDoneAtOnce) {
    FileParaSettings settings;
    CImportStaging empty;
    for (CImportStaging* staging : {&empty, static_cast<CImportStaging*>(nullptr)}) {
        ImportWorkerJob job{staging, &settings, kColourKey};
        ImportDone = 0;
        EXPECT_EQ(ImportWorker(job), 0);
        EXPECT_EQ(ImportDone.load(), 1);
        EXPECT_EQ(ProgressRatio.load(), 1.0);
    }
}

TEST(ImportWorkerTest, ACurveThatClosesItselfGoesBehindTheOpenOnes) {
    CImportStaging staging;
    staging.elements.AddTail(MakeCurve({{0, 0}, {10, 0}, {10, 10}, {0.05, 0}}).release());
    staging.elements.AddTail(MakeCurve({{40, 0}, {50, 0}}).release());
    FileParaSettings settings;
    settings.closeErrorMm = 0.1;
    ImportWorkerJob job{&staging, &settings, kColourKey};
    ImportWorker(job);
    const std::vector<CCadElement*> elements = Elements(staging.elements);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(static_cast<CCadCurve*>(elements[0])->closed, 0);
    EXPECT_EQ(static_cast<CCadCurve*>(elements[1])->closed, 1);
}

}  // namespace
