#include "MemDC.h"

#include "QImageBackend.h"

#include <gtest/gtest.h>

using platform::DeviceContext;
using platform::Rgb;

namespace {

DeviceContext WhiteCanvas() {
    DeviceContext dc(std::make_unique<platform::QImageBackend>(platform::Size{100, 80}));
    dc.FillSolidRect({0, 0, 100, 80}, Rgb(255, 255, 255));
    return dc;
}

}  // namespace

TEST(MemDC, AreaAwayFromTheOriginLandsWhereItWasDrawn) {
    DeviceContext target = WhiteCanvas();
    {
        CMemDC memory(target, {40, 30, 90, 70});
        memory.Dc().FillSolidRect({40, 30, 90, 70}, Rgb(0, 0, 255));
        memory.Dc().FillSolidRect({50, 40, 60, 50}, Rgb(255, 0, 0));
    }
    EXPECT_EQ(target.GetPixel({39, 30}), Rgb(255, 255, 255));
    EXPECT_EQ(target.GetPixel({40, 30}), Rgb(0, 0, 255));
    EXPECT_EQ(target.GetPixel({55, 45}), Rgb(255, 0, 0));
    EXPECT_EQ(target.GetPixel({89, 69}), Rgb(0, 0, 255));
    EXPECT_EQ(target.GetPixel({90, 70}), Rgb(255, 255, 255));
}

TEST(MemDC, BufferCopiesOnlyItsRectangle) {
    DeviceContext target = WhiteCanvas();
    {
        CBufferDC buffer(target, {20, 10, 40, 30});
        buffer.Dc().FillSolidRect({0, 0, 40, 30}, Rgb(0, 128, 0));
    }
    EXPECT_EQ(target.GetPixel({19, 15}), Rgb(255, 255, 255));
    EXPECT_EQ(target.GetPixel({20, 10}), Rgb(0, 128, 0));
    EXPECT_EQ(target.GetPixel({39, 29}), Rgb(0, 128, 0));
    EXPECT_EQ(target.GetPixel({40, 29}), Rgb(255, 255, 255));
}

TEST(MemDC, ScopedSelectionsRestoreWhatTheyReplaced) {
    DeviceContext dc = WhiteCanvas();
    const platform::Pen pen = dc.CurrentPen();
    const platform::Brush brush = dc.CurrentBrush();
    {
        CPenDC penHolder(dc, Rgb(10, 20, 30));
        CBrushDC hollow(dc, platform::kInvalidColor);
        EXPECT_EQ(dc.CurrentBrush().style, platform::BrushStyle::Null);
        penHolder.Color(Rgb(1, 2, 3));
        EXPECT_EQ(penHolder.GetColor(), Rgb(1, 2, 3));
        dc.Rectangle(10, 10, 30, 30);
    }
    EXPECT_EQ(dc.CurrentPen(), pen);
    EXPECT_EQ(dc.CurrentBrush(), brush);
    // The hollow brush outlined the rectangle and left its inside white.
    EXPECT_EQ(dc.GetPixel({10, 20}), Rgb(1, 2, 3));
    EXPECT_EQ(dc.GetPixel({20, 20}), Rgb(255, 255, 255));
}
