#include "BlockPool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace {

// Each test takes its own block size, so that no test sees another's pool.
template <std::size_t Bytes>
using Pool = CSharedBlockPool<Bytes>;

// Fills a block with a stamp of its owner and serial; CheckStamp finds any block handed out twice, or
// written over by a neighbour, while in use.
template <std::size_t Bytes>
void Stamp(void* block, std::uint32_t owner, std::uint32_t serial) {
    auto* words = static_cast<std::uint32_t*>(block);
    for (std::size_t i = 0; i < Bytes / sizeof(std::uint32_t); ++i) {
        words[i] = (i % 2 == 0) ? owner : serial;
    }
}

template <std::size_t Bytes>
bool CheckStamp(const void* block, std::uint32_t owner, std::uint32_t serial) {
    const auto* words = static_cast<const std::uint32_t*>(block);
    for (std::size_t i = 0; i < Bytes / sizeof(std::uint32_t); ++i) {
        if (words[i] != ((i % 2 == 0) ? owner : serial)) {
            return false;
        }
    }
    return true;
}

TEST(CSharedBlockPool, BlocksInUseNeverOverlapAndFreedOnesServeTheNextAllocations) {
    constexpr std::size_t kBytes = 104;
    constexpr int kBlocks = 5000;
    std::vector<void*> blocks;
    for (int i = 0; i < kBlocks; ++i) {
        blocks.push_back(Pool<kBytes>::Allocate());
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(blocks.back()) % alignof(void*), 0u);
        Stamp<kBytes>(blocks.back(), 1, static_cast<std::uint32_t>(i));
    }
    for (int i = 0; i < kBlocks; ++i) {
        ASSERT_TRUE(
            CheckStamp<kBytes>(blocks[static_cast<std::size_t>(i)], 1, static_cast<std::uint32_t>(i)));
    }
    const std::size_t carved = Pool<kBytes>::Pool().CarvedBlocks();

    for (int round = 0; round < 3; ++round) {
        for (void* block : blocks) {
            Pool<kBytes>::Free(block);
        }
        for (void*& block : blocks) {
            block = Pool<kBytes>::Allocate();
        }
    }
    EXPECT_EQ(Pool<kBytes>::Pool().CarvedBlocks(), carved);
    EXPECT_EQ(std::set<void*>(blocks.begin(), blocks.end()).size(), blocks.size());
    for (void* block : blocks) {
        Pool<kBytes>::Free(block);
    }
}

// The pattern of a list built on one thread and freed on another, over and over: the blocks travel back
// through the shared pool, so memory stays at what one round needs.
TEST(CSharedBlockPool, BlocksFreedOnAnotherThreadAreReused) {
    constexpr std::size_t kBytes = 112;
    constexpr int kBlocksPerRound = 3000;
    constexpr int kRounds = 40;
    for (int round = 0; round < kRounds; ++round) {
        std::vector<void*> blocks;
        std::thread maker([&] {
            for (int i = 0; i < kBlocksPerRound; ++i) {
                blocks.push_back(Pool<kBytes>::Allocate());
                Stamp<kBytes>(blocks.back(), static_cast<std::uint32_t>(round),
                              static_cast<std::uint32_t>(i));
            }
        });
        maker.join();
        std::thread freer([&] {
            for (std::size_t i = 0; i < blocks.size(); ++i) {
                EXPECT_TRUE(CheckStamp<kBytes>(blocks[i], static_cast<std::uint32_t>(round),
                                               static_cast<std::uint32_t>(i)));
                Pool<kBytes>::Free(blocks[i]);
            }
        });
        freer.join();
    }
    // One round's blocks, plus what magazines partly filled at a thread's end leave loose.
    EXPECT_LE(Pool<kBytes>::Pool().CarvedBlocks(),
              static_cast<std::size_t>(kBlocksPerRound + 4 * CBlockMagazine::kCapacity));
}

TEST(CSharedBlockPool, ThreadsAllocatingAndFreeingAtOnceNeverShareABlock) {
    constexpr std::size_t kBytes = 120;
    constexpr int kThreads = 4;
    constexpr int kSteps = 40000;
    // Blocks pass between threads through this exchange, to be freed by whoever picks them up.
    std::mutex exchangeLock;
    std::vector<std::pair<void*, std::uint32_t>> exchange;
    std::atomic<int> faults{0};
    auto work = [&](std::uint32_t owner) {
        std::mt19937 random(owner);
        std::vector<std::pair<void*, std::uint32_t>> held;
        for (int step = 0; step < kSteps; ++step) {
            const int choice = static_cast<int>(random() % 8);
            if (choice < 4 || held.empty()) {
                void* block = Pool<kBytes>::Allocate();
                Stamp<kBytes>(block, owner, static_cast<std::uint32_t>(step));
                held.emplace_back(block, static_cast<std::uint32_t>(step));
            } else if (choice < 7) {
                const auto [block, serial] = held.back();
                held.pop_back();
                if (!CheckStamp<kBytes>(block, owner, serial)) {
                    ++faults;
                }
                std::lock_guard guard(exchangeLock);
                exchange.emplace_back(block, owner << 24 | serial);
            } else {
                std::lock_guard guard(exchangeLock);
                if (!exchange.empty()) {
                    const auto [block, tag] = exchange.back();
                    exchange.pop_back();
                    if (!CheckStamp<kBytes>(block, tag >> 24, tag & 0xFFFFFF)) {
                        ++faults;
                    }
                    Pool<kBytes>::Free(block);
                }
            }
        }
        for (const auto& [block, serial] : held) {
            if (!CheckStamp<kBytes>(block, owner, serial)) {
                ++faults;
            }
            Pool<kBytes>::Free(block);
        }
    };
    std::vector<std::thread> threads;
    for (std::uint32_t owner = 1; owner <= kThreads; ++owner) {
        threads.emplace_back(work, owner);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const auto& [block, tag] : exchange) {
        Pool<kBytes>::Free(block);
    }
    EXPECT_EQ(faults.load(), 0);
}

TEST(CSharedBlockPool, AnEndedThreadHandsItsBlocksBack) {
    constexpr std::size_t kBytes = 128;
    constexpr int kBlocks = 1000;
    std::thread([] {
        std::vector<void*> blocks;
        for (int i = 0; i < kBlocks; ++i) {
            blocks.push_back(Pool<kBytes>::Allocate());
        }
        for (void* block : blocks) {
            Pool<kBytes>::Free(block);
        }
    }).join();
    const std::size_t carved = Pool<kBytes>::Pool().CarvedBlocks();

    std::vector<void*> blocks;
    for (int i = 0; i < kBlocks; ++i) {
        blocks.push_back(Pool<kBytes>::Allocate());
    }
    EXPECT_EQ(Pool<kBytes>::Pool().CarvedBlocks(), carved);
    for (void* block : blocks) {
        Pool<kBytes>::Free(block);
    }
}

// A thread whose cache has been handed back, as while its other thread-local objects are destroyed,
// still allocates and frees, one block at a time through the pool.
TEST(CBlockCache, ARetiredCacheExchangesSingleBlocksWithThePool) {
    CBlockPool pool(48);
    CBlockCache cache;
    cache.StartKeeping(pool);
    std::vector<void*> blocks;
    for (int i = 0; i < 300; ++i) {
        void* block = cache.TakeLocal(pool.BlockBytes());
        blocks.push_back(block != nullptr ? block : cache.Refill(pool));
    }
    cache.Retire(pool);
    EXPECT_FALSE(cache.Keeping());
    EXPECT_EQ(cache.TakeLocal(pool.BlockBytes()), nullptr);

    for (void* block : blocks) {
        EXPECT_FALSE(cache.PutLocal(block, pool.BlockBytes()));
        cache.Spill(pool, block);
    }
    const std::size_t carved = pool.CarvedBlocks();
    std::set<void*> again;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        again.insert(cache.Refill(pool));
    }
    EXPECT_EQ(pool.CarvedBlocks(), carved);
    EXPECT_EQ(again.size(), blocks.size());
    for (void* block : again) {
        cache.Spill(pool, block);
    }
}

#if defined(__SANITIZE_ADDRESS__) || (defined(__has_feature) && __has_feature(address_sanitizer))
TEST(CSharedBlockPool, AFreedBlockIsPoisonedUntilHandedOutAgain) {
    constexpr std::size_t kBytes = 136;
    void* block = Pool<kBytes>::Allocate();
    std::memset(block, 0xAB, kBytes);
    Pool<kBytes>::Free(block);
    EXPECT_TRUE(__asan_region_is_poisoned(block, kBytes) == block);
    EXPECT_DEATH(static_cast<volatile char*>(block)[kBytes - 1] = 0, "use-after-poison");

    void* again = Pool<kBytes>::Allocate();
    EXPECT_EQ(again, block);
    EXPECT_EQ(__asan_region_is_poisoned(again, kBytes), nullptr);
    Pool<kBytes>::Free(again);
}
#endif

}  // namespace
