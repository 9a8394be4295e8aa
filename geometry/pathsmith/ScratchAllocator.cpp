// The per-thread store of freed scratch blocks.
#include "ScratchAllocator.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>
#include <array>
#include <bit>
#include <new>

namespace pathsmith {

namespace {

// Classes from 256 bytes to 4 MiB; a thread keeps at most kBlocksPerClass blocks of a class and
// kMaxKeptBytes in all.
constexpr int kSmallestClassBits = 8;
constexpr int kLargestClassBits = 22;
constexpr int kClassCount = kLargestClassBits - kSmallestClassBits + 1;
constexpr int kBlocksPerClass = 16;
constexpr std::size_t kMaxKeptBytes = std::size_t{16} << 20;

// The class whose blocks hold `bytes`, or -1 for blocks too large to keep.
int ClassOf(std::size_t bytes) {
    const int bits = std::max(kSmallestClassBits, static_cast<int>(std::bit_width(bytes - 1)));
    return bits <= kLargestClassBits ? bits - kSmallestClassBits : -1;
}

std::size_t ClassBytes(int sizeClass) {
    return std::size_t{1} << (sizeClass + kSmallestClassBits);
}

class KeptBlocks {
  public:
    KeptBlocks() = default;
    KeptBlocks(const KeptBlocks&) = delete;
    KeptBlocks& operator=(const KeptBlocks&) = delete;
    ~KeptBlocks() {
        for (int sizeClass = 0; sizeClass < kClassCount; ++sizeClass) {
            while (counts_[sizeClass] > 0) {
                void* block = blocks_[sizeClass][--counts_[sizeClass]];
                ASAN_UNPOISON_MEMORY_REGION(block, ClassBytes(sizeClass));
                ::operator delete(block);
            }
        }
    }

    void* Take(int sizeClass) {
        if (counts_[sizeClass] == 0) {
            return ::operator new(ClassBytes(sizeClass));
        }
        keptBytes_ -= ClassBytes(sizeClass);
        return blocks_[sizeClass][--counts_[sizeClass]];
    }

    void Give(void* block, int sizeClass) noexcept {
        const std::size_t bytes = ClassBytes(sizeClass);
        if (counts_[sizeClass] == kBlocksPerClass || keptBytes_ + bytes > kMaxKeptBytes) {
            ::operator delete(block);
            return;
        }
        // A kept block is poisoned, so that AddressSanitizer still reports a use after free.
        ASAN_POISON_MEMORY_REGION(block, bytes);
        blocks_[sizeClass][counts_[sizeClass]++] = block;
        keptBytes_ += bytes;
    }

  private:
    std::array<std::array<void*, kBlocksPerClass>, kClassCount> blocks_{};
    std::array<int, kClassCount> counts_{};
    std::size_t keptBytes_ = 0;
};

KeptBlocks& ThreadBlocks() {
    thread_local KeptBlocks blocks;
    return blocks;
}

}  // namespace

void* ScratchBlocks::Take(std::size_t bytes) {
    const int sizeClass = ClassOf(bytes);
    if (sizeClass < 0) {
        return ::operator new(bytes);
    }
    void* block = ThreadBlocks().Take(sizeClass);
    // Only the bytes asked for are usable: a write past them is still reported.
    ASAN_POISON_MEMORY_REGION(block, ClassBytes(sizeClass));
    ASAN_UNPOISON_MEMORY_REGION(block, bytes);
    return block;
}

void ScratchBlocks::Give(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    const int sizeClass = ClassOf(bytes);
    if (sizeClass < 0) {
        ::operator delete(block);
        return;
    }
    ThreadBlocks().Give(block, sizeClass);
}

}  // namespace pathsmith
