#include "HugePageSlab.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

void* MapHugePageSlab() {
    void* mapped =
        ::mmap(nullptr, 2 * kHugePageSlabBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Twice the size was mapped so that an aligned slab fits; the rest goes back at once.
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePageSlabBytes - 1) & ~(kHugePageSlabBytes - 1);
    const std::uintptr_t end = start + 2 * kHugePageSlabBytes;
    if (aligned > start) {
        ::munmap(mapped, aligned - start);
    }
    if (end > aligned + kHugePageSlabBytes) {
        ::munmap(reinterpret_cast<void*>(aligned + kHugePageSlabBytes), end - (aligned + kHugePageSlabBytes));
    }
    ::madvise(reinterpret_cast<void*>(aligned), kHugePageSlabBytes, MADV_HUGEPAGE);  // a hint only
    return reinterpret_cast<void*>(aligned);
}

void UnmapHugePageSlab(void* slab) noexcept {
    ::munmap(slab, kHugePageSlabBytes);
}
