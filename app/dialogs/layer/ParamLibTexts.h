// What the parameter library dialog tells the user: the summary of a set, and its fixed messages, which
// come in two languages only (Chinese for Simplified Chinese, English for every other language).
#pragma once

#include <cstdint>
#include <string>

class ParamLibrary;

// Seven lines, each ended by CR LF: kind, output, blowing, mode, speed, and both lasers' powers.
std::string ParamSetSummary(const ParamLibrary& library, const std::string& name,
                            std::uint16_t languageIndex);

std::string ParamLibLoadFailureText(std::uint16_t languageIndex);
std::string ParamLibSaveFailureText(std::uint16_t languageIndex);
std::string ParamLibTooLargeText(std::uint16_t languageIndex);
std::string ParamLibRefusedNameText(std::uint16_t languageIndex);
std::string ParamLibDuplicateText(std::uint16_t languageIndex);
// The set was saved from the other kind of layer than the one being edited.
std::string ParamLibKindMismatchText(bool layerIsBitmap, bool setIsBitmap, std::uint16_t languageIndex);
