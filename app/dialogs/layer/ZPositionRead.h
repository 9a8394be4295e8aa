// Reading the Z axis position from the controller for the layer's pen up and down positions: the
// connection is opened on the current settings and always closed again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CConnectSetting;

// The Z position in mm; nothing when the controller cannot be opened or does not give the position.
std::optional<double> ReadControllerZMm(const CConnectSetting& connection);
// The message of a failed read: Chinese for Simplified Chinese, English for every other language.
std::string ZReadFailureText(std::uint16_t languageIndex);
