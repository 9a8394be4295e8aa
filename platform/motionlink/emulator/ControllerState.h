// What the emulated controller remembers across restarts: its parameter table, the raw parameters,
// statistics, the document store, the panel logos and the firmware version, kept in one state file.
#pragma once

#include "Params.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace motionlink::emulator {

struct StoredDocument {
    std::uint64_t id = 0;  // given at run time and not stored, so that sessions can follow a document
    std::string name;      // GBK, as the controller keeps it
    std::vector<std::uint8_t> bytes;
    std::int32_t workTimeMs = 0;  // 0 until computed or run
};

struct ControllerState {
    // Keyed by ParamKey(); every parameter of the table at every index it has.
    std::map<std::uint32_t, std::vector<std::uint8_t>> params;
    // Controller parameters by address, five 7-bit groups each (the vendor password lives at 1280, 1281).
    std::map<std::uint32_t, std::vector<std::uint8_t>> rawParams;
    std::vector<StoredDocument> documents;
    std::string boardVersion;
    std::vector<std::uint8_t> monoLogo;
    std::vector<std::uint8_t> colorLogo;
    // Travel below one metre that the metre counters have not taken yet, so no short job is lost.
    double travelRemainderXMm = 0;
    double travelRemainderYMm = 0;
};

constexpr std::uint32_t ParamKey(link::ParamId id, std::uint16_t index) {
    return (static_cast<std::uint32_t>(id) << 16) | index;
}

// A controller as it leaves the factory.
ControllerState DefaultControllerState();

// The state file in the folder: the stored state, the defaults when there is none, nothing when it
// exists but cannot be read (it is then left alone).
std::optional<ControllerState> LoadControllerState(const std::filesystem::path& folder);
// Rewrites the state file through a temporary file; false when that failed.
bool SaveControllerState(const ControllerState& state, const std::filesystem::path& folder);

// Typed access to a parameter's bytes; values of another size read as 0.
double ParamDouble(const ControllerState& state, link::ParamId id, std::uint16_t index = 0);
std::uint32_t ParamU32(const ControllerState& state, link::ParamId id, std::uint16_t index = 0);
void SetParamDouble(ControllerState& state, link::ParamId id, std::uint16_t index, double value);
void SetParamU32(ControllerState& state, link::ParamId id, std::uint16_t index, std::uint32_t value);

// The emulator's vendor password, as the raw parameters 1280 and 1281 carry it.
inline constexpr char kDefaultVendorPassword[] = "EMU123";
inline constexpr char kDefaultBoardVersion[] = "EMU-1.00";

}  // namespace motionlink::emulator
