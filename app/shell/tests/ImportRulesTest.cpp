#include "ImportRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(ImportRulesTest, PltPrecisionIsKeptWithinItsRangeAndStoredBack) {
    struct Case {
        std::uint16_t stored;
        double used;
    };
    for (const Case& c : {Case{5, 10}, Case{20000, 10000}, Case{1016, 1016}, Case{0, 10}}) {
        FileParaSettings settings;
        settings.pltPrecision = c.stored;
        EXPECT_EQ(ClampPltPrecision(settings), c.used) << c.stored;
        EXPECT_EQ(settings.pltPrecision, c.used) << c.stored;
    }
}

TEST(ImportRulesTest, UnitScaleFollowsTheUnitCodeAndIsStoredBack) {
    struct Case {
        std::uint16_t code;
        double customScale;
        double scale;
        std::uint16_t codeAfter;
    };
    const Case cases[] = {
        {0, 7.0, 1.0, 0}, {1, 7.0, 10.0, 1}, {2, 7.0, 25.4, 2},         {3, 7.0, 7.0, 3},
        {3, 0.0, 1.0, 3}, {3, -2.0, 1.0, 3}, {3, std::nan(""), 1.0, 3}, {9, 7.0, 1.0, 0},
    };
    for (const Case& c : cases) {
        FileParaSettings settings;
        settings.dxfUnit = c.code;
        settings.dxfScale = c.customScale;
        EXPECT_EQ(ImportUnitScale(settings), c.scale) << c.code << " " << c.customScale;
        EXPECT_EQ(settings.dxfScale, c.scale);
        EXPECT_EQ(settings.dxfUnit, c.codeAfter);
    }
}

TEST(ImportRulesTest, PlotterAndEmbroideryFilesAloneOfferSmoothing) {
    for (const char* path : {"/a/b.plt", "B.PLT", "c.Dst", "d.dsb"}) {
        EXPECT_TRUE(OffersSmoothing(path)) << path;
    }
    for (const char* path : {"a.dxf", "b.ai", "c.plt.ai", "plt", "/dir.plt/file", "d.png"}) {
        EXPECT_FALSE(OffersSmoothing(path)) << path;
    }
}

TEST(ImportRulesTest, ExportWritesPltOnlyForAPltName) {
    EXPECT_EQ(ExportKindOf("/out/drawing.PLT"), ExportKind::kPlt);
    EXPECT_EQ(ExportKindOf("drawing.plt"), ExportKind::kPlt);
    for (const char* path : {"drawing.ai", "drawing.txt", "drawing", "plt", "a.plt.bak"}) {
        EXPECT_EQ(ExportKindOf(path), ExportKind::kAi) << path;
    }
}

// SKA, PNT and 2PNT were offered and then refused with "No data!".
TEST(ImportRulesTest, FilterOffersOnlyWhatTheFileLibraryReads) {
    const std::string& filter = ImportFilter();
    for (const char* unreadable : {"*.ska", "*.pnt", "*.2pnt", "SKA Files", "PNT Files"}) {
        EXPECT_EQ(filter.find(unreadable), std::string::npos) << unreadable;
    }
    for (const char* readable : {"*.dxf", "*.plt", "*.ai", "*.png", "*.emf", "*.jfif", "*.nef"}) {
        EXPECT_NE(filter.find(readable), std::string::npos) << readable;
    }
}

TEST(ImportRulesTest, ReadableFilterDropsPatternsAndEmptiedPairs) {
    const auto noPnt = [](std::string_view pattern) { return pattern.find("pnt") == std::string_view::npos; };
    const struct {
        const char* filter;
        const char* kept;
    } cases[] = {
        {"All|*.dxf;*.pnt;*.plt|PNT (*.pnt;*.2pnt)|*.pnt;*.2pnt|DXF (*.dxf)|*.dxf|",
         "All|*.dxf;*.plt|DXF (*.dxf)|*.dxf|"},
        {"Only|*.pnt|", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadableImportFilter(c.filter, noPnt), c.kept) << c.filter;
    }
}

TEST(ImportRulesTest, FilterPairsEveryNameWithItsPatterns) {
    const std::string& filter = ImportFilter();
    EXPECT_EQ(filter.rfind("Supported Files1|*.ai;*.dxf;*.plt;", 0), 0u);
    EXPECT_NE(filter.find("|EMF Files (*.emf)|*.emf|JBG Files (*.jbg)|"), std::string::npos);
    EXPECT_EQ(filter.back(), '|');
    EXPECT_EQ(std::count(filter.begin(), filter.end(), '|') % 2, 0);
}

}  // namespace
