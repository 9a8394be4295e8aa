// One heap policy for every benchmark of this program, so that each measures the same whether it runs
// alone or after the others: large blocks come from the main heap (not from fresh mappings whose use
// depends on what earlier benchmarks freed), and a benchmark hands its memory back when it ends.
#pragma once

namespace jobbench {

// Fixes the heap's thresholds; called once before the first benchmark.
void FixHeapPolicy();
// Gives free heap memory back to the system; called after a benchmark's timed loop.
void ReleaseHeap();

}  // namespace jobbench
