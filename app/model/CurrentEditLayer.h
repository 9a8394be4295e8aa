// The layer whose parameters the layer dialogs show and change. Set by whoever opens the layer
// dialog and by the dialog's own layer list; the drawing manager clears it when it frees that layer,
// so that a dialog never reaches a layer that is gone.
#pragma once

class CCadLayer;

extern CCadLayer* CurrentEditLayer;
