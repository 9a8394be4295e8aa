// The one connection that Zint_Open opens and every controller call uses, with the helpers that the
// call files share. Each helper holds the connection's lock for its whole exchange.
#pragma once

#include "ControllerConnection.h"
#include "LinkStatus.h"
#include "Params.h"
#include "Payload.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace motionlink::link {

// The card version that a program announces before it has called Zint_SetCardVer.
constexpr std::uint32_t kDefaultCardVersion = 320;

struct SharedLink {
    std::mutex lock;
    ControllerConnection connection;
    std::uint32_t cardVersion = kDefaultCardVersion;
    std::optional<ConnectionTarget> lastOpened;  // where a firmware update goes
};

SharedLink& TheSharedLink();

// One request on the shared connection; the answer's payload lands in `answer` when given. The status
// as StatusOf gives it.
std::uint16_t CallShared(Command command, std::span<const std::uint8_t> request,
                         std::vector<std::uint8_t>* answer = nullptr);

// A request whose answer is one value: the value lands in `*value` only when the answer is exactly it.
template <typename T>
std::uint16_t CallForValue(Command command, std::span<const std::uint8_t> request, T* value) {
    if (value == nullptr) {
        return kLinkBadArgument;
    }
    std::vector<std::uint8_t> answer;
    const std::uint16_t status = CallShared(command, request, &answer);
    if (status != kLinkOk) {
        return status;
    }
    const std::optional<T> received = UnpackSingle<T>(answer);
    if (!received) {
        return kLinkCommunicationError;
    }
    *value = *received;
    return kLinkOk;
}

// A request whose answer is a fixed number of raw bytes, copied to `out` only when exactly that many came.
std::uint16_t CallForBytes(Command command, std::span<const std::uint8_t> request,
                           std::span<std::uint8_t> out);

// Parameter transfer, one value per call.
template <typename T>
std::uint16_t GetParam(ParamId id, std::uint32_t index, T* value) {
    if (index > 0xFFFF) {
        return kLinkBadArgument;
    }
    return CallForValue(Command::kGetParam,
                        Pack(static_cast<std::uint16_t>(id), static_cast<std::uint16_t>(index)), value);
}

template <typename T>
std::uint16_t SetParam(ParamId id, std::uint32_t index, T value) {
    if (index > 0xFFFF) {
        return kLinkBadArgument;
    }
    return CallShared(Command::kSetParam,
                      Pack(static_cast<std::uint16_t>(id), static_cast<std::uint16_t>(index), value));
}

std::uint16_t GetParamWord(ParamId id, std::uint32_t index, std::uint8_t* word, std::size_t wordBytes);
std::uint16_t SetParamWord(ParamId id, std::uint32_t index, const std::uint8_t* word, std::size_t wordBytes);

}  // namespace motionlink::link
