// The text of a watching dialog's 100 ms tick while a worker runs.
#pragma once

#include <string>

// The wait text followed by cycling dots: counter 0 gives ".", 1 "..", 2 "...", 3 the bare text; a
// counter above 3 starts again at 0. The counter steps on after each call, and a dialog keeps it
// between runs so that the cycle goes on where it stopped.
std::string WaitTextWithDots(const std::string& text, int& counter);
