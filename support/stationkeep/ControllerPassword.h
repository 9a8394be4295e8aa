// Reading the vendor password that the controller keeps in its parameters 1280 and 1281.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace stationkeep {

inline constexpr std::uint32_t kPasswordLowParam = 1280;
inline constexpr std::uint32_t kPasswordHighParam = 1281;

// Opens the controller with the caller's connection, reads both parameters and closes again (on every
// way out). Nothing when the controller cannot be opened or either parameter cannot be read.
std::optional<std::string> ReadControllerPassword(std::uint16_t kind, std::uint16_t port, const std::string& address);

}  // namespace stationkeep
