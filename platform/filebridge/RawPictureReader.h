// Reads camera raw files through LibRaw: the sensor data is developed with the camera's white balance
// into an 8-bit colour picture and handed on as one 24-bit bitmap record at the default resolution
// (raw files state none).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "DrawingCollector.h"
#include "PictureReader.h"

namespace filebridge {

bool ReadRawPicture(std::string_view bytes, DrawingCollector& out, std::int64_t maxPixels = kMaxPicturePixels);

// The failure reason for one of LibRaw's error codes.
std::string RawFailureReason(int libRawError);

}  // namespace filebridge
