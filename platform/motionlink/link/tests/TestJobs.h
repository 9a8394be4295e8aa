// Jobs and transfers for the link's tests, done the way the program's download and upload do them.
#pragma once

#include "JobSink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace motionlink::testing {

// Writes a job through the encoder into the sink (null: the open connection): a header, then `cuts`
// square cuts of 10 mm at `speedMmPerS`, then block and file end. Returns the first non-zero status.
std::uint16_t WriteSampleJob(JobSink* sink, int cuts, double speedMmPerS);

// The stored bytes of that job, as a job file would hold them.
std::vector<std::uint8_t> SampleJobBytes(int cuts, double speedMmPerS);

// `size` bytes in which every byte value occurs, as arbitrary job file content.
std::vector<std::uint8_t> PatternBytes(std::size_t size);

// Opens the controller at loopback (or, with `serialPort`, on that COM port), stores the bytes as a
// document in pieces of 1024 bytes, closes. The first failing status, of the writes or of the close
// that ends the transfer.
std::uint16_t DownloadDocument(const std::string& name, const std::vector<std::uint8_t>& bytes,
                               std::uint16_t serialPort = 0);

// Copies a stored document page by page over the open connection and drops the page-0 header up to the
// byte that Zint_UBCmd turns into 0. The status of the first failing call lands in `status`.
std::vector<std::uint8_t> UploadDocument(std::uint16_t number, std::uint16_t& status);

}  // namespace motionlink::testing
