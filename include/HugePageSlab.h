// Large blocks of fresh memory for node pools, mapped on a huge-page boundary and marked for huge pages
// where the system offers them: a 2 MiB slab is then faulted in once instead of 512 times, which
// matters when lists take hundreds of megabytes.
#pragma once

#include <cstddef>

#define CUTRIX_HUGE_PAGE_SLAB_EXPORT __attribute__((visibility("default")))

constexpr std::size_t kHugePageSlabBytes = std::size_t{2} << 20;

// A slab of kHugePageSlabBytes aligned to its size; throws std::bad_alloc when none can be mapped.
CUTRIX_HUGE_PAGE_SLAB_EXPORT void* MapHugePageSlab();
CUTRIX_HUGE_PAGE_SLAB_EXPORT void UnmapHugePageSlab(void* slab) noexcept;
