// Reading the light-guide-plate designer's hand-back file into the drawing once the designer has
// exported its design.
#pragma once

#include <filesystem>

#include "CadMgr.h"
#include "MessageSink.h"

// The file holds two groups of curves: the dots, then the plate outlines. The whole file is read before
// anything joins the drawing; then every non-empty curve becomes a curve element of its colour (outlines
// auto-closed within closeErrorMm), added and selected, the file is deleted, and the selection is
// centred on the page. Returns the number of curves added.
//
// A missing or unreadable file changes nothing, silently. A damaged one (a count or curve the file does
// not hold) adds nothing, is deleted and shows "Load data failure!".
int PlaceLgpDesign(const std::filesystem::path& file, CCadMgr& manager, double closeErrorMm,
                   platform::MessageSink& messages);
