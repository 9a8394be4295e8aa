// Working memory of the engines that is kept per thread from one call to the next. An offset of a
// small part builds a few dozen arrays of some hundred kilobytes together and frees them at the end;
// the heap then hands the top of its memory back to the system, and the next call pays for fresh,
// zeroed pages again, which costs more than the geometry. Freed blocks are kept by size class
// instead, at most 16 blocks of a class and 16 MiB in all per thread, and handed out again to the
// next arrays of that class; the blocks go back to the heap when the thread ends.
#pragma once

#include <cstddef>
#include <vector>

namespace pathsmith {

// Blocks by power-of-two size class, held for the thread that freed them. Blocks above the largest
// class go straight to the heap and back: a large contour's work dwarfs its page faults.
class ScratchBlocks {
  public:
    static void* Take(std::size_t bytes);
    static void Give(void* block, std::size_t bytes) noexcept;
};

template <typename T>
struct ScratchAllocator {
    using value_type = T;

    ScratchAllocator() = default;
    template <typename U>
    ScratchAllocator(const ScratchAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) { return static_cast<T*>(ScratchBlocks::Take(count * sizeof(T))); }
    void deallocate(T* items, std::size_t count) noexcept { ScratchBlocks::Give(items, count * sizeof(T)); }

    template <typename U>
    bool operator==(const ScratchAllocator<U>&) const noexcept {
        return true;
    }
};

template <typename T>
using ScratchVector = std::vector<T, ScratchAllocator<T>>;

}  // namespace pathsmith
