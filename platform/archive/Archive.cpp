#include "Archive.h"

#include "AtomicFile.h"
#include "LittleEndian.h"

#include <bit>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

constexpr std::uint8_t kLongStringMarker = 0xFF;
constexpr std::uint16_t kWordLengthLimit = 0xFFFE;  // 16-bit string lengths stay below this
constexpr std::uint16_t kLongCountMarker = 0xFFFF;

}  // namespace

Archive Archive::ForStoring() {
    return Archive(true, {});
}

Archive Archive::ForStoring(std::vector<std::uint8_t> buffer) {
    buffer.clear();
    return Archive(true, std::move(buffer));
}

const std::vector<std::uint8_t>& Archive::Bytes() const {
    FlushPending();
    return bytes_;
}

std::vector<std::uint8_t> Archive::TakeBytes() {
    FlushPending();
    std::vector<std::uint8_t> bytes = std::move(bytes_);
    bytes_.clear();
    loading_ = bytes_;
    position_ = 0;
    return bytes;
}

Archive Archive::ForStoringInto(std::FILE* stream) {
    Archive ar(true, {});
    ar.toStream_ = true;
    ar.sink_ = stream;
    return ar;
}

bool Archive::Flush() {
    FlushPending();
    return !sinkFailed_;
}

Archive Archive::ForLoading(std::vector<std::uint8_t> bytes) {
    return Archive(false, std::move(bytes));
}

Archive Archive::ForLoadingView(std::span<const std::uint8_t> bytes) {
    Archive ar(false, {});
    ar.loading_ = bytes;
    return ar;
}

Archive Archive::ForLoadingFile(const std::filesystem::path& file) {
    auto bytes = ReadWholeFile(file);
    if (!bytes) {
        throw ArchiveError("cannot read " + file.string());
    }
    return ForLoading(std::move(*bytes));
}

void Archive::ThrowNotStoring() {
    throw ArchiveError("archive is open for loading");
}

void Archive::RequireStoring() const {
    if (!storing_) {
        ThrowNotStoring();
    }
}

void Archive::RequireLoading() const {
    if (storing_) {
        throw ArchiveError("archive is open for storing");
    }
}

void Archive::FlushPending() const {
    Emit(pending_.data(), pendingSize_);
    pendingSize_ = 0;
}

// Into the stream when there is one, else onto the bytes in memory (which grow geometrically).
void Archive::Emit(const std::uint8_t* data, std::size_t size) const {
    if (size == 0) {
        return;
    }
    if (toStream_) {
        sinkFailed_ = sinkFailed_ || sink_ == nullptr || std::fwrite(data, 1, size, sink_) != size;
        return;
    }
    bytes_.insert(bytes_.end(), data, data + size);
}

// A block that fits joins the pending ones; a larger one goes to the vector in one piece.
void Archive::Append(const void* data, std::size_t size) {
    RequireStoring();
    if (size == 0) {
        return;
    }
    if (size <= kPendingCapacity - pendingSize_) {
        std::memcpy(pending_.data() + pendingSize_, data, size);
        pendingSize_ += size;
        return;
    }
    FlushPending();
    Emit(static_cast<const std::uint8_t*>(data), size);
}

const std::uint8_t* Archive::Take(std::size_t size) {
    RequireLoading();
    if (size > Remaining()) {
        throw ArchiveError("archive ends before the record does");
    }
    const std::uint8_t* data = loading_.data() + position_;
    position_ += size;
    return data;
}

void Archive::WriteBytes(std::span<const std::uint8_t> bytes) {
    Append(bytes.data(), bytes.size());
}

void Archive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < kLongStringMarker) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < kWordLengthLimit) {
        WriteU8(kLongStringMarker);
        WriteU16(static_cast<std::uint16_t>(length));
    } else {
        if (length > UINT32_MAX) {
            throw ArchiveError("string too long for an archive");
        }
        WriteU8(kLongStringMarker);
        WriteU16(0xFFFF);
        WriteU32(static_cast<std::uint32_t>(length));
    }
    Append(text.data(), length);
}

void Archive::WriteCount(std::uint32_t count) {
    if (count < kLongCountMarker) {
        WriteU16(static_cast<std::uint16_t>(count));
    } else {
        WriteU16(kLongCountMarker);
        WriteU32(count);
    }
}

std::uint8_t Archive::ReadU8() {
    return *Take(1);
}

std::uint16_t Archive::ReadU16() {
    return little_endian::LoadU16({Take(2), 2}, 0);
}

std::uint32_t Archive::ReadU32() {
    return little_endian::LoadU32({Take(4), 4}, 0);
}

std::uint64_t Archive::ReadU64() {
    const std::span<const std::uint8_t> bytes(Take(8), 8);
    return little_endian::LoadU32(bytes, 0) |
           (static_cast<std::uint64_t>(little_endian::LoadU32(bytes, 4)) << 32);
}

float Archive::ReadFloat() {
    return std::bit_cast<float>(ReadU32());
}

double Archive::ReadDouble() {
    return std::bit_cast<double>(ReadU64());
}

std::vector<std::uint8_t> Archive::ReadBytes(std::size_t count) {
    const std::uint8_t* data = Take(count);
    return std::vector<std::uint8_t>(data, data + count);
}

void Archive::ReadBytes(std::span<std::uint8_t> target) {
    const std::uint8_t* data = Take(target.size());
    std::memcpy(target.data(), data, target.size());
}

std::string Archive::ReadString() {
    std::size_t length = ReadU8();
    if (length == kLongStringMarker) {
        length = ReadU16();
        if (length == 0xFFFF) {
            length = ReadU32();
        } else if (length == kWordLengthLimit) {
            throw ArchiveError("unsupported string prefix in archive");
        }
    }
    const std::uint8_t* data = Take(length);
    return std::string(reinterpret_cast<const char*>(data), length);
}

std::uint32_t Archive::ReadCount() {
    std::uint32_t count = ReadU16();
    if (count == kLongCountMarker) {
        count = ReadU32();
    }
    if (count > Remaining()) {
        throw ArchiveError("archive count exceeds the data that remains");
    }
    return count;
}

bool Archive::SaveToFile(const std::filesystem::path& file) const {
    return storing_ && WriteFileAtomically(file, Bytes());
}

}  // namespace platform
