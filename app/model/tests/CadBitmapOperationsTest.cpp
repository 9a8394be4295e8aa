// CCadBitmap image operations: the conversions with their resampling switch and progress, resampling,
// the scan preparation of job output, and the packing of the panel logo.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "CadBitmap.h"
#include "CadBitmapPictures.h"
#include "LayerOutputRecord.h"
#include "Progress.h"

namespace {

constexpr int k72Dpi = 2835;  // pels per metre

std::unique_ptr<CCadBitmap> MakeRamp(int width, int height) {
    return MakeGreyBitmap(width, height, k72Dpi, [&](int x, int) { return x * 255 / (width - 1); });
}

std::vector<std::uint8_t> ImageBytes(const CCadBitmap& bitmap) {
    return {bitmap.dib.Bytes().begin(), bitmap.dib.Bytes().end()};
}

// Sets the resampling switch for one test and puts it back.
class ResampleSwitch {
  public:
    explicit ResampleSwitch(std::uint32_t on) : saved_(ResampleOnConvert) { ResampleOnConvert = on; }
    ~ResampleSwitch() { ResampleOnConvert = saved_; }

  private:
    std::uint32_t saved_;
};

TEST(CadBitmapOperations, ConversionsResampleOnlyWithTheSwitchAndStopAtTheFirstFailure) {
    struct Case {
        const char* name;
        std::uint32_t resample;
        std::function<int(CCadBitmap&)> run;
        int result;
        int bits;
        int width;
        double progress;  // ProgressRatio afterwards with the range (0.2, 0.8); -1 when not written
    };
    const Case cases[] = {
        {"grey, switch off", 0, [](CCadBitmap& b) { return b.ToGrey(144, 0.2, 0.8); }, 1, 8, 40, 1.0},
        {"grey at 144 dpi", 1, [](CCadBitmap& b) { return b.ToGrey(144, 0.2, 0.8); }, 1, 8, 80, 1.0},
        // The format is done, then resampling refuses dpi 0: the progress stands at half the range.
        {"grey at dpi 0", 1, [](CCadBitmap& b) { return b.ToGrey(0, 0.2, 0.8); }, 0, 8, 40, 0.6},
        {"mono at dpi 0", 1, [](CCadBitmap& b) { return b.ToMono(0, 0.2, 0.8); }, 1, 1, 40, 1.0},
        {"mono at 36 dpi", 1, [](CCadBitmap& b) { return b.ToMono(36, 0.2, 0.8); }, 1, 1, 20, 1.0},
        {"dot at dpi 0", 1, [](CCadBitmap& b) { return b.ToDot(0, 0.2, 0.8); }, 0, 8, 40, -1},
        {"dot, switch off", 0, [](CCadBitmap& b) { return b.ToDot(0, 0.2, 0.8); }, 1, 1, 40, -1},
        {"net at 144 dpi", 1, [](CCadBitmap& b) { return b.ToNet(20, 144); }, 1, 1, 80, -1},
    };
    for (const Case& c : cases) {
        const ResampleSwitch resample(c.resample);
        const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(40, 30);
        ProgressRatio = -1;
        EXPECT_EQ(c.run(*bitmap), c.result) << c.name;
        EXPECT_EQ(bitmap->GetBitCount(), c.bits) << c.name;
        EXPECT_EQ(bitmap->GetWidth(), c.width) << c.name;
        EXPECT_DOUBLE_EQ(ProgressRatio, c.progress) << c.name;
    }
}

TEST(CadBitmapOperations, ConversionsThatCannotStartLeaveTheImage) {
    const std::unique_ptr<CCadBitmap> flat = MakeRamp(40, 30);
    const std::vector<std::uint8_t> before = ImageBytes(*flat);
    flat->rect.x2 = flat->rect.x1;
    EXPECT_EQ(flat->ToNet(20, 72), 0);
    EXPECT_EQ(flat->Resample(0, 64, 8), 0);
    EXPECT_EQ(flat->Resample(128, -1, 8), 0);
    EXPECT_EQ(flat->Mix(nullptr, 0, 0, 0, 0), 0);
    EXPECT_EQ(ImageBytes(*flat), before);

    ASSERT_EQ(flat->Resample(128, 64, 8), 1);
    EXPECT_EQ(flat->GetWidth(), 128);
    EXPECT_DOUBLE_EQ(flat->rect.x2 - flat->rect.x1, 1280.0);  // 100 pels per metre
}

LayerOutputRecord BitmapRecord() {
    LayerOutputRecord record;
    record.common.type = 1;
    record.bitmap.scanInterval = 0.4;
    return record;
}

TEST(CadBitmapOperations, PrepareScanFollowsTheLayerRecord) {
    struct Case {
        const char* name;
        std::function<void(LayerOutputRecord&)> set;
        int bits;
        int topLeftGrey;  // of the ramp's dark end, which the overstriking leaves dark
    };
    const Case cases[] = {
        {"plain", [](LayerOutputRecord&) {}, 1, 0},
        {"negative", [](LayerOutputRecord& r) { r.bitmap.negative = 1; }, 1, 255},
        {"output direct and negative only invert",
         [](LayerOutputRecord& r) {
             r.bitmap.outputDirect = 1;
             r.bitmap.negative = 1;
         },
         8, 255},
        {"ramp", [](LayerOutputRecord& r) {
             r.bitmap.ramp = 1;
             r.bitmap.rampLength = 1.0;
         },
         8, 0},
        {"ramp of length 0 gives way to overstriking",
         [](LayerOutputRecord& r) {
             r.bitmap.ramp = 1;
             r.bitmap.overstriking = 2;
         },
         8, 0},
        {"vector record with overstriking",
         [](LayerOutputRecord& r) {
             r.common.type = 0;
             r.vector.overstriking = 1;
             r.vector.scanInterval = 0.4;
         },
         8, 0},
    };
    for (const Case& c : cases) {
        LayerOutputRecord record = BitmapRecord();
        c.set(record);
        const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(40, 30);
        ProgressRatio = 0;
        EXPECT_EQ(bitmap->PrepareScan(&record, 0.5, 0.25), 1) << c.name;
        EXPECT_EQ(bitmap->GetBitCount(), c.bits) << c.name;
        EXPECT_EQ(bitmap->GetPixel(0, 0) & 0xFF, c.topLeftGrey) << c.name;
        EXPECT_DOUBLE_EQ(ProgressRatio, 0.75) << c.name;
    }
    const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(40, 30);
    EXPECT_EQ(bitmap->PrepareScan(nullptr, 0, 1), 0);
}

// Overstriking thickens by half the scan interval, the same as the sequence of steps done by hand.
TEST(CadBitmapOperations, PrepareScanThickensByHalfTheScanInterval) {
    LayerOutputRecord record = BitmapRecord();
    record.bitmap.overstriking = 2;
    record.bitmap.scanInterval = 2.0;
    const std::unique_ptr<CCadBitmap> prepared = MakeGreyBitmap(60, 40, k72Dpi, [](int x, int y) {
        return (x - 30) * (x - 30) + (y - 20) * (y - 20) < 100 ? 0 : 255;
    });
    CCadBitmap byHand(*prepared);
    ASSERT_EQ(prepared->PrepareScan(&record, 0, 1), 1);
    ASSERT_EQ(byHand.SetFormat(1), 1);
    ASSERT_EQ(byHand.SetFormat(8), 1);
    ASSERT_EQ(byHand.ThickFont(2, 1.0, 0, 0), 1);
    EXPECT_EQ(ImageBytes(*prepared), ImageBytes(byHand));
    CCadBitmap unthickened(*MakeGreyBitmap(60, 40, k72Dpi, [](int, int) { return 255; }));
    EXPECT_NE(ImageBytes(*prepared), ImageBytes(unthickened));
}

// A thickening that fails (here for a picture of no width in mm) leaves the layer's picture wrong, so
// the preparation reports the failure instead of success.
TEST(CadBitmapOperations, PrepareScanFailsAfterAFailedThickening) {
    for (std::uint16_t type : {0, 1}) {
        LayerOutputRecord record = BitmapRecord();
        record.common.type = type;
        record.bitmap.overstriking = 2;
        record.vector.overstriking = 2;
        record.vector.scanInterval = 0.4;
        const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(40, 30);
        bitmap->rect.x2 = bitmap->rect.x1;
        EXPECT_EQ(bitmap->PrepareScan(&record, 0, 1), 0) << type;
    }
}

TEST(CadBitmapOperations, WriteSweepRefusesALineStepOfZero) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(40, 30);
    std::int32_t stateA = 0, stateB = 0;
    EXPECT_EQ(bitmap->WriteSweep(0.0, 1, 0, 0, 0, &stateA, &stateB, 0.0, 0, 1), 0);
}

using LogoBytes = std::array<std::uint8_t, CCadBitmap::kLogoBytes>;

// The expected logo of a picture: bit k of byte b x 128 + x set for a dark pixel (x, 8b + k).
LogoBytes ExpectedLogo(const std::function<bool(int, int)>& dark) {
    LogoBytes bytes{};
    for (int y = 0; y < CCadBitmap::kLogoHeight; ++y) {
        for (int x = 0; x < CCadBitmap::kLogoWidth; ++x) {
            if (dark(x, y)) {
                bytes[(y / 8) * 128 + x] = static_cast<std::uint8_t>(bytes[(y / 8) * 128 + x] | (1 << (y % 8)));
            }
        }
    }
    return bytes;
}

TEST(CadBitmapOperations, LogoBitsPackDarkPixelsInBandsOfEightRows) {
    struct Case {
        const char* name;
        int width, height;
        std::function<int(int, int)> grey;
        std::function<bool(int, int)> dark;
    };
    const Case cases[] = {
        {"all black", 128, 64, [](int, int) { return 0; }, [](int, int) { return true; }},
        {"all white", 128, 64, [](int, int) { return 255; }, [](int, int) { return false; }},
        {"black top row", 128, 64, [](int, int y) { return y == 0 ? 0 : 255; }, [](int, int y) { return y == 0; }},
        {"127 dark, 128 light", 128, 64, [](int x, int) { return x % 2 == 0 ? 127 : 128; },
         [](int x, int) { return x % 2 == 0; }},
        {"diagonal", 128, 64, [](int x, int y) { return x / 2 == y ? 0 : 200; }, [](int x, int y) { return x / 2 == y; }},
        // A picture smaller than the panel: what lies beyond it reads white.
        {"100 x 50 black", 100, 50, [](int, int) { return 0; }, [](int x, int y) { return x < 100 && y < 50; }},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CCadBitmap> bitmap = MakeGreyBitmap(c.width, c.height, k72Dpi, c.grey);
        LogoBytes bytes;
        bytes.fill(0xAA);
        ASSERT_EQ(bitmap->GetLogoBits(bytes.data()), 1) << c.name;
        EXPECT_EQ(bytes, ExpectedLogo(c.dark)) << c.name;
    }
    const std::unique_ptr<CCadBitmap> bitmap = MakeRamp(128, 64);
    EXPECT_EQ(bitmap->GetLogoBits(nullptr), 0);
}

// A 1-bit picture reads its pixels as black or white.
TEST(CadBitmapOperations, LogoBitsOfAOneBitPicture) {
    const std::unique_ptr<CCadBitmap> bitmap = MakeGreyBitmap(128, 64, k72Dpi, [](int x, int) { return x < 64 ? 0 : 255; });
    ASSERT_EQ(bitmap->SetFormat(1), 1);
    LogoBytes bytes{};
    ASSERT_EQ(bitmap->GetLogoBits(bytes.data()), 1);
    EXPECT_EQ(bytes, ExpectedLogo([](int x, int) { return x < 64; }));
}

}  // namespace
