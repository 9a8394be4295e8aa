// The one home of the shared block pools and of every thread's caches.
#include "BlockPool.h"

#include <array>
#include <mutex>

constinit thread_local CThreadBlockCaches threadBlockCaches{};

namespace {

// Set once the thread's caches have been handed back, while its thread-local objects are destroyed.
constinit thread_local bool threadRetired = false;

// Hands a thread's blocks back to the pools when the thread ends.
struct Retirement {
    ~Retirement() {
        for (std::size_t sizeClass = 1; sizeClass < kBlockSizeClasses; ++sizeClass) {
            CBlockCache& cache = threadBlockCaches.bySize[sizeClass];
            if (cache.Keeping()) {
                cache.Retire(SharedBlockPool(sizeClass * kBlockSizeGrain));
            }
        }
        threadRetired = true;
    }
};

void ArrangeRetirement() {
    thread_local Retirement retirement;
    static_cast<void>(retirement);
}

CBlockCache& CacheFor(std::size_t blockBytes) {
    return threadBlockCaches.bySize[blockBytes / kBlockSizeGrain];
}

// A thread keeps blocks only once its retirement is arranged; a cache that starts keeping after the
// thread's retirement has run would keep them for good.
void KeepBlocksUntilThreadEnds(CBlockCache& cache, std::size_t blockBytes) noexcept {
    if (cache.Keeping() || cache.Retired()) {
        return;
    }
    if (threadRetired) {
        cache.Retire(SharedBlockPool(blockBytes));
        return;
    }
    ArrangeRetirement();
    cache.StartKeeping(SharedBlockPool(blockBytes));
}

}  // namespace

CBlockPool& SharedBlockPool(std::size_t blockBytes) {
    // Never destroyed, like the pools.
    static std::mutex* const lock = new std::mutex;
    static std::array<CBlockPool*, kBlockSizeClasses> pools{};
    std::lock_guard guard(*lock);
    CBlockPool*& pool = pools[blockBytes / kBlockSizeGrain];
    if (pool == nullptr) {
        pool = new CBlockPool(blockBytes);
    }
    return *pool;
}

void* AllocateFromSharedPool(std::size_t blockBytes) {
    CBlockCache& cache = CacheFor(blockBytes);
    KeepBlocksUntilThreadEnds(cache, blockBytes);
    return cache.Refill(SharedBlockPool(blockBytes));
}

void FreeToSharedPool(void* block, std::size_t blockBytes) noexcept {
    CBlockCache& cache = CacheFor(blockBytes);
    KeepBlocksUntilThreadEnds(cache, blockBytes);
    if (cache.PutLocal(block, blockBytes)) {
        return;
    }
    cache.Spill(SharedBlockPool(blockBytes), block);
}
