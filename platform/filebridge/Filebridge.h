// The file library's exported functions besides the design hand-back file: importing a named file into
// exchange records, and writing plotter (PLT) and Illustrator-form (AI) files one curve at a time.
// Results are 16-bit: 0 success, anything else failure; nothing here throws.
#pragma once

#include <cstdint>
#include <cstdio>

#include "DbList.h"
#include "FileDraw.h"
#include "FileLine.h"

#define FILEBRIDGE_API __attribute__((visibility("default")))

// Reads the file at `path` (kind by its extension) and appends new records to `records`, which the
// caller then owns. precision: PLT units per inch (10..10000); unitScale: mm per DXF unit (1.0 unless
// positive); layerColours: the 256 layer colour words; colour: the colour of what the file leaves
// uncoloured; option non-zero: DXF texts are drawn. `language` and `reserved` are not read. On failure
// `records` is left as it was.
FILEBRIDGE_API short _file_ImportFile(const char* path, int language, double precision, double unitScale,
                                      const std::uint32_t* layerColours, std::uint32_t colour,
                                      std::int32_t option, std::int32_t reserved,
                                      CDbList<CFileDraw*>* records);

// 1 when a file of this name is of a kind read here (by its extension, as an import chooses its
// reader; for pictures read through ImageMagick, when its decoder for the kind is installed), else 0.
FILEBRIDGE_API short _file_CanRead(const char* path);

// The entities the last import on this thread could not draw, one a line ("TEXT \"AB\" on layer 0: ..."),
// or "" when it drew everything it read. Valid until the next import on the thread.
FILEBRIDGE_API const char* _file_LastLeftOut();

// Why the calling thread's last _file_ImportFile or _file_Import failed, in the reader's words ("file kind
// not supported: ...", "file needs more memory than is available"); empty after a success, a cancelled
// choice or a failure without a reason. Valid until the thread's next import.
FILEBRIDGE_API const char* _file_LastImportFailure();

// "IN;".
FILEBRIDGE_API short _file_SavePltHeader(std::FILE* file);
// One curve: select pen 1 + the colour's slot in `colours` (pen 1 when absent), pen-up moves and
// pen-down runs in plotter units at `precision` units per inch, Beziers in chords within half a unit.
// Sets *written non-zero when it wrote a segment; a curve with a non-finite coordinate is not written.
FILEBRIDGE_API short _file_SaveCurveAsPlt(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour,
                                          const std::uint32_t* colours, double precision,
                                          std::int32_t* written);
// "PU;SP0;".
FILEBRIDGE_API short _file_SavePltEnd(std::FILE* file);

// The head and prolog of an Illustrator 3 form file whose bounding box follows at the end.
FILEBRIDGE_API short _file_SaveAIHeader(std::FILE* file);
// One stroked path in the curve's colour, in points; closed paths end with "s".
FILEBRIDGE_API short _file_SaveCurveAsAI(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour,
                                         std::int32_t closed, std::int32_t* written);
// The trailer with the bounding box of every curve written since the header.
FILEBRIDGE_API short _file_SaveAIEnd(std::FILE* file);
