// The controller library as its callers see it: the job-writing calls and the byte transform, and the
// calls that talk to the controller over the open connection.
#pragma once

#include "MotionlinkJob.h"
#include "MotionlinkLink.h"
