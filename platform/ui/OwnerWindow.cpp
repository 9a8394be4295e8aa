#include "OwnerWindow.h"
