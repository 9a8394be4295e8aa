#include "QImageBackend.h"

#include "DeviceContext.h"
#include "DibBlock.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

using namespace platform;

namespace {

constexpr int kWidth = 201;
constexpr int kHeight = 151;

// A background in which neighbouring pixels differ, so that a lost or doubled mix shows.
QImage PatternedImage() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            image.setPixel(x, y,
                           qRgb((x * 37 + y * 11) & 0xFF, (x * 5 + y * 71) & 0xFF, (x * y + 13) & 0xFF));
        }
    }
    return image;
}

class PixelContext : public ::testing::Test {
  protected:
    // Text needs the GUI application; one for the whole suite, on the offscreen platform.
    static void SetUpTestSuite() {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "PlatformGdiQtTests";
            static char* argv[] = {name, nullptr};
            application_ = std::make_unique<QGuiApplication>(argc, argv);
        }
    }
    static void TearDownTestSuite() { application_.reset(); }

    explicit PixelContext(const QImage& start = PatternedImage()) {
        auto backend = std::make_unique<QImageBackend>(start);
        backend_ = backend.get();
        dc_ = std::make_unique<DeviceContext>(std::move(backend));
    }

    // The canvas view's mapping: 100 logical units per pixel, y up, logical (0, 0) at the centre pixel.
    void UseCanvasMapping() {
        dc_->SetMapMode(MapMode::Isotropic);
        dc_->SetWindowExt(50000, 50000);
        dc_->SetViewportExt(500, -500);
        dc_->SetViewportOrg(kWidth / 2 + 1, kHeight / 2 + 1);
    }

    const QImage& Image() const { return backend_->Image(); }
    // The pixel at device (x, y), whatever the mapping.
    ColorRef PixelAt(int x, int y) const {
        const QRgb pixel = Image().pixel(x, y);
        return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
    }

    static inline std::unique_ptr<QGuiApplication> application_;
    QImageBackend* backend_ = nullptr;
    std::unique_ptr<DeviceContext> dc_;
};

struct LineCase {
    const char* name;
    Point from;
    Point to;
};

// Logical units of the canvas mapping: 100 per pixel.
const LineCase kLines[] = {
    {"horizontal", {-5000, 0}, {5000, 0}},
    {"vertical", {0, -5000}, {0, 5000}},
    {"diagonal", {-4000, -4000}, {4000, 4000}},
    {"shallow", {-9000, 1000}, {9000, -2500}},
    {"steep", {700, -7000}, {-1300, 7000}},
    {"off-pixel ends", {-4950, 1250}, {3350, -2650}},
    {"leaving the surface", {0, 0}, {30000, 20000}},
    {"crossing the whole surface", {-2000000000, -30000}, {2000000000, 30000}},
    {"wholly outside", {-30000, 30000}, {30000, 31000}},
};

const Pen kPens[] = {
    Pen::Solid(0, Rgb(200, 0, 0)),
    Pen::Styled(PenStyle::Dash, 1, Rgb(0, 128, 200)),
    Pen::Styled(PenStyle::Dot, 1, Rgb(10, 20, 30)),
    Pen::Styled(PenStyle::DashDot, 1, Rgb(0, 0, 200)),
    Pen::Solid(300, Rgb(0, 255, 0)),  // three pixels wide
};

TEST_F(PixelContext, NotXorLineDrawnTwiceRestoresEveryPixel) {
    UseCanvasMapping();
    dc_->SetROP2(RasterOp::NotXorPen);
    const QImage original = Image();
    for (const LineCase& line : kLines) {
        for (const Pen& pen : kPens) {
            dc_->SelectObject(pen);
            dc_->MoveTo(line.from);
            dc_->LineTo(line.to);
            if (std::string(line.name) != "wholly outside") {
                EXPECT_NE(Image(), original) << line.name << " drew nothing";
            }
            dc_->MoveTo(line.from);
            dc_->LineTo(line.to);
            ASSERT_EQ(Image(), original) << line.name << ", pen width " << pen.width;
        }
    }
}

TEST_F(PixelContext, XorShapesDrawnTwiceRestoreEveryPixel) {
    struct ShapeCase {
        const char* name;
        void (*draw)(DeviceContext&);
    };
    const ShapeCase shapes[] = {
        {"rectangle", [](DeviceContext& dc) { dc.Rectangle(20, 15, 120, 90); }},
        {"rectangle reaching outside", [](DeviceContext& dc) { dc.Rectangle(-50, -40, 80, 60); }},
        {"ellipse", [](DeviceContext& dc) { dc.Ellipse(30, 20, 170, 130); }},
        {"polygon crossing itself",
         [](DeviceContext& dc) {
             const Point star[] = {{100, 5}, {130, 140}, {10, 50}, {190, 50}, {70, 140}};
             dc.Polygon(star);
         }},
        {"arc",
         [](DeviceContext& dc) {
             dc.Arc(Rect{10, 10, 150, 120}, Point{150, 10}, Point{10, 120});
         }},
        {"bezier",
         [](DeviceContext& dc) {
             const Point curve[] = {{5, 140}, {60, -80}, {140, 300}, {195, 10}};
             dc.PolyBezier(curve);
         }},
        {"polyline",
         [](DeviceContext& dc) {
             const Point chain[] = {{5, 5}, {100, 5}, {100, 100}, {5, 5}};
             dc.Polyline(chain);
         }},
    };
    const Brush brushes[] = {Brush::Solid(Rgb(30, 60, 90)), Brush::Null()};
    const Pen pens[] = {Pen::Solid(1, Rgb(200, 0, 0)), Pen::Solid(4, Rgb(200, 0, 0)), Pen::Null()};
    const QImage original = Image();
    for (const RasterOp rop : {RasterOp::XorPen, RasterOp::NotXorPen, RasterOp::Not}) {
        dc_->SetROP2(rop);
        for (const ShapeCase& shape : shapes) {
            for (const Brush& brush : brushes) {
                for (const Pen& pen : pens) {
                    dc_->SelectObject(brush);
                    dc_->SelectObject(pen);
                    shape.draw(*dc_);
                    shape.draw(*dc_);
                    ASSERT_EQ(Image(), original)
                        << shape.name << " rop " << static_cast<int>(rop) << " pen width " << pen.width;
                }
            }
        }
    }
}

TEST_F(PixelContext, XorRectangleMixesEachPixelOnce) {
    dc_->SetROP2(RasterOp::XorPen);
    dc_->SelectObject(Pen::Solid(1, Rgb(255, 255, 255)));
    dc_->SelectObject(Brush::Solid(Rgb(255, 255, 255)));
    const QImage original = Image();
    dc_->Rectangle(10, 10, 20, 15);
    for (int y = 8; y < 17; ++y) {
        for (int x = 8; x < 22; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 15;
            const QRgb expected = inside ? (original.pixel(x, y) ^ 0x00FFFFFFu) : original.pixel(x, y);
            ASSERT_EQ(Image().pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(PixelContext, ChainOfXorLinesMixesEveryJointOnceAndLeavesTheLastPixel) {
    dc_->SetROP2(RasterOp::XorPen);
    dc_->SelectObject(Pen::Solid(1, Rgb(255, 255, 255)));
    const QImage original = Image();
    dc_->MoveTo(10, 10);
    dc_->LineTo(30, 10);
    dc_->LineTo(30, 40);
    dc_->LineTo(50, 60);
    for (const Point joint : {Point{10, 10}, Point{30, 10}, Point{30, 40}}) {
        EXPECT_EQ(Image().pixel(joint.x, joint.y), original.pixel(joint.x, joint.y) ^ 0x00FFFFFFu)
            << joint.x << "," << joint.y;
    }
    EXPECT_EQ(Image().pixel(50, 60), original.pixel(50, 60));
    EXPECT_EQ(Image().pixel(49, 59), original.pixel(49, 59) ^ 0x00FFFFFFu);
}

TEST_F(PixelContext, DottedPenDrawsThreeOnThreeOffAlongTheLine) {
    const QImage original = Image();
    dc_->SelectObject(Pen::Styled(PenStyle::Dot, 1, Rgb(255, 0, 0)));
    dc_->MoveTo(10, 20);
    dc_->LineTo(22, 20);
    const std::string expected = "xxx...xxx...";
    std::string drawn;
    for (int x = 10; x < 23; ++x) {
        drawn += PixelAt(x, 20) == Rgb(255, 0, 0) ? 'x' : '.';
    }
    EXPECT_EQ(drawn, expected + ".");
}

TEST_F(PixelContext, CopiedRectangleOutlinesWithThePenAndFillsInsideLeavingRightAndBottomOut) {
    dc_->SelectObject(Pen::Solid(1, Rgb(255, 0, 0)));
    dc_->SelectObject(Brush::Solid(Rgb(0, 0, 255)));
    dc_->Rectangle(10, 10, 15, 14);
    const QImage original = PatternedImage();
    const std::vector<std::string> expected{
        "-------",  //
        "-RRRRR-",  //
        "-RBBBR-",  //
        "-RBBBR-",  //
        "-RRRRR-",  //
        "-------",
    };
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const int x = 9 + column;
            const int y = 9 + row;
            const char want = expected[row][column];
            const ColorRef color = PixelAt(x, y);
            if (want == 'R') {
                EXPECT_EQ(color, Rgb(255, 0, 0)) << x << "," << y;
            } else if (want == 'B') {
                EXPECT_EQ(color, Rgb(0, 0, 255)) << x << "," << y;
            } else {
                EXPECT_EQ(Image().pixel(x, y), original.pixel(x, y)) << x << "," << y;
            }
        }
    }
}

// A 3 x 2 picture, 24 bits: top row red, green, blue; bottom row white, black, grey. The bottom row is
// stored first.
DibBlock SmallPicture() {
    std::optional<DibBlock> dib = DibBlock::CreateBlank(3, 2, 24);
    EXPECT_TRUE(dib);
    std::span<std::uint8_t> rows = dib->MutablePixels();
    const std::uint8_t bottom[] = {255, 255, 255, 0, 0, 0, 128, 128, 128};
    const std::uint8_t top[] = {0, 0, 255, 0, 255, 0, 255, 0, 0};  // blue, green, red bytes
    std::copy(std::begin(bottom), std::end(bottom), rows.begin());
    std::copy(std::begin(top), std::end(top),
              rows.begin() + static_cast<std::ptrdiff_t>(dib->Layout().stride));
    return std::move(*dib);
}

const ColorRef kPictureRows[2][3] = {
    {Rgb(255, 0, 0), Rgb(0, 255, 0), Rgb(0, 0, 255)},
    {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(128, 128, 128)},
};

TEST_F(PixelContext, DibOutputPutsTheTopRowOfTheBottomUpPictureAtTheTop) {
    const DibBlock picture = SmallPicture();
    // Twice the size at (40, 30): each picture pixel becomes 2 x 2 device pixels.
    ASSERT_EQ(dc_->StretchDIBits(40, 30, 6, 4, 0, 0, 3, 2, picture.Bytes()), 2);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(PixelAt(40 + x, 30 + y), kPictureRows[y / 2][x / 2]) << x << "," << y;
        }
    }
    const QImage original = PatternedImage();
    EXPECT_EQ(Image().pixel(46, 30), original.pixel(46, 30));
    EXPECT_EQ(Image().pixel(40, 34), original.pixel(40, 34));
}

TEST_F(PixelContext, DibOutputOfTheBitmapElementOnTheCanvasIsUpright) {
    // The bitmap element passes the source flipped (top = height, bottom = 0) and a destination whose
    // corners come from a y-up mapping, so it runs upward too: the two flips cancel.
    UseCanvasMapping();
    const DibBlock picture = SmallPicture();
    const Rect logical{0, 0, 300, 200};  // x1, y1 (bottom in the model), x2, y2 (top)
    ASSERT_EQ(dc_->StretchDIBits(logical.left, logical.top, logical.Width(), logical.Height(), 0, 2, 3, -2,
                                 picture.Bytes()),
              2);
    const Point topLeft = dc_->LPtoDP(Point{0, 200});
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(PixelAt(topLeft.x + x, topLeft.y + y), kPictureRows[y][x]) << x << "," << y;
        }
    }
}

TEST_F(PixelContext, DibOutputLooksUpIndexedColoursAndBlackBeyondThePalette) {
    std::optional<DibBlock> dib = DibBlock::CreateBlank(4, 1, 4);
    ASSERT_TRUE(dib);
    BitmapInfoHeader header = *dib->InfoHeader();
    header.colorsUsed = 2;  // a shorter colour table than 16 entries does not fit this block
    EXPECT_FALSE(dib->ReplaceInfoHeader(header));
    std::span<std::uint8_t> palette = dib->MutablePalette();
    palette[1 * 4 + 2] = 255;                     // index 1: red
    palette[2 * 4 + 1] = 255;                     // index 2: green
    dib->MutablePixels()[0] = 0x12;               // columns 0, 1: indices 1, 2
    dib->MutablePixels()[1] = 0x0F;               // columns 2, 3: indices 0, 15
    palette[15 * 4] = palette[15 * 4 + 1] = 200;  // index 15
    ASSERT_EQ(dc_->StretchDIBits(0, 0, 4, 1, 0, 0, 4, 1, dib->Bytes()), 1);
    EXPECT_EQ(PixelAt(0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(PixelAt(1, 0), Rgb(0, 255, 0));
    EXPECT_EQ(PixelAt(2, 0), Rgb(0, 0, 0));
    EXPECT_EQ(PixelAt(3, 0), Rgb(0, 200, 200));
}

TEST_F(PixelContext, MemoryBitmapIsBlitToTheWindowAndClippedAtItsEdges) {
    DeviceContext memory = dc_->CreateCompatibleDC({50, 40});
    EXPECT_EQ(memory.GetPixel({0, 0}), Rgb(0, 0, 0));
    memory.FillSolidRect(Rect{0, 0, 50, 40}, Rgb(1, 2, 3));
    memory.FillSolidRect(Rect{10, 10, 20, 20}, Rgb(9, 9, 9));
    ASSERT_TRUE(dc_->BitBlt(180, 140, 50, 40, memory, 0, 0));
    EXPECT_EQ(PixelAt(180, 140), Rgb(1, 2, 3));
    EXPECT_EQ(PixelAt(200, 150), Rgb(1, 2, 3));
    ASSERT_TRUE(dc_->BitBlt(0, 0, 100, 100, memory, 10, 10));
    EXPECT_EQ(PixelAt(0, 0), Rgb(9, 9, 9));
    EXPECT_EQ(PixelAt(10, 10), Rgb(1, 2, 3));
    EXPECT_EQ(Image().pixel(45, 45), PatternedImage().pixel(45, 45));  // beyond the source's edge
    EXPECT_EQ(memory.GetPixel({50, 0}), kInvalidColor);
    EXPECT_EQ(dc_->GetPixel({-1, 0}), kInvalidColor);
}

TEST_F(PixelContext, TextIsPaintedInTheTextColourWhateverTheRasterOperation) {
    dc_->FillSolidRect(Rect{0, 0, kWidth, kHeight}, Rgb(255, 255, 255));
    dc_->SetROP2(RasterOp::XorPen);
    dc_->SetTextColor(Rgb(0, 0, 0));
    dc_->SelectObject(Font{"DejaVu Sans", 20});
    dc_->TextOut(10, 10, "Hl");
    int dark = 0;
    for (int y = 10; y < 30; ++y) {
        for (int x = 10; x < 40; ++x) {
            dark += PixelAt(x, y) == Rgb(0, 0, 0) ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 20);
}

// Zoomed far in, device coordinates reach the ends of the 32-bit range; every call must clip them
// without overflowing and draw only the visible part.
TEST_F(PixelContext, ExtremeCoordinatesAreClippedWithoutOverflow) {
    constexpr std::int32_t kLow = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kHigh = std::numeric_limits<std::int32_t>::max();
    const DibBlock picture = SmallPicture();
    for (const RasterOp rop : {RasterOp::CopyPen, RasterOp::NotXorPen}) {
        for (const Pen& pen : {Pen::Solid(1, Rgb(9, 9, 9)), Pen::Solid(5, Rgb(9, 9, 9))}) {
            dc_->SetROP2(rop);
            dc_->SelectObject(pen);
            dc_->SelectObject(Brush::Solid(Rgb(200, 100, 0)));
            dc_->MoveTo(kLow, kLow);
            dc_->LineTo(kHigh, kHigh);
            dc_->Rectangle(kLow, kLow, kHigh, kHigh);
            dc_->Ellipse(kLow, kLow, kHigh, kHigh);
            dc_->Arc(Rect{kLow, kLow, kHigh, kHigh}, Point{kHigh, 0}, Point{0, kLow});
            dc_->AngleArc({kHigh, kHigh}, kHigh, 0.0f, 360.0f);
            const Point polygon[] = {{kLow, kLow}, {kHigh, 0}, {0, kHigh}, {50, 50}};
            dc_->Polygon(polygon);
            const Point curve[] = {{kLow, 0}, {kHigh, kLow}, {kLow, kHigh}, {kHigh, 0}};
            dc_->PolyBezier(curve);
            dc_->TextOut(kHigh, kHigh, "x");
            dc_->TextOut(kLow, kLow, "x");
            dc_->FillSolidRect(Rect{kLow, kLow, kHigh, kHigh}, Rgb(1, 1, 1));
            dc_->StretchDIBits(kLow, kLow, kHigh, kHigh, 0, 0, 3, 2, picture.Bytes());
            dc_->StretchDIBits(kHigh, kHigh, kHigh, kHigh, kLow, kLow, kHigh, kHigh, picture.Bytes());
            DeviceContext memory = dc_->CreateCompatibleDC({4, 4});
            dc_->BitBlt(kHigh, kHigh, kHigh, kHigh, memory, kLow, kLow);
            dc_->BitBlt(kLow, kLow, kHigh, kHigh, memory, kHigh, kHigh);
        }
    }
    dc_->FillSolidRect(Rect{kLow, kLow, kHigh, kHigh}, Rgb(1, 2, 3));
    EXPECT_EQ(PixelAt(0, 0), Rgb(1, 2, 3));
    EXPECT_EQ(PixelAt(kWidth - 1, kHeight - 1), Rgb(1, 2, 3));
}

}  // namespace
