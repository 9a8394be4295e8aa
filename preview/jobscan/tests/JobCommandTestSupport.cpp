// Test helpers for job commands.
#include "JobCommandTestSupport.h"

#include <fstream>

#include "ByteTransform.h"

namespace jobscan::testing {

std::vector<JobCommand> ToVector(const CDbList<JobCommand>& list) {
    std::vector<JobCommand> commands;
    if (list.head == nullptr) {
        return commands;
    }
    for (const auto* node = list.head->next; node != list.head; node = node->next) {
        commands.push_back(node->value);
    }
    return commands;
}

std::vector<JobCommand> Ramp(double x0, double y0, double x1, double y1, double p0, double p1) {
    std::vector<JobCommand> steps;
    for (int i = 1; i <= 10; ++i) {
        steps.push_back(JobCommand{JobCommand::Power, (i * (p1 - p0)) * 0.1 + p0, 0.0});
        steps.push_back(JobCommand{JobCommand::Cut, ((x1 - x0) * i * 0.1 + x0) * 0.001,
                                   ((y1 - y0) * i * 0.1 + y0) * 0.001});
    }
    return steps;
}

std::vector<std::uint8_t> AbsoluteGroups(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>((bits >> 28) & 0x0F), static_cast<std::uint8_t>((bits >> 21) & 0x7F),
            static_cast<std::uint8_t>((bits >> 14) & 0x7F), static_cast<std::uint8_t>((bits >> 7) & 0x7F),
            static_cast<std::uint8_t>(bits & 0x7F)};
}

void WriteOpcodeStreamAsJobFile(const std::filesystem::path& file,
                                std::span<const std::uint8_t> opcodeStream) {
    std::ofstream out(file, std::ios::binary);
    for (const std::uint8_t opcodeByte : opcodeStream) {
        out.put(static_cast<char>(motionlink::StoredByteFromOpcode(opcodeByte)));
    }
}

}  // namespace jobscan::testing

void PrintTo(const JobCommand& command, std::ostream* out) {
    *out << "{kind " << command.kind << ", a " << command.a << ", b " << command.b << "}";
}
