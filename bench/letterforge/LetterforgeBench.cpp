// 10,000 characters of DejaVu Sans, 80 a line: the whole text to curves through _text_create, and, for
// scale, FreeType loading and decomposing the outline of every one of those characters, and building
// the very curve lists _text_create returns from records already at hand (the list's node allocation
// alone, the floor of any text engine that returns them).
#include <benchmark/benchmark.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <string>
#include <vector>

#include "Letterforge.h"

namespace {

constexpr int kCharacters = 10000;
constexpr int kCharactersPerLine = 80;
constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

std::string BenchText() {
    const std::string sample =
        "The quick brown fox jumps over the lazy dog 0123456789, PACK MY BOX WITH FIVE DOZEN JUGS.";
    std::string text;
    for (int i = 0; i < kCharacters; ++i) {
        if (i > 0 && i % kCharactersPerLine == 0) {
            text += '\n';
        }
        text += sample[static_cast<std::size_t>(i) % sample.size()];
    }
    return text;
}

void FreeCurves(CDbList<CFileCurve*>& curves) {
    for (auto* node = curves.head->next; node != curves.head; node = node->next) {
        delete node->value;
    }
}

void TextCreate(benchmark::State& state) {
    const std::string text = BenchText();
    for (auto _ : state) {
        CDbList<CFileCurve*> curves;
        _text_create(nullptr, text, 0, "DejaVu Sans", 8.0, 0.0, 0.0, 1.0, &curves);
        // Freeing the curves is the caller's work, not the engine's.
        state.PauseTiming();
        FreeCurves(curves);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCharacters);
}
BENCHMARK(TextCreate)->Unit(benchmark::kMillisecond);

void CurveListBuilding(benchmark::State& state) {
    std::vector<std::vector<CFileLine>> records;
    {
        CDbList<CFileCurve*> curves;
        _text_create(nullptr, BenchText(), 0, "DejaVu Sans", 8.0, 0.0, 0.0, 1.0, &curves);
        for (auto* node = curves.head->next; node != curves.head; node = node->next) {
            auto& curve = records.emplace_back();
            for (auto* at = node->value->segments.head->next; at != node->value->segments.head;
                 at = at->next) {
                curve.push_back(at->value);
            }
        }
        FreeCurves(curves);
    }
    for (auto _ : state) {
        CDbList<CFileCurve*> curves;
        for (const auto& curve : records) {
            auto* built = new CFileCurve;
            for (const CFileLine& segment : curve) {
                built->segments.AddTail(segment);
            }
            curves.AddTail(built);
        }
        state.PauseTiming();
        FreeCurves(curves);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kCharacters);
    std::size_t segments = 0;
    for (const auto& curve : records) {
        segments += curve.size();
    }
    state.counters["curves"] = static_cast<double>(records.size());
    state.counters["segments"] = static_cast<double>(segments);
}
BENCHMARK(CurveListBuilding)->Unit(benchmark::kMillisecond);

int CountMove(const FT_Vector*, void* user) {
    return ++*static_cast<long*>(user), 0;
}
int CountLine(const FT_Vector*, void* user) {
    return ++*static_cast<long*>(user), 0;
}
int CountConic(const FT_Vector*, const FT_Vector*, void* user) {
    return ++*static_cast<long*>(user), 0;
}
int CountCubic(const FT_Vector*, const FT_Vector*, const FT_Vector*, void* user) {
    return ++*static_cast<long*>(user), 0;
}

void FreeTypeLoadAndDecompose(benchmark::State& state) {
    const std::string text = BenchText();
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    FT_Init_FreeType(&library);
    FT_New_Face(library, kFontFile, 0, &face);
    const FT_Outline_Funcs funcs{CountMove, CountLine, CountConic, CountCubic, 0, 0};
    for (auto _ : state) {
        long segments = 0;
        for (char character : text) {
            if (character == '\n' || character == ' ') {
                continue;
            }
            FT_Load_Glyph(face, FT_Get_Char_Index(face, static_cast<FT_ULong>(character)),
                          FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP);
            FT_Outline_Decompose(&face->glyph->outline, &funcs, &segments);
        }
        benchmark::DoNotOptimize(segments);
    }
    state.SetItemsProcessed(state.iterations() * kCharacters);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}
BENCHMARK(FreeTypeLoadAndDecompose)->Unit(benchmark::kMillisecond);

}  // namespace
