// The heap policy of the job benchmarks.
#include "BenchHeap.h"

#include <malloc.h>

namespace jobbench {
namespace {

// Larger than any job a benchmark builds; setting these also stops glibc from moving them on its own.
constexpr int kLargestHeapBlock = 1 << 30;

}  // namespace

void FixHeapPolicy() {
    ::mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
    ::mallopt(M_TRIM_THRESHOLD, kLargestHeapBlock);
}

void ReleaseHeap() {
    ::malloc_trim(0);
}

namespace {

const bool kHeapPolicyFixed = (FixHeapPolicy(), true);

}  // namespace
}  // namespace jobbench
