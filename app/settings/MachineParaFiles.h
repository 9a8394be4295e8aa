// The machine parameter files: "vpara" and "upara" in the program folder, and the vendor (.ZintVSet) and
// user (.ZintUSet) settings files that the operator exports and imports. The current form is a parameter
// file of the keyed parameter store; the older form is still read.
#pragma once

#include <filesystem>

// 1 when the file was read as a parameter file holding exactly the record's keys, each once, or in the
// older form (exactly its size); in either form every value must be a number within its range
// (MachineParaRanges.h). 0 when it is missing, cannot be read, is larger than a parameter file can be,
// is neither form, lacks a key, holds one twice or one the record does not have, or holds a value out
// of range, with the record unchanged: a file is taken whole or not at all.
int ImportVendorParaFile(const std::filesystem::path& file);
int ImportUserParaFile(const std::filesystem::path& file);

// 1 when the parameter file was written (through a temporary file), else 0 with any old file kept.
int ExportVendorParaFile(const std::filesystem::path& file);
int ExportUserParaFile(const std::filesystem::path& file);
