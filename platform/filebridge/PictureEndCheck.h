// Qt's picture decoders fill whatever a cut file lacks (uninitialised rows in a BMP, black or grey in a
// GIF or JPEG) and report a whole picture. This walks the file's own structure first: a BMP must hold
// the pixel array its header places, a GIF and a JPEG must reach their end marker.
#pragma once

#include <string>
#include <string_view>

namespace filebridge {

// Empty when the picture is whole or of another kind; otherwise why the file is refused.
std::string CheckPictureEnd(std::string_view bytes);

}  // namespace filebridge
