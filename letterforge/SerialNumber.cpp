// Serial-number arithmetic and rules.
#include "SerialNumber.h"

#include <string_view>

namespace letterforge {
namespace {

struct Alphabet {
    char first;
    int base;
};

// The alphabet of a character, or none (base 0) for a fixed character.
Alphabet AlphabetOf(char character) {
    if (character >= '0' && character <= '9') {
        return {'0', 10};
    }
    if (character >= 'a' && character <= 'z') {
        return {'a', 26};
    }
    if (character >= 'A' && character <= 'Z') {
        return {'A', 26};
    }
    return {character, 0};
}

std::string ResetRest(const std::string& head, std::string_view rest) {
    std::string result = SnAdd(head, 1);
    for (char character : rest) {
        result += SnAlphabetFirst(character);
    }
    return result;
}

// Digits of a serial counted from the last character, as signed 64-bit carries or borrows.
std::string AddWithCarry(std::string serial, std::int64_t carry) {
    for (auto it = serial.rbegin(); it != serial.rend() && carry != 0; ++it) {
        const Alphabet alphabet = AlphabetOf(*it);
        if (alphabet.base == 0) {
            continue;
        }
        // Divided before adding, so that no amount overflows.
        std::int64_t index = carry % alphabet.base + (*it - alphabet.first);
        carry = carry / alphabet.base + index / alphabet.base;
        index %= alphabet.base;
        if (index < 0) {
            index += alphabet.base;
            carry -= 1;
        }
        *it = static_cast<char>(alphabet.first + index);
    }
    return serial;
}

}  // namespace

std::string SnAdd(const std::string& serial, std::int64_t amount) {
    return AddWithCarry(serial, amount);
}

char SnAlphabetFirst(char character) {
    const Alphabet alphabet = AlphabetOf(character);
    return alphabet.base == 0 ? character : alphabet.first;
}

std::string SnApplySkipRule(const std::string& serial, const std::string& rule) {
    const bool leading = !rule.empty() && rule.front() == '*';
    const bool trailing = !rule.empty() && rule.back() == '*';
    const auto length = static_cast<std::ptrdiff_t>(serial.size());
    if (rule.find('*') == std::string::npos) {
        return serial == rule ? SnAdd(serial, 1) : serial;
    }
    if (leading && trailing) {
        std::string inner;
        for (char character : rule) {
            if (character != '*') {
                inner += character;
            }
        }
        const std::size_t found = serial.find(inner);
        const auto innerLength = static_cast<std::ptrdiff_t>(inner.size());
        if (found == std::string::npos || found == 0 || static_cast<std::ptrdiff_t>(found) >= length - innerLength) {
            return serial;
        }
        const std::size_t headLength = found + inner.size();
        return ResetRest(serial.substr(0, headLength), std::string_view(serial).substr(headLength));
    }
    if (leading) {
        const std::string tail = rule.substr(rule.rfind('*') + 1);
        const std::size_t found = serial.find(tail);
        const bool endsWithOnlyTail =
            found != std::string::npos && static_cast<std::ptrdiff_t>(found) == length - static_cast<std::ptrdiff_t>(tail.size());
        return endsWithOnlyTail ? SnAdd(serial, 1) : serial;
    }
    if (trailing) {
        const std::string head = rule.substr(0, rule.find('*'));
        if (serial.compare(0, head.size(), head) != 0 || serial.size() < head.size()) {
            return serial;
        }
        return ResetRest(head, std::string_view(serial).substr(head.size()));
    }
    return serial;
}

std::string SerialText(const CTextParam& params) {
    std::string_view serial = params.snCurrent;
    if (params.snKeepZeros == 0) {
        while (serial.size() > 1 && serial.front() == '0') {
            serial.remove_prefix(1);
        }
    }
    return params.snPrefix + std::string(serial) + params.snSuffix;
}

void AdvanceSerial(CTextParam& params, bool advance) {
    std::string serial = params.snCurrent;
    if (advance) {
        serial = SnAdd(serial, params.snIncrement);
    }
    if (params.skipRulesOn != 0) {
        for (const std::string& rule : params.skipRules) {
            serial = SnApplySkipRule(serial, rule);
        }
    }
    if (params.snResetOn != 0 && params.snCurrent == params.snResetValue) {
        serial = params.snStart;
    }
    params.snCurrent = serial;
}

}  // namespace letterforge
