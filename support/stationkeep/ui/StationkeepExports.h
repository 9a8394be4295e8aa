// Stationkeep's exports: the password prompts that guard the vendor tools. Each returns 0 when the
// prompt ended with a right entry and 1 otherwise; the caller goes on only on 0.
#pragma once

#include <cstdint>
#include <string>

// The vendor-parameter access code.
std::uint16_t Zint_CheckParaPass(std::uint16_t languageIndex);
// The vendor right: the controller's password, read over the caller's connection before the prompt
// opens, or the fixed vendor-right string. An unreachable or unreadable controller shows the
// communication message and gives 1 without a prompt.
std::uint16_t Zint_CheckVendorPass(std::uint16_t languageIndex, std::uint16_t kind, std::uint16_t port,
                                   std::string address);
