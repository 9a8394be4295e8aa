// The import worker: cleans what an import put into the staging list before it joins the drawing.
// Pictures get the colour of new elements and a depth the drawing works with; curves lose their
// zero-length segments (and go when nothing is left), are closed, joined to neighbours of their colour
// and smoothed as the file settings say.
#pragma once

#include <atomic>
#include <cstdint>

#include "DbList.h"
#include "ImportStaging.h"
#include "SettingsRecords.h"

class CCadElement;

// 0 while an import worker runs, 1 otherwise; the drawing view does not paint while it is 0. The worker
// writes it last, so a reader that sees 1 sees the finished staging list.
extern std::atomic<std::int32_t> ImportDone;

// What the worker cleans and by which settings. The combine tolerance and the smoothing precision are
// clamped into their ranges in `settings`.
struct ImportWorkerJob {
    CImportStaging* staging = nullptr;  // null counts as empty
    FileParaSettings* settings = nullptr;
    std::uint32_t colourKey = 0;  // the colour of new elements, given to every picture
    bool done = false;            // set by the worker when it has finished; stays false if it never ran
};

// The thread function; returns 0. Afterwards the staging list holds the curves that were open before
// joining (those still open first), then everything else in its former order.
int ImportWorker(ImportWorkerJob& job);

// Runs ImportWorker on a thread of its own and waits for it; false, with nothing done, when the thread
// cannot be started.
bool RunImportWorkerAndWait(ImportWorkerJob& job);
