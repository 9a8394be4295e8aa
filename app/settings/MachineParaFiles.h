// The machine parameter files: "vpara" and "upara" in the program folder, and the vendor (.ZintVSet) and
// user (.ZintUSet) settings files that the operator exports and imports. The current form is a parameter
// file of the keyed parameter store; the older form is still read.
#pragma once

#include <filesystem>

// 1 when the file was read as a parameter file (keys that it lacks leave their fields as they were) or
// in the older form (exactly its size, every value in range); 0 when it is missing, cannot be read, or
// is neither, with the record unchanged.
int ImportVendorParaFile(const std::filesystem::path& file);
int ImportUserParaFile(const std::filesystem::path& file);

// 1 when the parameter file was written (through a temporary file), else 0 with any old file kept.
int ExportVendorParaFile(const std::filesystem::path& file);
int ExportUserParaFile(const std::filesystem::path& file);
