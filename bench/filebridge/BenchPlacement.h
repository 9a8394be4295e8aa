// What the import benchmarks share: an import carried to the window as the frame carries it, the
// reader's part of it alone, and the plain read beneath both.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace bench {

// Times, per iteration: the file library's import of the file, the placement with the import worker
// under the default file settings, and the centring with the zoom that draws the drawing once on a
// 1920 x 1080 canvas. The drawing is freed untimed.
void ImportUntilShown(benchmark::State& state, const std::string& path);

// Times the file library's import of the file into records alone, the reader's parse without placement
// or drawing; freeing the records is the caller's work and is not timed.
void ImportRecords(benchmark::State& state, const std::string& path);

// Times reading the file's bytes into memory, the least any import does.
void PlainRead(benchmark::State& state, const std::string& path);

}  // namespace bench
