// Slabs of list nodes. Each thread cuts nodes from its own open slab without a lock; a slab's counter
// learns how many nodes it handed out only when the thread moves on to a new slab (or ends), so that
// cutting a node costs no atomic operation and freeing one costs a single one.
//
// The counter holds (nodes handed out, once known) - (nodes freed). While the slab is open it is 0 or
// negative, so no free can take it to 0 from 1; after the owner adds its count, it is the number of
// live nodes, and whoever takes it to 0 frees the slab.
#include "NodePool.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#include "HugePageSlab.h"

namespace jobscan {
namespace {

constexpr std::size_t kSlabBytes = kHugePageSlabBytes;
// Nodes start one cache line into the slab, behind its counter.
constexpr std::size_t kFirstNodeOffset = 64;

struct Slab {
    std::atomic<std::int64_t> liveOnceClosed{0};
};
static_assert(sizeof(Slab) <= kFirstNodeOffset);

Slab* SlabOf(void* node) {
    return reinterpret_cast<Slab*>(reinterpret_cast<std::uintptr_t>(node) & ~(kSlabBytes - 1));
}

// Freed slabs kept for the next list, up to this many: reading job after job then neither faults in
// nor zeroes its memory again. A kept slab is marked free to the system, which takes its pages back
// when it needs them.
constexpr std::size_t kMostKeptSlabs = 512;

class KeptSlabs {
  public:
    void* Take() {
        std::lock_guard guard(lock_);
        if (slabs_.empty()) {
            return nullptr;
        }
        void* slab = slabs_.back();
        slabs_.pop_back();
        return slab;
    }

    bool Keep(void* slab) {
        std::lock_guard guard(lock_);
        if (slabs_.size() >= kMostKeptSlabs) {
            return false;
        }
        slabs_.push_back(slab);
        return true;
    }

  private:
    std::mutex lock_;
    std::vector<void*> slabs_;
};

// Never destroyed: threads may free nodes while the program ends.
KeptSlabs& TheKeptSlabs() {
    static KeptSlabs* const kept = new KeptSlabs;
    return *kept;
}

// Slabs are mapped and unmapped directly: freeing a job's list never leaves the allocator anything to
// consolidate.
void* MapAlignedSlab() {
    if (void* kept = TheKeptSlabs().Take()) {
        return kept;
    }
    return MapHugePageSlab();
}

void FreeSlab(Slab* slab) {
    slab->~Slab();
    if (TheKeptSlabs().Keep(slab)) {
        ::madvise(slab, kSlabBytes, MADV_FREE);
    } else {
        UnmapHugePageSlab(slab);
    }
}

class OpenSlab {
  public:
    OpenSlab() = default;
    OpenSlab(const OpenSlab&) = delete;
    OpenSlab& operator=(const OpenSlab&) = delete;
    ~OpenSlab() { Close(); }

    void* Take() {
        if (slab_ == nullptr || next_ + kPooledNodeBytes > kSlabBytes) {
            Open();
        }
        void* node = reinterpret_cast<std::uint8_t*>(slab_) + next_;
        next_ += kPooledNodeBytes;
        ++handedOut_;
        return node;
    }

  private:
    void Open() {
        void* memory = MapAlignedSlab();
        Close();
        slab_ = new (memory) Slab;
        next_ = kFirstNodeOffset;
        handedOut_ = 0;
    }

    void Close() {
        if (slab_ == nullptr) {
            return;
        }
        const std::int64_t before = slab_->liveOnceClosed.fetch_add(handedOut_, std::memory_order_acq_rel);
        if (before + handedOut_ == 0) {
            FreeSlab(slab_);
        }
        slab_ = nullptr;
    }

    Slab* slab_ = nullptr;
    std::size_t next_ = 0;
    std::int64_t handedOut_ = 0;
};

// Initial-exec: the library is linked, never loaded late, so the slab is found without a call.
[[gnu::tls_model("initial-exec")]] thread_local OpenSlab openSlab;

}  // namespace

void* AllocatePooledNode() {
    return openSlab.Take();
}

void FreePooledNode(void* node) noexcept {
    if (node == nullptr) {
        return;
    }
    Slab* slab = SlabOf(node);
    if (slab->liveOnceClosed.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        FreeSlab(slab);
    }
}

}  // namespace jobscan
