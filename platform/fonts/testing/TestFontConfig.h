// Points fontconfig at a configuration of the tests' own that lists only DejaVu Sans, DejaVu Serif and
// Cantarell, so that font matches do not depend on what the machine has installed. Call before the
// first font lookup of the process; later calls do nothing.
#pragma once

namespace platform::testing {

void UseTestFontConfig();

}  // namespace platform::testing
