#include "SaneOptions.h"

#include <sane/saneopts.h>

#include <cmath>
#include <cstring>
#include <string_view>

namespace platform {

namespace {

struct Option {
    SANE_Int index = -1;
    const SANE_Option_Descriptor* descriptor = nullptr;

    explicit operator bool() const { return descriptor != nullptr; }
};

// The active option of the name; none when the device lacks it or has it switched off.
Option FindOption(const SaneLibrary& sane, SANE_Handle handle, std::string_view name) {
    SANE_Int count = 0;
    if (sane.controlOption(handle, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD) {
        return {};
    }
    for (SANE_Int index = 1; index < count; ++index) {
        const SANE_Option_Descriptor* descriptor = sane.getOptionDescriptor(handle, index);
        if (descriptor != nullptr && descriptor->name != nullptr && name == descriptor->name &&
            SANE_OPTION_IS_ACTIVE(descriptor->cap) && descriptor->size > 0) {
            return {index, descriptor};
        }
    }
    return {};
}

bool IsSettable(const Option& option) {
    return option && SANE_OPTION_IS_SETTABLE(option.descriptor->cap);
}

std::string ReadString(const SaneLibrary& sane, SANE_Handle handle, const Option& option) {
    if (option.descriptor->type != SANE_TYPE_STRING) {
        return {};
    }
    std::string value(static_cast<std::size_t>(option.descriptor->size), '\0');
    if (sane.controlOption(handle, option.index, SANE_ACTION_GET_VALUE, value.data(), nullptr) !=
        SANE_STATUS_GOOD) {
        return {};
    }
    value.resize(std::strlen(value.c_str()));
    return value;
}

// A numeric option's first value as a plain number.
double ReadNumber(const SaneLibrary& sane, SANE_Handle handle, const Option& option) {
    const SANE_Value_Type type = option.descriptor->type;
    if (type != SANE_TYPE_INT && type != SANE_TYPE_FIXED) {
        return 0.0;
    }
    std::vector<SANE_Word> words(static_cast<std::size_t>(option.descriptor->size) / sizeof(SANE_Word) + 1);
    if (sane.controlOption(handle, option.index, SANE_ACTION_GET_VALUE, words.data(), nullptr) !=
        SANE_STATUS_GOOD) {
        return 0.0;
    }
    return type == SANE_TYPE_FIXED ? SANE_UNFIX(words[0]) : static_cast<double>(words[0]);
}

double WordValue(SANE_Value_Type type, SANE_Word word) {
    return type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : static_cast<double>(word);
}

std::vector<std::string> StringChoices(const Option& option) {
    std::vector<std::string> choices;
    if (option.descriptor->constraint_type == SANE_CONSTRAINT_STRING_LIST) {
        for (const SANE_String_Const* entry = option.descriptor->constraint.string_list; *entry != nullptr;
             ++entry) {
            choices.emplace_back(*entry);
        }
    }
    return choices;
}

std::vector<int> ResolutionList(const Option& option, int current) {
    const SANE_Option_Descriptor& descriptor = *option.descriptor;
    if (descriptor.constraint_type == SANE_CONSTRAINT_WORD_LIST) {
        std::vector<int> choices;
        const SANE_Word* list = descriptor.constraint.word_list;
        for (SANE_Word at = 1; at <= list[0]; ++at) {
            choices.push_back(static_cast<int>(std::lround(WordValue(descriptor.type, list[at]))));
        }
        return choices;
    }
    if (descriptor.constraint_type == SANE_CONSTRAINT_RANGE) {
        const SANE_Range& range = *descriptor.constraint.range;
        return ResolutionChoices(static_cast<int>(std::ceil(WordValue(descriptor.type, range.min))),
                                 static_cast<int>(std::floor(WordValue(descriptor.type, range.max))),
                                 current);
    }
    return {current};
}

void WriteString(const SaneLibrary& sane, SANE_Handle handle, std::string_view name,
                 const std::string& value) {
    const Option option = FindOption(sane, handle, name);
    if (value.empty() || !IsSettable(option) || option.descriptor->type != SANE_TYPE_STRING ||
        value.size() >= static_cast<std::size_t>(option.descriptor->size)) {
        return;
    }
    std::string buffer(value);
    buffer.resize(static_cast<std::size_t>(option.descriptor->size), '\0');
    sane.controlOption(handle, option.index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr);
}

void WriteResolution(const SaneLibrary& sane, SANE_Handle handle, int dpi) {
    const Option option = FindOption(sane, handle, SANE_NAME_SCAN_RESOLUTION);
    const SANE_Value_Type type = option ? option.descriptor->type : SANE_TYPE_BOOL;
    if (dpi <= 0 || !IsSettable(option) || (type != SANE_TYPE_INT && type != SANE_TYPE_FIXED) ||
        option.descriptor->size != sizeof(SANE_Word)) {
        return;
    }
    SANE_Word word = type == SANE_TYPE_FIXED ? SANE_FIX(dpi) : dpi;
    sane.controlOption(handle, option.index, SANE_ACTION_SET_VALUE, &word, nullptr);
}

}  // namespace

ScanSettings ReadScanSettings(const SaneLibrary& sane, SANE_Handle handle) {
    ScanSettings settings;
    if (const Option mode = FindOption(sane, handle, SANE_NAME_SCAN_MODE); IsSettable(mode)) {
        settings.modes = StringChoices(mode);
        settings.mode = ReadString(sane, handle, mode);
    }
    if (const Option source = FindOption(sane, handle, SANE_NAME_SCAN_SOURCE); IsSettable(source)) {
        settings.sources = StringChoices(source);
        settings.source = ReadString(sane, handle, source);
    }
    if (const Option resolution = FindOption(sane, handle, SANE_NAME_SCAN_RESOLUTION);
        IsSettable(resolution)) {
        settings.resolution = static_cast<int>(std::lround(ReadNumber(sane, handle, resolution)));
        settings.resolutions = ResolutionList(resolution, settings.resolution);
    }
    return settings;
}

void ApplyScanSettings(const SaneLibrary& sane, SANE_Handle handle, const ScanSettings& settings) {
    WriteString(sane, handle, SANE_NAME_SCAN_SOURCE, settings.source);
    WriteString(sane, handle, SANE_NAME_SCAN_MODE, settings.mode);
    WriteResolution(sane, handle, settings.resolution);
}

double CurrentResolution(const SaneLibrary& sane, SANE_Handle handle) {
    const Option resolution = FindOption(sane, handle, SANE_NAME_SCAN_RESOLUTION);
    return resolution ? ReadNumber(sane, handle, resolution) : 0.0;
}

}  // namespace platform
