// Packing request and answer payloads with the bounded archive, on both ends of the link.
#pragma once

#include "Archive.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace motionlink::link {

// The values one after another, as the archive stores them (strings with their length prefix).
template <typename... Values>
std::vector<std::uint8_t> Pack(const Values&... values) {
    platform::Archive archive = platform::Archive::ForStoring();
    (archive << ... << values);
    return archive.Bytes();
}

// The payload's single value, or nothing when the payload is shorter or longer than that value.
template <typename T>
std::optional<T> UnpackSingle(const std::vector<std::uint8_t>& payload) {
    try {
        platform::Archive archive = platform::Archive::ForLoading(payload);
        T value{};
        archive >> value;
        if (archive.Remaining() != 0) {
            return std::nullopt;
        }
        return value;
    } catch (const platform::ArchiveError&) {
        return std::nullopt;
    }
}

}  // namespace motionlink::link
