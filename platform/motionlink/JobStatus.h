// Status words of the job-writing calls. The numbers are shared with the controller calls, so a caller
// can treat every Motionlink result alike: 0 is success, anything else ends its sequence.
#pragma once

#include <cstdint>

namespace motionlink {

using JobStatus = std::uint16_t;

inline constexpr JobStatus kJobOk = 0;
// No connection to stream a job into, or the connection failed while taking the job.
inline constexpr JobStatus kJobCommunicationError = 1;
// A value the job format cannot carry: not finite, out of range, or an index above 127.
inline constexpr JobStatus kJobBadArgument = 5;
// A job-writing call before Zint_StrtWFile or after the file end.
inline constexpr JobStatus kJobNoJobOpen = 7;
// The finished job file could not be written to disk.
inline constexpr JobStatus kJobWriteFailed = 8;

}  // namespace motionlink
