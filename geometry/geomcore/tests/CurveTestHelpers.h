// What the curve math tests share: the geometric builders and checks that every curve test uses, and
// readable names for table cases.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "Geomcore.h"
#include "GeometryTestHelpers.h"

namespace geomcore_test {

using namespace cutrix::testing;

// Table cases print as their name in test listings instead of as raw bytes; a test file brings this
// into the namespace of its case types with `using geomcore_test::PrintTo;`.
template <typename Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

}  // namespace geomcore_test
