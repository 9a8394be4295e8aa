// Hand-over of the open connection's job stream to the job encoder, so that Zint_StrtWFile(nullptr)
// streams a job into the controller without the encoder depending on the link.
#pragma once

#include "JobSink.h"

namespace motionlink {

// The link registers its sink when a connection opens and clears it (nullptr) when the connection
// closes; a job still streaming into the cleared sink is dropped. The encoder never owns the sink.
void SetConnectionJobSink(JobSink* sink);

}  // namespace motionlink
