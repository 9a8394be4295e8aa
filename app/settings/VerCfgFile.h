// "VerCFG": the controller version word and the two mode flags, read first at start-up.
#pragma once

#include <filesystem>

// Reads the flags from "VerCFG" in the given folder. A missing file is written as 320, 0, 0 with both
// flags 0. So is a damaged one (a second or third word other than 0 or 1, or a size other than its
// three words), once its bytes are kept aside and noted (DamagedFiles.h); when they cannot be kept, it
// is left alone. A file that exists but cannot be opened is left alone; the flags then keep their
// values.
void LoadVerCfg(const std::filesystem::path& programFolder);
// The same in the program folder; nothing happens when there is none.
void LoadVerCfg();
