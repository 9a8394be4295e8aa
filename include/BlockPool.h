// Fixed-size blocks for list nodes. A drawing or a text of some size builds lists of hundreds of
// thousands of nodes at a time; one heap call per node, and the heap giving the pages back when the
// lists go, cost more than building the lists. Here each thread keeps freed blocks of one size for its
// next nodes, and the threads exchange them by the hundred through a shared pool under a lock.
//
// Blocks are cut from slabs that the shared pools never give back: memory of a size stays at its peak,
// ready for the next lists. Any thread may free a block, also one that another thread allocated. A free
// block is poisoned for AddressSanitizer, so a use after free of a pooled block is still reported.
#pragma once

#include <sanitizer/asan_interface.h>

#include <cstddef>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

#include "HugePageSlab.h"

// Free blocks in stacks of pointers rather than chained through the blocks themselves: taking a block
// then reads no memory of the block, which is cold when it was freed long ago, before handing it out.
struct CBlockMagazine {
    static constexpr int kCapacity = 128;

    CBlockMagazine* next = nullptr;  // in the pool's lists
    int count = 0;
    void* blocks[kCapacity];

    bool Full() const { return count == kCapacity; }
};

// A free block is poisoned, so that AddressSanitizer reports a use after free of a pooled block.
inline void PoisonFreeBlock(void* block, std::size_t bytes) {
    ASAN_POISON_MEMORY_REGION(block, bytes);
}

inline void UnpoisonTakenBlock(void* block, std::size_t bytes) {
    ASAN_UNPOISON_MEMORY_REGION(block, bytes);
}

// The pool of one block size shared by all threads: full and empty magazines handed back by the
// threads, single blocks of threads that have ended, and the slab that new blocks are cut from. A
// magazine may be wanted where nothing may throw; when none can be had then, a freed block is dropped
// rather than kept.
class CBlockPool {
  public:
    static constexpr std::size_t kSlabBytes = kHugePageSlabBytes;

    // blockBytes: a multiple of the blocks' alignment, which is at most the heap's.
    explicit CBlockPool(std::size_t blockBytes) : blockBytes_(blockBytes) {}
    CBlockPool(const CBlockPool&) = delete;
    CBlockPool& operator=(const CBlockPool&) = delete;
    // Only a pool whose blocks and magazines have all come back may go; the shared pools never do.
    ~CBlockPool() {
        for (CBlockMagazine* list : {full_, empty_, loose_}) {
            while (list != nullptr) {
                delete std::exchange(list, list->next);
            }
        }
        for (void* slab : slabs_) {
            UnpoisonTakenBlock(slab, kSlabBytes);
            UnmapHugePageSlab(slab);
        }
    }

    std::size_t BlockBytes() const { return blockBytes_; }

    // Blocks ever cut from slabs: what the pool has taken from the heap, in blocks.
    std::size_t CarvedBlocks() {
        std::lock_guard guard(lock_);
        return carvedBlocks_;
    }

    // Takes an empty magazine and hands back a full one: one given back by a thread, or the empty one
    // filled with new blocks.
    CBlockMagazine* SwapForFull(CBlockMagazine* empty) {
        std::lock_guard guard(lock_);
        if (CBlockMagazine* full = Pop(full_)) {
            Push(empty_, empty);
            return full;
        }
        while (!empty->Full()) {
            empty->blocks[empty->count++] = Carve();
        }
        return empty;
    }

    // Takes a full magazine and hands back an empty one, or null when none can be had.
    CBlockMagazine* SwapForEmpty(CBlockMagazine* full) noexcept {
        std::lock_guard guard(lock_);
        Push(full_, full);
        return PopEmptyOrNew();
    }

    // An empty magazine for a thread that starts keeping blocks, or null.
    CBlockMagazine* TakeEmpty() noexcept {
        std::lock_guard guard(lock_);
        return PopEmptyOrNew();
    }

    // Takes back a magazine of any fill, null included.
    void GiveBack(CBlockMagazine* magazine) noexcept {
        if (magazine == nullptr) {
            return;
        }
        std::lock_guard guard(lock_);
        while (magazine->count > 0 && !magazine->Full()) {
            KeepLoose(magazine->blocks[--magazine->count]);
        }
        Push(magazine->Full() ? full_ : empty_, magazine);
    }

    // A single free block, poisoned.
    void* TakeOne() {
        std::lock_guard guard(lock_);
        if (loose_ == nullptr || loose_->count == 0) {
            CBlockMagazine* full = Pop(full_);
            if (full == nullptr) {
                return Carve();
            }
            Push(empty_, std::exchange(loose_, full));
        }
        return loose_->blocks[--loose_->count];
    }

    // Takes back a single free block, poisoned.
    void GiveOne(void* block) noexcept {
        std::lock_guard guard(lock_);
        KeepLoose(block);
    }

  private:
    static void Push(CBlockMagazine*& list, CBlockMagazine* magazine) {
        if (magazine != nullptr) {
            magazine->next = list;
            list = magazine;
        }
    }

    static CBlockMagazine* Pop(CBlockMagazine*& list) {
        CBlockMagazine* magazine = list;
        if (magazine != nullptr) {
            list = magazine->next;
            magazine->next = nullptr;
        }
        return magazine;
    }

    CBlockMagazine* PopEmptyOrNew() noexcept {
        if (CBlockMagazine* empty = Pop(empty_)) {
            return empty;
        }
        return new (std::nothrow) CBlockMagazine;
    }

    void KeepLoose(void* block) noexcept {
        if (loose_ == nullptr || loose_->Full()) {
            Push(full_, std::exchange(loose_, PopEmptyOrNew()));
            if (loose_ == nullptr) {
                return;
            }
        }
        loose_->blocks[loose_->count++] = block;
    }

    void* Carve() {
        if (slabLeft_ < blockBytes_) {
            slabNext_ = static_cast<std::byte*>(MapHugePageSlab());
            slabs_.push_back(slabNext_);
            PoisonFreeBlock(slabNext_, kSlabBytes);
            slabLeft_ = kSlabBytes;
        }
        void* block = slabNext_;
        slabNext_ += blockBytes_;
        slabLeft_ -= blockBytes_;
        ++carvedBlocks_;
        return block;
    }

    const std::size_t blockBytes_;
    std::mutex lock_;
    CBlockMagazine* full_ = nullptr;
    CBlockMagazine* empty_ = nullptr;
    CBlockMagazine* loose_ = nullptr;  // single blocks given back; not full, or null
    std::byte* slabNext_ = nullptr;
    std::size_t slabLeft_ = 0;
    std::size_t carvedBlocks_ = 0;
    std::vector<void*> slabs_;
};

// One thread's free blocks of one size: the magazine it takes from and frees into, and one more, full
// or empty, so that a thread swinging between allocating and freeing at a magazine's edge does not go
// to the shared pool each time. Trivially destructible and constant-initialized, so that a thread-local
// cache costs no guard on each use. A thread keeps blocks only after it has arranged for Retire to run
// when it ends; from then on it exchanges single blocks with the pool.
class CBlockCache {
  public:
    // An unpoisoned block of the cache, or null when it has none at hand.
    void* TakeLocal(std::size_t blockBytes) {
        CBlockMagazine* magazine = loaded_;
        if (magazine == nullptr || magazine->count == 0) {
            return nullptr;
        }
        void* block = magazine->blocks[--magazine->count];
        if (magazine->count >= kPrefetchDistance) {
            PrefetchForWriting(magazine->blocks[magazine->count - kPrefetchDistance], blockBytes);
        }
        UnpoisonTakenBlock(block, blockBytes);
        return block;
    }

    // Keeps a freed block; false when there is no room at hand.
    bool PutLocal(void* block, std::size_t blockBytes) {
        CBlockMagazine* magazine = loaded_;
        if (magazine == nullptr || magazine->Full()) {
            return false;
        }
        PoisonFreeBlock(block, blockBytes);
        magazine->blocks[magazine->count++] = block;
        return true;
    }

    bool Keeping() const { return loaded_ != nullptr; }
    bool Retired() const { return retired_; }

    // Called once the thread has arranged for Retire to run when it ends.
    void StartKeeping(CBlockPool& pool) noexcept {
        if (!retired_ && loaded_ == nullptr) {
            loaded_ = pool.TakeEmpty();
        }
    }

    // A block for when TakeLocal had none.
    void* Refill(CBlockPool& pool) {
        if (loaded_ == nullptr) {
            void* block = pool.TakeOne();
            UnpoisonTakenBlock(block, pool.BlockBytes());
            return block;
        }
        if (spare_ != nullptr && spare_->Full()) {
            std::swap(loaded_, spare_);
        } else {
            loaded_ = pool.SwapForFull(loaded_);
        }
        return TakeLocal(pool.BlockBytes());
    }

    // Frees a block that PutLocal had no room for.
    void Spill(CBlockPool& pool, void* block) noexcept {
        if (loaded_ != nullptr) {
            if (spare_ == nullptr || spare_->count == 0) {
                std::swap(loaded_, spare_);
                if (loaded_ == nullptr) {
                    loaded_ = pool.TakeEmpty();
                }
            } else {
                loaded_ = pool.SwapForEmpty(std::exchange(spare_, loaded_));
            }
            if (PutLocal(block, pool.BlockBytes())) {
                return;
            }
        }
        PoisonFreeBlock(block, pool.BlockBytes());
        pool.GiveOne(block);
    }

    void Retire(CBlockPool& pool) noexcept {
        pool.GiveBack(std::exchange(loaded_, nullptr));
        pool.GiveBack(std::exchange(spare_, nullptr));
        retired_ = true;
    }

  private:
    // A block freed long ago is out of the processor's caches, and filling a new node with it would wait
    // for each of its cache lines in turn; asking for the lines of a block taken a few nodes later lets
    // the waits overlap.
    static constexpr int kPrefetchDistance = 4;
    static constexpr std::size_t kCacheLineBytes = 64;

    static void PrefetchForWriting(void* block, std::size_t blockBytes) {
        const auto* bytes = static_cast<const char*>(block);
        for (std::size_t offset = 0; offset < blockBytes; offset += kCacheLineBytes) {
            __builtin_prefetch(bytes + offset, 1);
        }
        __builtin_prefetch(bytes + blockBytes - 1, 1);
    }

    CBlockMagazine* loaded_ = nullptr;  // null while the thread keeps no blocks
    CBlockMagazine* spare_ = nullptr;
    bool retired_ = false;
};

// The pools and the per-thread caches of every pooled block size, for the whole program, defined once
// in their own shared library: every library keeps its own copies of inline code and of hidden symbols,
// and a node made in one library is often freed in another. The pools are never destroyed, as threads
// may free blocks while the program ends.
constexpr std::size_t kBlockSizeGrain = 8;
constexpr std::size_t kLargestPooledBlock = 256;
constexpr std::size_t kBlockSizeClasses = kLargestPooledBlock / kBlockSizeGrain + 1;  // by size / grain

struct CThreadBlockCaches {
    CBlockCache bySize[kBlockSizeClasses];
};

#define CUTRIX_BLOCK_POOL_EXPORT __attribute__((visibility("default")))

extern CUTRIX_BLOCK_POOL_EXPORT constinit thread_local CThreadBlockCaches threadBlockCaches;

// The pool of a block size that is a multiple of kBlockSizeGrain up to kLargestPooledBlock.
CUTRIX_BLOCK_POOL_EXPORT CBlockPool& SharedBlockPool(std::size_t blockBytes);
// The ways on when the thread's cache has no block, or no room, at hand.
CUTRIX_BLOCK_POOL_EXPORT void* AllocateFromSharedPool(std::size_t blockBytes);
CUTRIX_BLOCK_POOL_EXPORT void FreeToSharedPool(void* block, std::size_t blockBytes) noexcept;

template <std::size_t BlockBytes>
class CSharedBlockPool {
    static_assert(BlockBytes % kBlockSizeGrain == 0 && BlockBytes <= kLargestPooledBlock);

  public:
    static void* Allocate() {
        if (void* block = Cache().TakeLocal(BlockBytes)) {
            return block;
        }
        return AllocateFromSharedPool(BlockBytes);
    }

    static void Free(void* block) noexcept {
        if (block == nullptr || Cache().PutLocal(block, BlockBytes)) {
            return;
        }
        FreeToSharedPool(block, BlockBytes);
    }

    static CBlockPool& Pool() { return SharedBlockPool(BlockBytes); }

  private:
    static CBlockCache& Cache() { return threadBlockCaches.bySize[BlockBytes / kBlockSizeGrain]; }
};

// List nodes come from the shared pool of their size. Sanitizer builds take them from the heap one by
// one instead, so that leaks and uses after free of nodes are reported as for any other object.
#if defined(__SANITIZE_ADDRESS__)
#define CUTRIX_POOLED_LIST_NODES 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CUTRIX_POOLED_LIST_NODES 0
#endif
#endif
#ifndef CUTRIX_POOLED_LIST_NODES
#define CUTRIX_POOLED_LIST_NODES 1
#endif

template <typename Node>
constexpr bool kPooledListNode = CUTRIX_POOLED_LIST_NODES && alignof(Node) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__
                                 && sizeof(Node) % kBlockSizeGrain == 0 &&
                                 sizeof(Node) <= kLargestPooledBlock;

template <typename Node>
void* AllocateListNode() {
    if constexpr (kPooledListNode<Node>) {
        return CSharedBlockPool<sizeof(Node)>::Allocate();
    } else {
        return ::operator new(sizeof(Node));
    }
}

template <typename Node>
void FreeListNode(void* node) noexcept {
    if constexpr (kPooledListNode<Node>) {
        CSharedBlockPool<sizeof(Node)>::Free(node);
    } else {
        ::operator delete(node);
    }
}
