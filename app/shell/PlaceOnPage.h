// What a new picture or import does once it is in the drawing: it is moved into the middle of the page
// and the view zooms to it when it fits the page, else to the page.
#pragma once

#include "CadMgr.h"
#include "DibBlock.h"
#include "MessageSink.h"

// Centres the selection on the page and zooms: to the selection when it is no wider and no taller than
// the page, else to the page.
void CentreSelectionAndZoom(CCadMgr& manager);

// A scanned page becomes a bitmap element of the colour of new elements: 1- and 8-bit pictures keep
// their depth (palette made usable), all others become 8 bits per pixel. It is added to the drawing as
// the only selected element, centred on the page, and the view zooms to it. 0, after
// "Create bitmap failure!", when the picture cannot become an element; nothing is added then.
int PlaceScannedPicture(CCadMgr& manager, const platform::DibBlock& picture, platform::MessageSink& messages);

// "Create bitmap failure!" in the interface language.
const char* CreateBitmapFailedText();
