// The layer the layer dialogs edit; see the header.
#include "CurrentEditLayer.h"

CCadLayer* CurrentEditLayer = nullptr;
