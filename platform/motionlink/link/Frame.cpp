// Frame encoding and the two frame readers.
#include "Frame.h"

#include "Crc32.h"
#include "LittleEndian.h"

#include <algorithm>
#include <cstdlib>

namespace motionlink::link {
namespace {

using platform::little_endian::AppendU16;
using platform::little_endian::AppendU32;

std::uint16_t GetU16(const std::uint8_t* at) {
    return platform::little_endian::LoadU16({at, 2}, 0);
}

std::uint32_t GetU32(const std::uint8_t* at) {
    return platform::little_endian::LoadU32({at, 4}, 0);
}

bool IsKnownKind(std::uint8_t kind) {
    return kind == static_cast<std::uint8_t>(FrameKind::kRequest) ||
           kind == static_cast<std::uint8_t>(FrameKind::kAnswer);
}

// Whether the header at the start of `bytes` could begin a frame, judged before its payload arrived.
bool IsPlausibleHeader(std::span<const std::uint8_t> bytes) {
    return bytes[0] == kMagic0 && bytes[1] == kMagic1 && bytes[2] == kProtocolVersion &&
           IsKnownKind(bytes[3]) && GetU16(&bytes[14]) <= kMaxPayloadBytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeFrame(const Frame& frame) {
    if (frame.payload.size() > kMaxPayloadBytes) {
        std::abort();  // every sender splits its data into chunks well below the limit
    }
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + frame.payload.size() + kChecksumBytes);
    out.push_back(kMagic0);
    out.push_back(kMagic1);
    out.push_back(kProtocolVersion);
    out.push_back(static_cast<std::uint8_t>(frame.kind));
    AppendU16(out, frame.command);
    AppendU16(out, frame.sequence);
    AppendU32(out, frame.session);
    AppendU16(out, frame.status);
    AppendU16(out, static_cast<std::uint16_t>(frame.payload.size()));
    out.insert(out.end(), frame.payload.begin(), frame.payload.end());
    AppendU32(out, Crc32(out));
    return out;
}

std::optional<Frame> ParseFrame(std::span<const std::uint8_t> datagram) {
    if (datagram.size() < kHeaderBytes + kChecksumBytes || !IsPlausibleHeader(datagram)) {
        return std::nullopt;
    }
    const std::size_t payloadBytes = GetU16(&datagram[14]);
    if (datagram.size() != kHeaderBytes + payloadBytes + kChecksumBytes) {
        return std::nullopt;
    }
    const std::size_t checkedBytes = kHeaderBytes + payloadBytes;
    if (Crc32(datagram.first(checkedBytes)) != GetU32(&datagram[checkedBytes])) {
        return std::nullopt;
    }
    Frame frame;
    frame.kind = static_cast<FrameKind>(datagram[3]);
    frame.command = GetU16(&datagram[4]);
    frame.sequence = GetU16(&datagram[6]);
    frame.session = GetU32(&datagram[8]);
    frame.status = GetU16(&datagram[12]);
    frame.payload.assign(datagram.begin() + kHeaderBytes, datagram.begin() + checkedBytes);
    return frame;
}

void FrameStreamDecoder::Feed(std::span<const std::uint8_t> bytes) {
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
    // A reader that is fed without asking for frames keeps no more than a few frames' worth of bytes.
    constexpr std::size_t kMaxBuffered = 4 * kMaxFrameBytes;
    if (buffer_.size() > kMaxBuffered) {
        Drop(buffer_.size() - kMaxBuffered);
    }
}

std::optional<Frame> FrameStreamDecoder::Next() {
    for (;;) {
        const auto magic = std::find(buffer_.begin(), buffer_.end(), kMagic0);
        Drop(static_cast<std::size_t>(magic - buffer_.begin()));
        if (buffer_.size() < kHeaderBytes) {
            return std::nullopt;
        }
        if (!IsPlausibleHeader(buffer_)) {
            Drop(1);
            continue;
        }
        const std::size_t frameBytes = kHeaderBytes + GetU16(&buffer_[14]) + kChecksumBytes;
        if (buffer_.size() < frameBytes) {
            return std::nullopt;
        }
        std::optional<Frame> frame = ParseFrame(std::span(buffer_).first(frameBytes));
        Drop(frame ? frameBytes : 1);
        if (frame) {
            return frame;
        }
    }
}

void FrameStreamDecoder::Drop(std::size_t count) {
    buffer_.erase(buffer_.begin(),
                  buffer_.begin() + static_cast<std::ptrdiff_t>(std::min(count, buffer_.size())));
}

}  // namespace motionlink::link
