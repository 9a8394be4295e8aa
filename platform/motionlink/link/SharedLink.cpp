// The shared connection and the request helpers of the controller calls.
#include "SharedLink.h"

#include <algorithm>

namespace motionlink::link {

SharedLink& TheSharedLink() {
    static SharedLink link;
    return link;
}

std::uint16_t CallShared(Command command, std::span<const std::uint8_t> request,
                         std::vector<std::uint8_t>* answer) {
    SharedLink& link = TheSharedLink();
    std::lock_guard guard(link.lock);
    std::optional<Answer> received = link.connection.Call(command, request);
    const std::uint16_t status = StatusOf(received);
    if (received && answer != nullptr) {
        *answer = std::move(received->payload);
    }
    return status;
}

std::uint16_t CallForBytes(Command command, std::span<const std::uint8_t> request,
                           std::span<std::uint8_t> out) {
    if (out.data() == nullptr) {
        return kLinkBadArgument;
    }
    std::vector<std::uint8_t> answer;
    const std::uint16_t status = CallShared(command, request, &answer);
    if (status != kLinkOk) {
        return status;
    }
    if (answer.size() != out.size()) {
        return kLinkCommunicationError;
    }
    std::copy(answer.begin(), answer.end(), out.begin());
    return kLinkOk;
}

std::uint16_t GetParamWord(ParamId id, std::uint32_t index, std::uint8_t* word, std::size_t wordBytes) {
    if (index > 0xFFFF || word == nullptr) {
        return kLinkBadArgument;
    }
    return CallForBytes(Command::kGetParam,
                        Pack(static_cast<std::uint16_t>(id), static_cast<std::uint16_t>(index)),
                        std::span(word, wordBytes));
}

std::uint16_t SetParamWord(ParamId id, std::uint32_t index, const std::uint8_t* word, std::size_t wordBytes) {
    if (index > 0xFFFF || word == nullptr) {
        return kLinkBadArgument;
    }
    std::vector<std::uint8_t> request =
        Pack(static_cast<std::uint16_t>(id), static_cast<std::uint16_t>(index));
    request.insert(request.end(), word, word + wordBytes);
    return CallShared(Command::kSetParam, request);
}

}  // namespace motionlink::link
