#include "ZintDataFile.h"

#include <array>
#include <cstring>
#include <vector>

#include "Archive.h"

namespace {

constexpr std::array<char, 8> kSignature = {'C', 'X', 'L', 'G', 'P', 'D', 'S', '1'};
constexpr std::array<char, 8> kTrailer = {'C', 'X', 'L', 'G', 'P', 'E', 'N', 'D'};
constexpr std::size_t kCurveHeaderBytes = 8;

short StatusOf(bool ok) { return ok ? 0 : 1; }

bool WriteAll(std::FILE* file, const void* data, std::size_t size) {
    return file != nullptr && (size == 0 || std::fwrite(data, 1, size, file) == size);
}

bool ReadAll(std::FILE* file, void* data, std::size_t size) {
    return file != nullptr && (size == 0 || std::fread(data, 1, size, file) == size);
}

// Bytes between the stream position and its end, or -1 when the stream cannot tell.
long RemainingBytes(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long end = std::ftell(file);
    if (std::fseek(file, here, SEEK_SET) != 0 || end < here) {
        return -1;
    }
    return end - here;
}

// At the very start of the stream the signature must come first; it is checked and skipped.
bool SkipSignatureAtStart(std::FILE* file) {
    if (std::ftell(file) != 0) {
        return true;
    }
    std::array<char, kSignature.size()> read{};
    return ReadAll(file, read.data(), read.size()) && read == kSignature;
}

std::uint32_t ReadLittleU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace

short _file_ZintData_Start(std::FILE* file) { return StatusOf(WriteAll(file, kSignature.data(), kSignature.size())); }

short _file_ZintData_Save(std::FILE* file, const void* data, std::uint32_t size) {
    return StatusOf((data != nullptr || size == 0) && WriteAll(file, data, size));
}

short _file_ZintData_SaveCurve(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t colour) {
    if (file == nullptr || segments == nullptr || segments->head == nullptr) {
        return 1;
    }
    const auto count = static_cast<std::uint32_t>(segments->GetCount());
    // Sized once: a design writes one curve per dot, and a buffer grown field by field costs more
    // than the curve's bytes.
    std::vector<std::uint8_t> buffer;
    buffer.reserve(kCurveHeaderBytes + std::size_t{count} * CFileLine::kStoredBytes);
    platform::Archive archive = platform::Archive::ForStoring(std::move(buffer));
    archive.WriteU32(colour);
    archive.WriteU32(count);
    for (auto* node = segments->head->next; node != segments->head; node = node->next) {
        node->value.Serialize(archive);
    }
    return StatusOf(WriteAll(file, archive.Bytes().data(), archive.Bytes().size()));
}

short _file_ZintData_End(std::FILE* file) {
    return StatusOf(WriteAll(file, kTrailer.data(), kTrailer.size()) && std::fflush(file) == 0);
}

short _file_ZintData_Load(std::FILE* file, void* data, std::uint32_t size) {
    if (file == nullptr || (data == nullptr && size != 0) || !SkipSignatureAtStart(file)) {
        return 1;
    }
    return StatusOf(ReadAll(file, data, size));
}

short _file_ZintData_LoadCurve(std::FILE* file, CDbList<CFileLine>* segments, std::uint32_t* colour) {
    if (file == nullptr || segments == nullptr || colour == nullptr || !SkipSignatureAtStart(file)) {
        return 1;
    }
    std::array<std::uint8_t, kCurveHeaderBytes> header{};
    const long start = std::ftell(file);
    if (!ReadAll(file, header.data(), header.size())) {
        return 1;
    }
    const std::uint32_t count = ReadLittleU32(header.data() + 4);
    const long remaining = RemainingBytes(file);
    // The count is checked against what the file still holds before anything is allocated.
    if (remaining < 0 || count > static_cast<std::uint64_t>(remaining) / CFileLine::kStoredBytes) {
        std::fseek(file, start, SEEK_SET);
        return 1;
    }
    std::vector<std::uint8_t> records(count * CFileLine::kStoredBytes);
    if (!ReadAll(file, records.data(), records.size())) {
        return 1;
    }
    CDbList<CFileLine> loaded;
    try {
        platform::Archive archive = platform::Archive::ForLoading(std::move(records));
        for (std::uint32_t i = 0; i < count; ++i) {
            CFileLine segment;
            segment.Serialize(archive);
            loaded.AddTail(segment);
        }
    } catch (const platform::ArchiveError&) {
        return 1;
    }
    for (auto* node = loaded.head->next; node != loaded.head; node = node->next) {
        segments->AddTail(node->value);
    }
    *colour = ReadLittleU32(header.data());
    return 0;
}
