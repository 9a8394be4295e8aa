// The start-up worker: it loads the settings and the language texts, then asks the controller for the
// size of its work area, the axis precisions and the tube configuration, while the busy dialog waits.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

class CCadMgr;
struct CVendorPara;

// 1 while the start-up worker runs, 0 once it has finished; the busy dialog polls it.
extern std::atomic<int> StartupBusy;

// Removes the temporary files that killed saves left (WriterLeftovers.h) in the program folder and in
// the folders of the recent documents, where documents are saved.
void RemoveLeftoversOfKilledSaves();
// Removes what killed saves left, registers the serialisers of "lpara" and of the connection block, reads "VerCFG", the settings files
// and the language, then reads the controller (ReadControllerSizes), and clears StartupBusy.
void StartupThread();
// Sets ProgressRatio to 0 and StartupBusy to 1, and runs StartupThread on a thread of its own; then, on
// that thread, `finished` (when given), so that a waiting window can stop waiting at once instead of at
// its next poll.
std::jthread StartStartupThread(std::function<void()> finished = {});

// With the current connection settings: axis ranges of 1 and 2 become the manager's work width and
// height, their precisions the vendor record's step lengths, and byte 7 of the system control mode its
// tube configuration. No controller, or a read that fails, leaves what has not been read yet as loaded.
void ReadControllerSizes(CCadMgr& manager, CVendorPara& vendor);

// A controller's axis range is taken as a work size only when it is above 0 and below 100000 mm.
double WorkSizeFromAxisRange(double rangeMm, double currentMm);
// A precision of 0 or less becomes 0.35.
double StepLengthFromAxisPrecision(double precision);
constexpr double kDefaultStepLength = 0.35;
constexpr double kMaxAxisRangeMm = 100000.0;

// The page starts as large as the work area that start-up read.
void CopyWorkSizeToPage(CCadMgr& manager);
