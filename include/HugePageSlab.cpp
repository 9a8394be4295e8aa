#include "HugePageSlab.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace {

std::size_t WholeHugePages(std::size_t bytes) {
    return (bytes + kHugePageSlabBytes - 1) & ~(kHugePageSlabBytes - 1);
}

}  // namespace

void* MapHugePages(std::size_t bytes) {
    const std::size_t size = WholeHugePages(bytes);
    if (size == 0 || size > SIZE_MAX - kHugePageSlabBytes) {
        throw std::bad_alloc();
    }
    // One huge page more is mapped so that an aligned block fits; the rest goes back at once.
    const std::size_t mappedSize = size + kHugePageSlabBytes;
    void* mapped = ::mmap(nullptr, mappedSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kHugePageSlabBytes - 1) & ~(kHugePageSlabBytes - 1);
    const std::uintptr_t end = start + mappedSize;
    if (aligned > start) {
        ::munmap(mapped, aligned - start);
    }
    if (end > aligned + size) {
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    }
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint only
    return reinterpret_cast<void*>(aligned);
}

void UnmapHugePages(void* block, std::size_t bytes) noexcept {
    ::munmap(block, WholeHugePages(bytes));
}
