#include "FormEntries.h"

#include "FieldText.h"

namespace dialogkit {

void FormEntries::EnterText(int controlId, std::string_view text) {
    numbers_[controlId] = ReadFieldNumber(text);
}

void FormEntries::EnterNumber(int controlId, double number) {
    numbers_[controlId] = number;
}

std::optional<double> FormEntries::Number(int controlId) const {
    const auto found = numbers_.find(controlId);
    return found == numbers_.end() ? std::nullopt : found->second;
}

}  // namespace dialogkit
