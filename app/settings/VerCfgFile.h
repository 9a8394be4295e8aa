// "VerCFG": the controller version word and the two mode flags, read first at start-up.
#pragma once

#include <filesystem>

// Reads the flags from "VerCFG" in the given folder. A file whose second or third word is not 0 or 1,
// or that is shorter than its three words, is written again as 320, 0, 0 with both flags 0; so is a
// missing file. A file that exists but cannot be read is left alone and the flags keep their values.
void LoadVerCfg(const std::filesystem::path& programFolder);
// The same in the program folder; nothing happens when there is none.
void LoadVerCfg();
