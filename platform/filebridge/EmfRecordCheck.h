// Our own bounded walk over the records of an enhanced metafile, before the bytes reach the converter,
// which trusts the counts, offsets and lengths inside the records it draws. Every record must lie in the
// file, and every array, string and bitmap that a record points to must lie inside that record.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace filebridge {

// The length of the metafile up to and including its end-of-file record when every record up to there
// is sound; otherwise nothing, with the reason in `failure`. Record kinds this walk does not know are
// refused rather than passed on unchecked.
std::optional<std::size_t> CheckEmfRecords(std::string_view bytes, std::string& failure);

}  // namespace filebridge
