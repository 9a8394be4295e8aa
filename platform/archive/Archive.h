// The binary archive in which documents, settings, parameter files and undo snapshots are stored:
// little-endian integers, IEEE doubles, no padding; strings and counts with a variable-length prefix.
//
// Loading never trusts the data: a read past the end, or a string, count or block longer than the
// bytes that remain, throws ArchiveError before anything is allocated. Each deliverable catches it at
// its boundary and turns it into its failure result.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class Archive {
  public:
    // An empty archive that collects stored bytes in memory.
    static Archive ForStoring();
    // The same, storing into the buffer's memory: its content is dropped and its capacity kept, so that a
    // large store made again and again (an undo snapshot) reuses one allocation.
    static Archive ForStoring(std::vector<std::uint8_t> buffer);
    // An archive that stores through the open stream instead of memory: a large document goes to its
    // file without ever being held whole. Flush reports whether every byte reached the stream.
    static Archive ForStoringInto(std::FILE* stream);
    // An archive that loads from the given bytes.
    static Archive ForLoading(std::vector<std::uint8_t> bytes);
    // An archive that loads from bytes it borrows: they must outlive it. A file read once is parsed
    // without a copy of its bytes.
    static Archive ForLoadingView(std::span<const std::uint8_t> bytes);
    // An archive that loads from a whole file; throws ArchiveError when it cannot be read.
    static Archive ForLoadingFile(const std::filesystem::path& file);

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }

    void WriteU8(std::uint8_t value) { StoreLittleEndian(value); }
    void WriteU16(std::uint16_t value) { StoreLittleEndian(value); }
    void WriteU32(std::uint32_t value) { StoreLittleEndian(value); }
    void WriteU64(std::uint64_t value) { StoreLittleEndian(value); }
    void WriteI16(std::int16_t value) { WriteU16(static_cast<std::uint16_t>(value)); }
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteFloat(float value) { WriteU32(std::bit_cast<std::uint32_t>(value)); }
    void WriteDouble(double value) { WriteU64(std::bit_cast<std::uint64_t>(value)); }
    void WriteBytes(std::span<const std::uint8_t> bytes);
    // Length prefix: one byte below 255; else 0xFF and a 16-bit length below 0xFFFE;
    // else 0xFF, 0xFFFF and a 32-bit length.
    void WriteString(std::string_view text);
    // Element count: a 16-bit word below 0xFFFF, else 0xFFFF and a 32-bit count.
    void WriteCount(std::uint32_t count);

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::uint64_t ReadU64();
    std::int16_t ReadI16() { return static_cast<std::int16_t>(ReadU16()); }
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    float ReadFloat();
    double ReadDouble();
    std::vector<std::uint8_t> ReadBytes(std::size_t count);
    void ReadBytes(std::span<std::uint8_t> target);
    std::string ReadString();
    // A count read this way is at most the number of bytes left, since every element takes at least one.
    std::uint32_t ReadCount();

    // Stream-style access for fixed-width integers and floating-point values, in either direction.
    template <typename T>
    Archive& operator<<(T value) requires std::is_arithmetic_v<T> {
        Store(value);
        return *this;
    }
    template <typename T>
    Archive& operator>>(T& value) requires std::is_arithmetic_v<T> {
        value = Load<T>();
        return *this;
    }
    Archive& operator<<(std::string_view text) {
        WriteString(text);
        return *this;
    }
    Archive& operator>>(std::string& text) {
        text = ReadString();
        return *this;
    }

    // Stores or loads one value, as the archive's direction says.
    template <typename T>
    void Exchange(T& value) {
        if (storing_) {
            *this << value;
        } else {
            *this >> value;
        }
    }

    Archive(Archive&&) = default;
    Archive& operator=(Archive&&) = default;
    // A copy would borrow the bytes of the archive it was copied from.
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return loading_.size() - position_; }
    // Every byte stored so far (none for an archive that stores into a stream).
    const std::vector<std::uint8_t>& Bytes() const;
    // Hands what is still gathered to the stream of ForStoringInto; false when any write to it failed.
    // Nothing to do, and true, for an archive in memory.
    bool Flush();
    // Moves the bytes out (for ForStoring's buffer next time); the archive is empty afterwards.
    std::vector<std::uint8_t> TakeBytes();
    // Writes the stored bytes to a file through a temporary file; false when that fails.
    bool SaveToFile(const std::filesystem::path& file) const;

  private:
    Archive(bool storing, std::vector<std::uint8_t> bytes)
        : storing_(storing), bytes_(std::move(bytes)), loading_(bytes_) {}

    void Append(const void* data, std::size_t size);
    template <typename Unsigned>
    void StoreLittleEndian(Unsigned value);
    void FlushPending() const;
    void Emit(const std::uint8_t* data, std::size_t size) const;
    [[noreturn]] static void ThrowNotStoring();
    const std::uint8_t* Take(std::size_t size);
    void RequireStoring() const;
    void RequireLoading() const;

    template <typename T>
    void Store(T value);
    template <typename T>
    T Load();

    // Stored values gather in a small block that joins bytes_ when it is full or the bytes are asked
    // for: an undo snapshot of a large drawing is millions of fields, and growing the vector once per
    // field costs more than writing the file. Flushing changes no content, hence `mutable`.
    static constexpr std::size_t kPendingCapacity = 4096;

    bool storing_;
    mutable std::vector<std::uint8_t> bytes_;
    // What a load reads: bytes_ itself, or borrowed bytes. A moved vector keeps its buffer, so the view
    // stays valid when the archive moves.
    std::span<const std::uint8_t> loading_;
    bool toStream_ = false;
    std::FILE* sink_ = nullptr;  // may be null for a stream that could not be opened: every write fails
    mutable bool sinkFailed_ = false;
    std::size_t position_ = 0;
    mutable std::array<std::uint8_t, kPendingCapacity> pending_;
    mutable std::size_t pendingSize_ = 0;
};

template <typename Unsigned>
void Archive::StoreLittleEndian(Unsigned value) {
    static_assert(std::is_unsigned_v<Unsigned>);
    if (!storing_) [[unlikely]] {
        ThrowNotStoring();
    }
    if (kPendingCapacity - pendingSize_ < sizeof(Unsigned)) [[unlikely]] {
        FlushPending();
    }
    std::uint8_t* at = pending_.data() + pendingSize_;
    for (std::size_t index = 0; index < sizeof(Unsigned); ++index) {
        at[index] = static_cast<std::uint8_t>(value >> (8 * index));
    }
    pendingSize_ += sizeof(Unsigned);
}

template <typename T>
void Archive::Store(T value) {
    if constexpr (std::is_same_v<T, bool>) {
        WriteU8(value ? 1 : 0);
    } else if constexpr (std::is_same_v<T, double>) {
        WriteDouble(value);
    } else if constexpr (std::is_same_v<T, float>) {
        WriteFloat(value);
    } else if constexpr (sizeof(T) == 1) {
        WriteU8(static_cast<std::uint8_t>(value));
    } else if constexpr (sizeof(T) == 2) {
        WriteU16(static_cast<std::uint16_t>(value));
    } else if constexpr (sizeof(T) == 4) {
        WriteU32(static_cast<std::uint32_t>(value));
    } else {
        static_assert(sizeof(T) == 8, "unsupported archive value");
        WriteU64(static_cast<std::uint64_t>(value));
    }
}

template <typename T>
T Archive::Load() {
    if constexpr (std::is_same_v<T, bool>) {
        return ReadU8() != 0;
    } else if constexpr (std::is_same_v<T, double>) {
        return ReadDouble();
    } else if constexpr (std::is_same_v<T, float>) {
        return ReadFloat();
    } else if constexpr (sizeof(T) == 1) {
        return static_cast<T>(ReadU8());
    } else if constexpr (sizeof(T) == 2) {
        return static_cast<T>(ReadU16());
    } else if constexpr (sizeof(T) == 4) {
        return static_cast<T>(ReadU32());
    } else {
        static_assert(sizeof(T) == 8, "unsupported archive value");
        return static_cast<T>(ReadU64());
    }
}

}  // namespace platform
