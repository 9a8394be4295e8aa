// The SHX fonts an operator can pick: the files of fonts/ in the program folder.
#pragma once

#include <string>
#include <vector>

namespace letterforge {

// The names of the .shx files (extension in any case) of fonts/, as the file system spells them,
// sorted so that the list reads the same on every machine; empty without a program folder or fonts/.
std::vector<std::string> ListShxFonts();

// True when fonts/ lacks the big font BIG.SHX, without which SHX texts lose their double-byte
// characters.
bool IsBigShxFontMissing();

}  // namespace letterforge
