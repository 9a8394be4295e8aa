#include "LgpJobSender.h"

#include "Motionlink.h"

namespace dotplate {

bool IsCommandStart(std::uint8_t storedByte) {
    std::uint8_t opcode = storedByte;
    Zint_UBCmd(&opcode);
    return (opcode & 0x80) != 0;
}

LgpJobSender::LgpJobSender() : write_([](const std::uint8_t* data, std::uint32_t length) {
    return Zint_WritePort(data, length);
}) {}

bool LgpJobSender::WriteWholeCommands() {
    std::size_t cut = staged_.size();
    for (std::size_t i = staged_.size(); i-- > 1;) {
        if (IsCommandStart(staged_[i])) {
            cut = i;
            break;
        }
    }
    if (write_(staged_.data(), static_cast<std::uint32_t>(cut)) != 0) {
        return false;
    }
    staged_.erase(staged_.begin(), staged_.begin() + static_cast<std::ptrdiff_t>(cut));
    return true;
}

int LgpJobSender::Send(const std::uint8_t* data, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (staged_.size() == kMaxWrite && !WriteWholeCommands()) {
            return 1;
        }
        staged_.push_back(data[i]);
    }
    return 0;
}

int LgpJobSender::Flush() {
    if (staged_.empty()) {
        return 0;
    }
    const std::uint16_t status = write_(staged_.data(), static_cast<std::uint32_t>(staged_.size()));
    staged_.clear();
    return status == 0 ? 0 : 1;
}

}  // namespace dotplate
