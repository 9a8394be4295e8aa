// Simscope, the job preview: its one export.
#pragma once

#include <cstdint>

// Shows the job file at `utf8Path` in the simulation window, modally, and returns 0 when the window
// closes. `language` picks the preview's language file (0 Simplified Chinese, 1 Traditional Chinese,
// 2 English, 3 other); `originCorner` 0..3 mirrors and shifts the job (above 3 counts as 3);
// `readerFlag` goes to the job reader. An empty path opens the empty window with its hint.
std::uint16_t Zint_SimuDlg(const char* utf8Path, std::uint16_t language, std::uint16_t originCorner,
                           std::uint16_t readerFlag);
