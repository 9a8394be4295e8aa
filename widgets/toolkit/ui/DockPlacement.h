// Where a docking bar sits in its main window, as the sizing bars' arithmetic names the sides.
#pragma once

#include "SizingBarGeometry.h"

class QDockWidget;
class QMainWindow;

// Floating when there is no frame, the bar floats, or the frame does not hold it.
DockSide DockSideOf(const QMainWindow* frame, const QDockWidget& bar);
