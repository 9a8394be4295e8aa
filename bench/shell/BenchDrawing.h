// What the shell's benchmarks share: a fresh program folder for the run, and a large drawing of small
// closed squares.
#pragma once

#include <filesystem>
#include <memory>

class CCadMgr;

namespace bench {

// A program folder of the run's own ($CUTRIX_HOME), removed at exit with everything written into it.
const std::filesystem::path& BenchHome();

// `count` closed squares of four lines, 2 mm wide, 3 mm apart in rows of 400, on a manager of their own.
std::unique_ptr<CCadMgr> MakeSquares(int count);

}  // namespace bench
