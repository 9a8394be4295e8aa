// The panel logo and firmware updates, sent as checked bulk transfers.
#include "AtomicFile.h"
#include "BulkTransfer.h"
#include "MotionlinkLink.h"
#include "SharedLink.h"
#include "UpdateFile.h"

#include <filesystem>

using namespace motionlink;
using namespace motionlink::link;

namespace {

constexpr std::uint32_t kMonoLogoBytes = 1024;
// The info header alone; the controller checks the picture's size and depth itself.
constexpr std::uint32_t kDibInfoHeaderBytes = 40;
constexpr std::uint32_t kMaxColorLogoBytes = 4 * 1024 * 1024;

std::uint16_t SendBulkShared(BulkKind kind, std::span<const std::uint8_t> bytes) {
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    return link.connection.IsOpen() ? SendBulk(link.connection, kind, bytes) : kLinkCommunicationError;
}

// The file's bytes, or nothing when it cannot be read or is far too large to be an update file.
std::optional<std::vector<std::uint8_t>> ReadUpdateFile(const std::string& path, bool& tooLarge) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    tooLarge = !error && size > kUpdateHeaderBytes + kMaxUpdateImageBytes;
    if (error || tooLarge) {
        return std::nullopt;
    }
    return platform::ReadWholeFile(path);
}

}  // namespace

std::uint16_t Zint_UpdateLogo(const std::uint8_t* logo, std::uint32_t length) {
    if (logo == nullptr || length != kMonoLogoBytes) {
        return kLinkBadArgument;
    }
    return SendBulkShared(BulkKind::kMonoLogo, std::span(logo, length));
}

std::uint16_t Zint_UpdateColorLogo(const std::uint8_t* packedDib, std::uint32_t length) {
    if (packedDib == nullptr || length < kDibInfoHeaderBytes || length > kMaxColorLogoBytes) {
        return kLinkBadArgument;
    }
    return SendBulkShared(BulkKind::kColorLogo, std::span(packedDib, length));
}

std::uint16_t Zint_IsUpdateFileValid(const std::string& path, std::uint32_t target) {
    bool tooLarge = false;
    const std::optional<std::vector<std::uint8_t>> file = ReadUpdateFile(path, tooLarge);
    if (!file) {
        return tooLarge ? kUpdateFileWrong : kUpdateFileUnreadable;
    }
    return target <= 0xFFFF && IsValidUpdateFile(*file, static_cast<std::uint16_t>(target))
               ? kLinkOk
               : kUpdateFileWrong;
}

std::uint16_t Zint_Update(const std::string& path, std::uint32_t target) {
    bool tooLarge = false;
    const std::optional<std::vector<std::uint8_t>> file = ReadUpdateFile(path, tooLarge);
    if (!file || target > 0xFFFF || !IsValidUpdateFile(*file, static_cast<std::uint16_t>(target))) {
        return kLinkBadArgument;
    }
    std::optional<ConnectionTarget> controller;
    std::uint32_t cardVersion = 0;
    {
        SharedLink& link = TheSharedLink();
        std::lock_guard guard(link.lock);
        controller = link.lastOpened;
        cardVersion = link.cardVersion;
    }
    if (!controller) {
        return kLinkCommunicationError;
    }
    ControllerConnection connection;
    const std::uint16_t opened = connection.Open(*controller, cardVersion);
    return opened == kLinkOk ? SendBulk(connection, BulkKind::kFirmware, *file) : opened;
}
