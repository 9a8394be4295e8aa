// Builds the bytes a record is expected to have, field by field, little-endian and without gaps, without
// going through the archive, so that the stored layouts are checked against an independent writer.
#pragma once

#include <bit>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Archive.h"

class RecordBytes {
  public:
    RecordBytes& U8(std::uint8_t value) { return Little(value, 1); }
    RecordBytes& U16(std::uint16_t value) { return Little(value, 2); }
    RecordBytes& U32(std::uint32_t value) { return Little(value, 4); }
    RecordBytes& I32(std::int32_t value) { return Little(static_cast<std::uint32_t>(value), 4); }
    RecordBytes& F64(double value) { return Little(std::bit_cast<std::uint64_t>(value), 8); }
    // A short string: one length byte, then its bytes.
    RecordBytes& ShortString(std::string_view text) {
        U8(static_cast<std::uint8_t>(text.size()));
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        return *this;
    }
    RecordBytes& Append(const RecordBytes& other) {
        bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
        return *this;
    }

    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }
    platform::Archive ForLoading() const { return platform::Archive::ForLoading(bytes_); }

  private:
    RecordBytes& Little(std::uint64_t value, int width) {
        for (int index = 0; index < width; ++index) {
            bytes_.push_back(static_cast<std::uint8_t>(value >> (8 * index)));
        }
        return *this;
    }

    std::vector<std::uint8_t> bytes_;
};

// Stores anything with a Serialize(Archive&) and returns the bytes.
template <typename Record>
std::vector<std::uint8_t> StoredBytes(Record& record) {
    platform::Archive archive = platform::Archive::ForStoring();
    record.Serialize(archive);
    return archive.Bytes();
}
