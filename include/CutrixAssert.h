// An assertion that stays on in release builds: for invariants whose breach would give a wrong job, a
// wrong file or a wrong dialog result, where stopping is better than going on.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace cutrix_assert_detail {
[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}
}  // namespace cutrix_assert_detail

#define CUTRIX_ASSERT(condition) \
    ((condition) ? static_cast<void>(0) : ::cutrix_assert_detail::Fail(#condition, __FILE__, __LINE__))
