// Turning the exchange records of an import into drawing elements: they wait in the staging list, the
// import worker cleans them, and what is left joins the drawing as the new selection.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "CadMgr.h"
#include "DbList.h"
#include "FileDraw.h"
#include "ImportStaging.h"
#include "ImportWorker.h"
#include "MessageSink.h"
#include "SettingsRecords.h"

// What placing an import needs of the program around it.
struct ImportPlacement {
    CCadMgr& manager;
    CImportStaging& staging;
    FileParaSettings& settings;
    std::uint32_t bitmapColour;  // the colour key of imported pictures
    platform::MessageSink& messages;
    // Runs the import worker over the job and returns when it is done (the shell's progress dialog); when
    // empty the worker runs on a thread of its own and is waited for.
    std::function<void(ImportWorkerJob&)> runWorker = {};
};

// Every record becomes an element in the staging list (each record is unlinked and freed); with
// runWorker non-zero the worker cleans them; then they are added to the drawing and become the
// selection. 1 when there was something to place, else 0 after "No data!".
//
// A picture lies with its top-left corner at the record's (dx, dy), m11 and m22 millimetres per pixel;
// a scale that is not a positive number counts as the default one point per pixel. A picture whose block
// is refused, or whose corner is not finite, is dropped.
int PlaceImportedData(CDbList<CFileDraw*>& records, int runWorker, ImportPlacement& placement);

// "No data!" in the interface language.
const char* NoImportDataText();
// "Load data failure!" of the language files: a file that the file library refused.
std::string LoadFailureText();
// The message of a refused import: the prompt, then on a line of its own the file library's reason when
// it gave one ("file kind not supported: ...").
std::string ImportRefusedText(std::string_view prompt, std::string_view reason);
// The warning after an import that placed the rest of the file: the prompt, then the entities the file
// library could not draw, one a line; empty when it drew everything.
std::string LeftOutText(std::string_view leftOut);
// The message when the import worker's thread cannot be started, in the interface language.
const char* ImportWorkerStartFailedText();
