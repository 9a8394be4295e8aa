// Factory defaults and the state file of the emulated controller.
#include "ControllerState.h"

#include "Archive.h"
#include "AtomicFile.h"
#include "Payload.h"

#include <array>
#include <string_view>

namespace motionlink::emulator {
namespace {

using link::ParamId;

constexpr char kStateFileName[] = "controller.state";
constexpr std::string_view kStateMarker = "CutrixControllerEmulatorState";
constexpr std::uint32_t kStateVersion = 1;

// Factory values, the same at every index of a parameter.
struct NumberDefault {
    ParamId id;
    double value;
};

constexpr NumberDefault kDoubleDefaults[] = {
    {ParamId::kAxisPrecision, 0.35}, {ParamId::kAxisMaxVel, 1000.0},     {ParamId::kAxisStrtVel, 5.0},
    {ParamId::kAxisMaxAcc, 8000.0},  {ParamId::kAxisRange, 1000.0},      {ParamId::kBtnStrtVel, 5.0},
    {ParamId::kAxisBtnAcc, 3000.0},  {ParamId::kAxisEstpAcc, 5000.0},    {ParamId::kLaserMaxPower, 100.0},
    {ParamId::kLaserPWMFreq, 100.0}, {ParamId::kLaserStdbyFreq, 5000.0}, {ParamId::kLaserStdbyPulse, 0.5},
    {ParamId::kG0Vel, 200.0},        {ParamId::kG0Acc, 3000.0},          {ParamId::kTurnVel, 20.0},
    {ParamId::kTurnAcc, 400.0},      {ParamId::kSynAcc, 3000.0},         {ParamId::kXMinEngVel, 10.0},
    {ParamId::kYMinEngVel, 10.0},    {ParamId::kXEngAcc, 10000.0},       {ParamId::kYEngAcc, 3000.0},
    {ParamId::kEngVertVel, 100.0},   {ParamId::kEngFacula, 80.0},        {ParamId::kHomeVel, 20.0},
    {ParamId::kFocusDepth, 5.0},
};

constexpr NumberDefault kIntegerDefaults[] = {
    {ParamId::kAccRatio, 100},
    {ParamId::kAccG0Ratio, 100},
    {ParamId::kTurnRatio, 100},
    {ParamId::kCardLang, 2},
};

struct WordDefault {
    ParamId id;
    std::array<std::uint8_t, 8> bytes;
};

constexpr WordDefault kWordDefaults[] = {
    {ParamId::kAxisCtrlPara, {0, 1, 1, 1, 1, 1, 1, 0}},
    {ParamId::kSystemCtrlMode, {0, 0, 0, 0, 0, 1, 0, 0}},  // laser 1 enabled
    {ParamId::kSystemSettings, {1, 0, 0, 0, 0, 0}},        // return to the locate point after a job
};

std::vector<std::uint8_t> IntegerBytes(std::uint64_t value, std::size_t size) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t at = 0; at < size; ++at) {
        bytes[at] = static_cast<std::uint8_t>(value >> (8 * at));
    }
    return bytes;
}

std::vector<std::uint8_t> DefaultValue(const link::ParamInfo& info) {
    for (const NumberDefault& entry : kDoubleDefaults) {
        if (entry.id == info.id) {
            return link::Pack(entry.value);
        }
    }
    for (const NumberDefault& entry : kIntegerDefaults) {
        if (entry.id == info.id) {
            return IntegerBytes(static_cast<std::uint64_t>(entry.value), info.valueBytes);
        }
    }
    for (const WordDefault& entry : kWordDefaults) {
        if (entry.id == info.id) {
            return {entry.bytes.begin(), entry.bytes.begin() + static_cast<std::ptrdiff_t>(info.valueBytes)};
        }
    }
    return std::vector<std::uint8_t>(info.valueBytes, 0);
}

// A 32-bit number as five 7-bit groups, most significant first.
std::vector<std::uint8_t> SevenBitGroups(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value >> 28), static_cast<std::uint8_t>((value >> 21) & 0x7F),
            static_cast<std::uint8_t>((value >> 14) & 0x7F), static_cast<std::uint8_t>((value >> 7) & 0x7F),
            static_cast<std::uint8_t>(value & 0x7F)};
}

// The six password characters: four in the first number from its lowest byte up, two in the upper
// half of the second.
void PutVendorPassword(ControllerState& state, std::string_view password) {
    auto byte = [&](std::size_t at) {
        return static_cast<std::uint32_t>(static_cast<std::uint8_t>(password[at]));
    };
    const std::uint32_t first = byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    const std::uint32_t second = byte(4) << 16 | byte(5) << 24;
    state.rawParams[1280] = SevenBitGroups(first);
    state.rawParams[1281] = SevenBitGroups(second);
}

void ExchangeBytes(platform::Archive& archive, std::vector<std::uint8_t>& bytes) {
    if (archive.IsStoring()) {
        archive.WriteCount(static_cast<std::uint32_t>(bytes.size()));
        archive.WriteBytes(bytes);
    } else {
        bytes = archive.ReadBytes(archive.ReadCount());
    }
}

void ExchangeByteMap(platform::Archive& archive, std::map<std::uint32_t, std::vector<std::uint8_t>>& map) {
    std::uint32_t count = static_cast<std::uint32_t>(map.size());
    archive.Exchange(count);
    if (archive.IsStoring()) {
        for (auto& [key, bytes] : map) {
            archive.WriteU32(key);
            ExchangeBytes(archive, bytes);
        }
        return;
    }
    for (std::uint32_t entry = 0; entry < count; ++entry) {
        const std::uint32_t key = archive.ReadU32();
        ExchangeBytes(archive, map[key]);
    }
}

void ExchangeDocument(platform::Archive& archive, StoredDocument& document) {
    archive.Exchange(document.name);
    ExchangeBytes(archive, document.bytes);
    archive.Exchange(document.workTimeMs);
}

void ExchangeState(platform::Archive& archive, ControllerState& state) {
    ExchangeByteMap(archive, state.params);
    ExchangeByteMap(archive, state.rawParams);
    std::uint32_t documentCount = static_cast<std::uint32_t>(state.documents.size());
    archive.Exchange(documentCount);
    if (archive.IsLoading()) {
        state.documents.assign(std::min<std::size_t>(documentCount, archive.Remaining()), {});
    }
    for (StoredDocument& document : state.documents) {
        ExchangeDocument(archive, document);
    }
    archive.Exchange(state.boardVersion);
    ExchangeBytes(archive, state.monoLogo);
    ExchangeBytes(archive, state.colorLogo);
    archive.Exchange(state.travelRemainderXMm);
    archive.Exchange(state.travelRemainderYMm);
}

// Keeps a loaded table to the parameters this controller has, each at its own size.
void KeepKnownParams(ControllerState& loaded) {
    ControllerState fresh = DefaultControllerState();
    for (auto& [key, bytes] : fresh.params) {
        const auto stored = loaded.params.find(key);
        if (stored != loaded.params.end() && stored->second.size() == bytes.size()) {
            bytes = stored->second;
        }
    }
    loaded.params = std::move(fresh.params);
}

}  // namespace

ControllerState DefaultControllerState() {
    ControllerState state;
    for (const link::ParamInfo& info : link::AllParams()) {
        const std::uint16_t first = info.maxIndex == 0 ? 0 : 1;
        for (std::uint16_t index = first; index <= info.maxIndex; ++index) {
            state.params[ParamKey(info.id, index)] = DefaultValue(info);
        }
    }
    PutVendorPassword(state, kDefaultVendorPassword);
    state.boardVersion = kDefaultBoardVersion;
    return state;
}

std::optional<ControllerState> LoadControllerState(const std::filesystem::path& folder) {
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(folder / kStateFileName);
    if (!bytes) {
        std::error_code error;
        return std::filesystem::exists(folder / kStateFileName, error)
                   ? std::nullopt
                   : std::optional(DefaultControllerState());
    }
    try {
        platform::Archive archive = platform::Archive::ForLoading(*bytes);
        if (archive.ReadString() != kStateMarker || archive.ReadU32() != kStateVersion) {
            return std::nullopt;
        }
        ControllerState state;
        ExchangeState(archive, state);
        KeepKnownParams(state);
        return state;
    } catch (const platform::ArchiveError&) {
        return std::nullopt;
    }
}

bool SaveControllerState(const ControllerState& state, const std::filesystem::path& folder) {
    platform::Archive archive = platform::Archive::ForStoring();
    archive.WriteString(kStateMarker);
    archive.WriteU32(kStateVersion);
    ExchangeState(archive, const_cast<ControllerState&>(state));  // storing only reads the state
    return platform::WriteFileAtomically(folder / kStateFileName, archive.Bytes());
}

double ParamDouble(const ControllerState& state, link::ParamId id, std::uint16_t index) {
    const auto found = state.params.find(ParamKey(id, index));
    if (found == state.params.end()) {
        return 0.0;
    }
    return link::UnpackSingle<double>(found->second).value_or(0.0);
}

std::uint32_t ParamU32(const ControllerState& state, link::ParamId id, std::uint16_t index) {
    const auto found = state.params.find(ParamKey(id, index));
    if (found == state.params.end()) {
        return 0;
    }
    return link::UnpackSingle<std::uint32_t>(found->second).value_or(0);
}

void SetParamDouble(ControllerState& state, link::ParamId id, std::uint16_t index, double value) {
    state.params[ParamKey(id, index)] = link::Pack(value);
}

void SetParamU32(ControllerState& state, link::ParamId id, std::uint16_t index, std::uint32_t value) {
    state.params[ParamKey(id, index)] = link::Pack(value);
}

}  // namespace motionlink::emulator
