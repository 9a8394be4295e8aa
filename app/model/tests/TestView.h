// A view for drawing tests: a mapping context of 10 device pixels per millimetre with y up and the model
// origin at the bottom-left pixel corner, and a drawing context in device pixels that either records its
// calls or paints a white QImage.
#pragma once

#include <memory>
#include <vector>

#include "DeviceContext.h"
#include "LogicalUnits.h"
#include "QImageBackend.h"
#include "RecordingBackend.h"
#include "SDPoint.h"

class TestView {
  public:
    static constexpr int kPixelsPerMm = 10;

    // A recording view of width x height pixels.
    static TestView Recording(int width = 400, int height = 400) {
        return TestView(width, height, std::make_unique<platform::RecordingBackend>(platform::Size{width, height}));
    }
    // A painting view, white all over.
    static TestView Painting(int width = 400, int height = 400) {
        TestView view(width, height, std::make_unique<platform::QImageBackend>(platform::Size{width, height}));
        view.drawDC.FillSolidRect(platform::Rect{0, 0, width, height}, platform::Rgb(255, 255, 255));
        return view;
    }

    platform::DeviceContext mapDC;
    platform::DeviceContext drawDC;

    // The device pixel of a model point.
    platform::Point Pixel(SDPoint mm) const { return mapDC.LPtoDP(ToLogicalUnits(mm)); }
    platform::ColorRef ColourAt(SDPoint mm) const { return drawDC.GetPixel(Pixel(mm)); }
    platform::ColorRef ColourAtPixel(platform::Point pixel) const { return drawDC.GetPixel(pixel); }
    const std::vector<platform::GdiCall>& Calls() const {
        return static_cast<const platform::RecordingBackend&>(drawDC.Backend()).Calls();
    }
    // Pixels of the colour on the surface.
    int CountColour(platform::ColorRef colour) const {
        int count = 0;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                count += drawDC.GetPixel({x, y}) == colour ? 1 : 0;
            }
        }
        return count;
    }

  private:
    TestView(int width, int height, std::unique_ptr<platform::GdiBackend> drawBackend)
        : mapDC(std::make_unique<platform::RecordingBackend>(platform::Size{width, height})),
          drawDC(std::move(drawBackend)),
          width_(width),
          height_(height) {
        mapDC.SetMapMode(platform::MapMode::Anisotropic);
        mapDC.SetWindowExt(1000, 1000);
        mapDC.SetViewportExt(kPixelsPerMm, -kPixelsPerMm);
        mapDC.SetViewportOrg(0, height);
    }

    int width_;
    int height_;
};
