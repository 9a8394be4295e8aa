// The structure comments of a PostScript-based file say where its parts end: a header closed by
// "%%EndComments" promises a "%%Trailer", a header value "(atend)" promises that value in the trailer,
// and every "%%BeginX" its "%%EndX". A file that breaks a promise it made was cut short.
#pragma once

#include <string>
#include <string_view>

namespace filebridge {

// Empty when every part the file announces is there; otherwise why the file is refused.
std::string CheckAiStructure(std::string_view text);

}  // namespace filebridge
