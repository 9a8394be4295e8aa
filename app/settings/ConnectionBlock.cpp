// Delegation and pass-through of the connection block of "config".
#include "ConnectionBlock.h"

#include <cstdint>
#include <vector>

namespace {

constexpr int kPortSlots = 256;
constexpr int kAddressSlots = 256;
constexpr int kDefaultAddressBytes = 4;

ConnectionSerializer registeredSerializer;
std::vector<std::uint8_t> keptBlock;

// Reads over one block: kind, port index, port count, the port numbers, address index, address count,
// the address texts and the default address bytes.
void SkipBlock(platform::Archive& archive) {
    for (int word = 0; word < 3 + kPortSlots + 2; ++word) {
        archive.ReadU16();
    }
    for (int address = 0; address < kAddressSlots; ++address) {
        archive.ReadString();
    }
    archive.ReadBytes(kDefaultAddressBytes);
}

void WriteEmptyBlock(platform::Archive& archive) {
    for (int word = 0; word < 3 + kPortSlots + 2; ++word) {
        archive.WriteU16(0);
    }
    for (int address = 0; address < kAddressSlots; ++address) {
        archive.WriteString("");
    }
    for (int byte = 0; byte < kDefaultAddressBytes; ++byte) {
        archive.WriteU8(0);
    }
}

}  // namespace

void SetConnectionSerializer(ConnectionSerializer serializer) {
    registeredSerializer = std::move(serializer);
    keptBlock.clear();
}

void SerializeConnectionBlock(platform::Archive& archive) {
    if (registeredSerializer) {
        registeredSerializer(archive);
        return;
    }
    if (archive.IsLoading()) {
        const std::size_t start = archive.Position();
        SkipBlock(archive);
        const auto& bytes = archive.Bytes();
        keptBlock.assign(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                         bytes.begin() + static_cast<std::ptrdiff_t>(archive.Position()));
        return;
    }
    if (keptBlock.empty()) {
        WriteEmptyBlock(archive);
    } else {
        archive.WriteBytes(keptBlock);
    }
}
