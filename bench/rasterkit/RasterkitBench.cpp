// Halftoning, outline tracing (also the bitmap element's whole tracing), resampling and quarter turns of
// 16-megapixel pictures.
#include <benchmark/benchmark.h>

#include <Magick++.h>
#include <potracelib.h>

#include <algorithm>
#include <cmath>
#include <malloc.h>
#include <map>
#include <memory>
#include <vector>

#include "BenchShapes.h"
#include "CadBitmap.h"
#include "ErrorDiffusion.h"
#include "PlainLoops.h"
#include "Rasterkit.h"

namespace {

using platform::DibBlock;

constexpr int kSide = bench::kPictureSide;

// Freed pictures stay in the heap for the next iteration instead of going back to the system, so that
// every run measures the work on the pixels rather than the first touch of fresh pages (costly in a
// virtual machine); ours and the plain loops alike.
const bool kHeapKeepsPictures = [] {
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return true;
}();

// A grey picture with smooth shading and fine detail, the kind a photo gives.
DibBlock GreyPicture() {
    DibBlock dib;
    _dib_create(kSide, kSide, 8, 0, 0, &dib);
    std::uint8_t* pixels = dib.MutablePixels().data();
    for (int r = 0; r < kSide; ++r) {
        for (int c = 0; c < kSide; ++c) {
            const double shade = 127.5 + 90.0 * std::sin(c * 0.003) * std::cos(r * 0.002) + 30.0 * std::sin((c + r) * 0.05);
            pixels[static_cast<std::size_t>(r) * kSide + c] = static_cast<std::uint8_t>(std::clamp(shade, 0.0, 255.0));
        }
    }
    return dib;
}

DibBlock DitheredPicture() {
    DibBlock dib = GreyPicture();
    _dib_dot(&dib);
    return dib;
}

const DibBlock& Cached(DibBlock (*make)()) {
    static std::map<DibBlock (*)(), DibBlock> pictures;
    auto [it, inserted] = pictures.try_emplace(make);
    if (inserted) {
        it->second = make();
    }
    return it->second;
}

DibBlock CopyOf(const DibBlock& dib) {
    DibBlock copy;
    _dib_copy(&dib, &copy);
    return copy;
}

void CountPixels(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

void BM_DibDot(benchmark::State& state) {
    const DibBlock& grey = Cached(GreyPicture);
    for (auto _ : state) {
        state.PauseTiming();
        DibBlock dib = CopyOf(grey);
        state.ResumeTiming();
        _dib_dot(&dib);
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_DibDot)->Unit(benchmark::kMillisecond)->UseRealTime();

// The diffusion step alone, without the conversion to 1 bit.
void BM_DiffuseErrors(benchmark::State& state) {
    const DibBlock& grey = Cached(GreyPicture);
    for (auto _ : state) {
        state.PauseTiming();
        DibBlock dib = CopyOf(grey);
        state.ResumeTiming();
        rasterkit::DiffuseErrors(*rasterkit::Raster::Of(&dib));
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_DiffuseErrors)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MagickFloydSteinbergMonochrome(benchmark::State& state) {
    Magick::InitializeMagick(nullptr);
    Magick::ResourceLimits::thread(1);
    const DibBlock& grey = Cached(GreyPicture);
    const Magick::Image source(kSide, kSide, "I", Magick::CharPixel, grey.Pixels().data());
    for (auto _ : state) {
        state.PauseTiming();
        Magick::Image image(source);
        image.modifyImage();
        state.ResumeTiming();
        image.quantizeColorSpace(Magick::GRAYColorspace);
        image.quantizeColors(2);
        image.quantizeDitherMethod(Magick::FloydSteinbergDitherMethod);
        image.quantizeDither(true);
        image.quantize();
        benchmark::DoNotOptimize(image.getConstPixels(0, 0, 1, 1));
    }
    CountPixels(state);
}
BENCHMARK(BM_MagickFloydSteinbergMonochrome)->Unit(benchmark::kMillisecond)->UseRealTime();

void FreeCurves(CDbList<CFileCurve*>& curves) {
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        delete node->value;
    }
}

void DibOutline(benchmark::State& state, DibBlock (*make)()) {
    const DibBlock& picture = Cached(make);
    for (auto _ : state) {
        state.PauseTiming();
        DibBlock dib = CopyOf(picture);
        state.ResumeTiming();
        CDbList<CFileCurve*> curves;
        _dib_outline(&dib, &curves, 409.6, 409.6);
        state.PauseTiming();
        state.counters["outlines"] = curves.GetCount();
        FreeCurves(curves);
        state.ResumeTiming();
    }
    CountPixels(state);
}

// potrace's bitmap: words of 64 pixels, most significant bit leftmost, 1 for black.
std::unique_ptr<potrace_bitmap_t, void (*)(potrace_bitmap_t*)> PotraceBitmapOf(const DibBlock& mono) {
    auto* bitmap = new potrace_bitmap_t;
    bitmap->w = kSide;
    bitmap->h = kSide;
    bitmap->dy = kSide / 64;
    bitmap->map = new potrace_word[static_cast<std::size_t>(bitmap->dy) * kSide]();
    const std::size_t stride = mono.Layout().stride;
    for (int r = 0; r < kSide; ++r) {
        const std::uint8_t* row = mono.Pixels().data() + r * stride;
        for (int c = 0; c < kSide; ++c) {
            if (((row[c >> 3] >> (7 - (c & 7))) & 1) == 0) {
                bitmap->map[static_cast<std::size_t>(r) * bitmap->dy + c / 64] |= potrace_word{1} << (63 - c % 64);
            }
        }
    }
    return {bitmap, [](potrace_bitmap_t* b) {
                delete[] b->map;
                delete b;
            }};
}

void PotraceTrace(benchmark::State& state, DibBlock (*make)()) {
    const auto bitmap = PotraceBitmapOf(Cached(make));
    potrace_param_t* params = potrace_param_default();
    for (auto _ : state) {
        potrace_state_t* traced = potrace_trace(params, bitmap.get());
        benchmark::DoNotOptimize(traced);
        potrace_state_free(traced);
    }
    potrace_param_free(params);
    CountPixels(state);
}

// The bitmap element's whole tracing: contours, closing, circle fitting, joining the open pieces and
// thinning, on a picture of 0.1 mm pixels as _dib_outline alone gets.
void TraceOutline(benchmark::State& state, DibBlock (*make)()) {
    constexpr int kTenthMillimetrePixels = 10000;  // pels per metre
    const DibBlock& picture = Cached(make);
    for (auto _ : state) {
        state.PauseTiming();
        CCadBitmap bitmap;
        bitmap.SetDib(&picture);
        _dib_setprecision(&bitmap.dib, kTenthMillimetrePixels, kTenthMillimetrePixels);
        bitmap.CalRect();
        CDbList<CCadElement*> curves;
        state.ResumeTiming();
        bitmap.TraceOutline(0.0, 1.0, &curves, 0);
        state.PauseTiming();
        state.counters["curves"] = curves.GetCount();
        for (auto* node = curves.head->next; node != curves.head; node = node->next) {
            delete node->value;
        }
        state.ResumeTiming();
    }
    CountPixels(state);
}

BENCHMARK_CAPTURE(DibOutline, blobs, bench::BlobPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TraceOutline, blobs, bench::BlobPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(PotraceTrace, blobs, bench::BlobPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(DibOutline, dithered, DitheredPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TraceOutline, dithered, DitheredPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(PotraceTrace, dithered, DitheredPicture)->Unit(benchmark::kMillisecond)->UseRealTime();

DibBlock Depth(int bits) {
    DibBlock dib = CopyOf(Cached(bits == 1 ? DitheredPicture : GreyPicture));
    return dib;
}

// Resampling 16 Mpx to 1.3 times its size, as a change from 300 to 390 dots per inch does.
constexpr double kSideMm = kSide * 25.4 / 300.0;

void BM_SetResolution(benchmark::State& state) {
    const DibBlock picture = Depth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        DibBlock dib = CopyOf(picture);
        state.ResumeTiming();
        _dib_setresolution(&dib, kSideMm, kSideMm, 390);
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_SetResolution)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainResample(benchmark::State& state) {
    const DibBlock picture = Depth(static_cast<int>(state.range(0)));
    const int side = static_cast<int>(kSideMm * 390 * 0.03937007874015748 + 0.5);
    for (auto _ : state) {
        DibBlock dib = rasterkit_test::PlainResample(picture, side, side);
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_PlainResample)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate(benchmark::State& state) {
    const DibBlock picture = Depth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        DibBlock dib = CopyOf(picture);
        state.ResumeTiming();
        _dib_rotate(&dib, 90);
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_Rotate)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PlainQuarterTurn(benchmark::State& state) {
    const DibBlock picture = Depth(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DibBlock dib = rasterkit_test::PlainQuarterTurn(picture);
        benchmark::DoNotOptimize(dib.Pixels().data());
    }
    CountPixels(state);
}
BENCHMARK(BM_PlainQuarterTurn)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
