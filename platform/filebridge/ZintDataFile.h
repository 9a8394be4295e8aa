// The design hand-back file ("lgp.ds"): groups of curves that the light-guide-plate designer writes
// and the main program reads back. Every call works on the caller's open stream and returns 0 on
// success, 1 on failure; nothing here throws.
//
// Layout, little-endian:
//   signature  8 bytes "CXLGPDS1"                       (_file_ZintData_Start)
//   raw block  the caller's bytes as given               (_file_ZintData_Save)
//   curve      u32 colour, u32 segment count, then that many 74-byte segment records
//   trailer    8 bytes "CXLGPEND"                        (_file_ZintData_End)
// A reader sees only what it asks for in the order written; the first _file_ZintData_Load at the
// start of the stream checks and skips the signature.
#pragma once

#include <cstdint>
#include <cstdio>

#include "DbList.h"
#include "FileLine.h"

#define FILEBRIDGE_API __attribute__((visibility("default")))

FILEBRIDGE_API short _file_ZintData_Start(std::FILE* file);
FILEBRIDGE_API short _file_ZintData_Save(std::FILE* file, const void* data, std::uint32_t size);
FILEBRIDGE_API short _file_ZintData_SaveCurve(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour);
FILEBRIDGE_API short _file_ZintData_End(std::FILE* file);

FILEBRIDGE_API short _file_ZintData_Load(std::FILE* file, void* data, std::uint32_t size);
// Appends the next curve's segments to the list; a damaged or cut-off curve appends nothing.
FILEBRIDGE_API short _file_ZintData_LoadCurve(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t* colour);
