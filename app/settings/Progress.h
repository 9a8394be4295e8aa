// Keeping the interface alive inside long loops, and the progress fraction that worker code publishes
// for the dialogs that watch it.
#pragma once

#include <atomic>

// The fraction done (0.0 to 1.0 in use); written by worker code, read by the watching dialog's timer.
extern std::atomic<double> ProgressRatio;

// Handles every event waiting in the calling thread's queue. 1 when the application was asked to quit
// while pumping (the request still ends the application's main loop), else 0; 0 at once without an
// application object.
int PumpMessages();

// counter += 1; ProgressRatio = counter / total, unclamped; then PumpMessages. The total must not be 0.
int StepProgress(double* counter, double total);
