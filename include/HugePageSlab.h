// Large blocks of fresh memory, mapped on a huge-page boundary and marked for huge pages where the
// system offers them: 2 MiB are then faulted in once instead of 512 times, which matters when lists and
// arrays take hundreds of megabytes.
#pragma once

#include <cstddef>
#include <memory>

#define CUTRIX_HUGE_PAGE_SLAB_EXPORT __attribute__((visibility("default")))

constexpr std::size_t kHugePageSlabBytes = std::size_t{2} << 20;

// At least `bytes` of zeroed memory aligned to kHugePageSlabBytes; throws std::bad_alloc when none can
// be mapped. UnmapHugePages takes the same byte count back.
CUTRIX_HUGE_PAGE_SLAB_EXPORT void* MapHugePages(std::size_t bytes);
CUTRIX_HUGE_PAGE_SLAB_EXPORT void UnmapHugePages(void* block, std::size_t bytes) noexcept;

// One slab of kHugePageSlabBytes, as node pools cut them.
inline void* MapHugePageSlab() {
    return MapHugePages(kHugePageSlabBytes);
}
inline void UnmapHugePageSlab(void* slab) noexcept {
    UnmapHugePages(slab, kHugePageSlabBytes);
}

// An allocator for arrays that may grow to many megabytes and are filled at once: large ones come from
// huge pages, small ones from the heap.
template <typename T>
struct HugePageAllocator {
    using value_type = T;
    static constexpr std::size_t kSmallestMappedBytes = kHugePageSlabBytes / 2;

    HugePageAllocator() = default;
    template <typename U>
    HugePageAllocator(const HugePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        return static_cast<T*>(bytes < kSmallestMappedBytes ? std::allocator<T>().allocate(count)
                                                            : MapHugePages(bytes));
    }
    void deallocate(T* block, std::size_t count) noexcept {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kSmallestMappedBytes) {
            std::allocator<T>().deallocate(block, count);
        } else {
            UnmapHugePages(block, bytes);
        }
    }

    template <typename U>
    bool operator==(const HugePageAllocator<U>&) const {
        return true;
    }
};
