// Memory for the list nodes of job records. A job of tens of millions of records would otherwise take
// one malloc per node and, when its list is freed, leave the allocator millions of small chunks to
// consolidate on the next large request. Nodes are cut from 2 MiB slabs instead; a slab goes back to
// the system whole once every node cut from it has been freed.
#pragma once

#include <cstddef>

namespace jobscan {

// The one node size the pool serves: a JobCommand and two links.
constexpr std::size_t kPooledNodeBytes = 40;

// Throws std::bad_alloc when no slab can be had.
void* AllocatePooledNode();
// Any thread may free a node, also one other than the thread that allocated it.
void FreePooledNode(void* node) noexcept;

}  // namespace jobscan
