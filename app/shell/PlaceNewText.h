// A new text element from the text tool: its glyphs built in the colour of new elements, added to the
// drawing as the only selection with its rectangle's left-bottom corner at the clicked point.
#pragma once

#include "SDPoint.h"
#include "TextParam.h"

class CCadMgr;

// Places the text at clickMm and tells the manager once (one undo step); a text without glyphs (only
// spaces, or a font that draws nothing) adds nothing. Either way the select tool follows and the view
// is repainted. True when a text was placed.
bool PlaceNewText(CCadMgr& manager, const CTextParam& params, SDPoint clickMm);
