// The parameter library file; see the header.
#include "ParamLibrary.h"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "AsciiText.h"
#include "AtomicFile.h"
#include "CadBitmapLayer.h"
#include "CadVectorLayer.h"
#include "GbkText.h"
#include "LayerEntryRules.h"
#include "LoaderHolder.h"
#include "ProgramFolder.h"
#include "SettingsGlobals.h"
#include "TextStore.h"

namespace {

using namespace layer_entry;

// How a key's value is written: a real with six decimals, "Yes"/"No", or a whole number.
enum class Form { Real, Flag, Whole };

// A real's value as its field's entry rule would hold it; null keeps it as read (finite).
using Hold = double (*)(double);

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}
double HoldSpeed(double value) {
    return StoredLayerSpeed(value, true);
}
double HoldPower(double value) {
    return ApplyRounded(kPowerPercent, value);
}
double HoldZSpeed(double value) {
    return StoredZSpeed(value, true);
}
double HoldDotInterval(double value) {
    return StoredDotIntervalS(value);
}
double HoldSeal(double value) {
    return ApplyRounded(kSealMm, value);
}
double HoldDelay(double value) {
    return ApplyRounded(kDelayMs, value);
}
double HoldRamp(double value) {
    return ApplyRounded(kRampLengthMm, value);
}
double HoldScanInterval(double value) {
    return ApplyRounded(kScanIntervalMm, value);
}
double HoldDotTime(double value) {
    return ApplyRounded(kDotTimeS, value);
}
double HoldDotLength(double value) {
    return ApplyRounded(kDotLengthMm, value);
}
double HoldKerf(double value) {
    return ClampKerfWidthMm(value);
}

// Keys 3 to 20 of every set, in the order a new set writes them.
template <typename Common, typename Visit>
void VisitCommonKeys(Common& c, Visit&& visit) {
    visit("COM_Output", Form::Flag, c.COM_Output, Finite);
    visit("COM_Speed", Form::Real, c.COM_Speed, HoldSpeed);
    visit("COM_SpeedDefault", Form::Flag, c.COM_SpeedDefault, Finite);
    visit("COM_Pmin1", Form::Real, c.COM_Pmin1, HoldPower);
    visit("COM_Pmax1", Form::Real, c.COM_Pmax1, HoldPower);
    visit("COM_Pmin2", Form::Real, c.COM_Pmin2, HoldPower);
    visit("COM_Pmax2", Form::Real, c.COM_Pmax2, HoldPower);
    visit("COM_PowerDefault", Form::Flag, c.COM_PowerDefault, Finite);
    visit("COM_Blow", Form::Flag, c.COM_Blow, Finite);
    visit("COM_EnLaser1", Form::Flag, c.COM_EnLaser1, Finite);
    visit("COM_EnLaser2", Form::Flag, c.COM_EnLaser2, Finite);
    visit("COM_EnZ", Form::Flag, c.COM_EnZ, Finite);
    visit("COM_EnZDown", Form::Flag, c.COM_EnZDown, Finite);
    visit("COM_ZDownPos", Form::Real, c.COM_ZDownPos, Finite);
    visit("COM_EnZUp", Form::Flag, c.COM_EnZUp, Finite);
    visit("COM_ZUpPos", Form::Real, c.COM_ZUpPos, Finite);
    visit("COM_ZSpeed", Form::Real, c.COM_ZSpeed, HoldZSpeed);
    visit("COM_DotInterval", Form::Real, c.COM_DotInterval, HoldDotInterval);
}

// The cut after scanning, the same keys in both kinds' blocks.
template <typename Block, typename Visit>
void VisitScanCutKeys(Block& b, Visit&& visit) {
    visit("Eng_EnCut", Form::Flag, b.Eng_EnCut, Finite);
    visit("EngCut_Speed", Form::Real, b.EngCut_Speed, HoldSpeed);
    visit("EngCut_DefaultSpeed", Form::Flag, b.EngCut_DefaultSpeed, Finite);
    visit("EngCut_Pmin1", Form::Real, b.EngCut_Pmin1, HoldPower);
    visit("EngCut_Pmax1", Form::Real, b.EngCut_Pmax1, HoldPower);
    visit("EngCut_Pmin2", Form::Real, b.EngCut_Pmin2, HoldPower);
    visit("EngCut_Pmax2", Form::Real, b.EngCut_Pmax2, HoldPower);
    visit("EngCut_DefaultPower", Form::Flag, b.EngCut_DefaultPower, Finite);
    visit("EngCut_Blow", Form::Flag, b.EngCut_Blow, Finite);
    visit("EngCut_Close", Form::Real, b.EngCut_Close, HoldSeal);
    visit("EngCut_OnDelay", Form::Real, b.EngCut_OnDelay, HoldDelay);
    visit("EngCut_OffDelay", Form::Real, b.EngCut_OffDelay, HoldDelay);
}

// The keys of a vector layer's mode after COM_WorkType.
template <typename Vector, typename Visit>
void VisitModeKeys(Vector& v, std::uint16_t mode, Visit&& visit) {
    switch (mode) {
        case VectorLayerParams::kScan:
            visit("Eng_EnSlope", Form::Flag, v.Eng_EnSlope, Finite);
            visit("Eng_OptMode", Form::Flag, v.Eng_OptMode, Finite);
            visit("Eng_SlopeLen", Form::Real, v.Eng_SlopeLen, HoldRamp);
            visit("Eng_ThickFont", Form::Whole, v.Eng_ThickFont, Finite);
            visit("Eng_Type", Form::Whole, v.Eng_Type, Finite);
            visit("Eng_Space", Form::Real, v.Eng_Space, HoldScanInterval);
            VisitScanCutKeys(v, visit);
            return;
        case VectorLayerParams::kCut:
            visit("Cut_Close", Form::Real, v.Cut_Close, HoldSeal);
            visit("Cut_OnDelay", Form::Real, v.Cut_OnDelay, HoldDelay);
            visit("Cut_OffDelay", Form::Real, v.Cut_OffDelay, HoldDelay);
            visit("Cut_EnSew", Form::Flag, v.Cut_EnSew, Finite);
            visit("Cut_SewDir", Form::Whole, v.Cut_SewDir, Finite);
            visit("Cut_SewWidth", Form::Real, v.Cut_SewWidth, HoldKerf);
            visit("Cut_ThroughMode", Form::Whole, v.Cut_ThroughMode, Finite);
            return;
        case VectorLayerParams::kDot:
            visit("Dot_Time", Form::Real, v.Dot_Time, HoldDotTime);
            visit("Dot_Space", Form::Real, v.Dot_Space, HoldDotLength);
            visit("Dot_Len", Form::Real, v.Dot_Len, HoldDotLength);
            visit("Dot_EnCenter", Form::Flag, v.Dot_EnCenter, Finite);
            return;
        case VectorLayerParams::kPen:
            // The pen delays travel under the keys the library has always given the pen mode.
            visit("Pen_OnDly", Form::Real, v.Pen_DownDelay, HoldDelay);
            visit("Pen_OffDly", Form::Real, v.Pen_UpDelay, HoldDelay);
            return;
        default:
            return;
    }
}

template <typename Bitmap, typename Visit>
void VisitBitmapKeys(Bitmap& b, Visit&& visit) {
    visit("Eng_OptDirect", Form::Flag, b.Eng_OptDirect, Finite);
    visit("Eng_OptMode", Form::Flag, b.Eng_OptMode, Finite);
    visit("Eng_Invert", Form::Flag, b.Eng_Invert, Finite);
    visit("Eng_EnOptim", Form::Flag, b.Eng_EnOptim, Finite);
    visit("Eng_EnSlope", Form::Flag, b.Eng_EnSlope, Finite);
    visit("Eng_SlopeLen", Form::Real, b.Eng_SlopeLen, HoldRamp);
    visit("Eng_ThickFont", Form::Whole, b.Eng_ThickFont, Finite);
    visit("Eng_Type", Form::Whole, b.Eng_Type, Finite);
    visit("Eng_Space", Form::Real, b.Eng_Space, HoldScanInterval);
    VisitScanCutKeys(b, visit);
}

constexpr const char* kModeWords[] = {"Scan", "Cut", "Dot", "Pen"};
constexpr std::size_t kLongestLineBytes = 1021;  // the reader takes lines in pieces of 1022 with the end

// Writes one key of a set.
struct KeyWriter {
    CLoaderHolder& store;
    const std::string& section;
    template <typename Member>
    void operator()(const char* key, Form form, const Member& member, Hold) const {
        switch (form) {
            case Form::Real:
                store.SetItemDouble(section, key, static_cast<double>(member));
                return;
            case Form::Flag:
                store.SetItemText(section, key, member != 0 ? "Yes" : "No");
                return;
            case Form::Whole:
                store.SetItemInt(section, key, static_cast<std::int32_t>(member));
                return;
        }
    }
};

// Reads one key of a set into its field; a missing key gives 0.
struct KeyReader {
    CLoaderHolder& store;
    const std::string& section;
    template <typename Member>
    void operator()(const char* key, Form form, Member& member, Hold hold) const {
        switch (form) {
            case Form::Real:
                member = static_cast<Member>(hold(store.GetItemDouble(section, key)));
                return;
            case Form::Flag:
                member = platform::EqualIgnoringCase(store.GetItemText(section, key), "Yes") ? 1 : 0;
                return;
            // The field keeps the low bits of the number, as its width holds them.
            case Form::Whole:
                member = static_cast<Member>(static_cast<std::uint32_t>(store.GetItemInt(section, key)));
                return;
        }
    }
};

bool IsValidUtf8(const std::vector<std::uint8_t>& bytes) {
    std::size_t index = 0;
    while (index < bytes.size()) {
        const std::uint8_t lead = bytes[index];
        const int following = lead < 0x80           ? 0
                              : (lead >> 5) == 0x6  ? 1
                              : (lead >> 4) == 0xE  ? 2
                              : (lead >> 3) == 0x1E ? 3
                                                    : -1;
        if (following < 0 || index + static_cast<std::size_t>(following) >= bytes.size()) {
            return false;
        }
        for (int offset = 1; offset <= following; ++offset) {
            if ((bytes[index + offset] & 0xC0) != 0x80) {
                return false;
            }
        }
        index += static_cast<std::size_t>(following) + 1;
    }
    return true;
}

std::filesystem::path SavingFile(const std::filesystem::path& file) {
    std::filesystem::path saving = file;
    saving += ".saving";
    return saving;
}

}  // namespace

std::filesystem::path GetParamLibPath() {
    return platform::ProgramFile("Param.lib");
}

ParamLibrary::ParamLibrary(CLoaderHolder& store, std::filesystem::path file)
    : store_(store), file_(std::move(file)) {}

ParamLibrary::Opened ParamLibrary::Open() {
    store_.ClearItemStore();
    writable_ = true;
    std::error_code error;
    if (!std::filesystem::exists(file_, error)) {
        return Opened::Empty;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = platform::ReadWholeFile(file_);
    bool loaded = false;
    if (bytes && !IsValidUtf8(*bytes)) {
        // A library written under a Chinese code page: read through a UTF-8 copy beside it.
        const std::string raw(bytes->begin(), bytes->end());
        if (const std::optional<std::string> text = platform::GbkToUtf8(raw)) {
            const std::filesystem::path copy = SavingFile(file_);
            loaded = platform::WriteFileAtomically(copy, *text) && store_.LoadItemFile(copy) == 0;
            std::filesystem::remove(copy, error);
        }
    } else if (bytes) {
        loaded = store_.LoadItemFile(file_) == 0;
    }
    if (!loaded) {
        store_.ClearItemStore();
        writable_ = false;
        return Opened::Unreadable;
    }
    return Opened::Loaded;
}

std::vector<std::string> ParamLibrary::Names() const {
    std::vector<std::string> names;
    store_.GetItemSectionList(&names);
    return names;
}

std::optional<std::string> ParamLibrary::ListedSpelling(const std::string& name) const {
    for (const std::string& listed : Names()) {
        if (platform::EqualIgnoringCase(listed, name)) {
            return listed;
        }
    }
    return std::nullopt;
}

bool ParamLibrary::AcceptableName(const std::string& name) {
    return !name.empty() && name.find_first_of("[]\r\n") == std::string::npos &&
           name.size() + 2 <= kLongestLineBytes;
}

std::string ParamLibrary::CleanNote(const std::string& note) {
    std::string clean;
    std::copy_if(note.begin(), note.end(), std::back_inserter(clean),
                 [](char c) { return c != '\r' && c != '\n' && c != '[' && c != ']'; });
    const std::size_t room = kLongestLineBytes - std::string_view("Note=").size();
    if (clean.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<std::uint8_t>(clean[cut]) & 0xC0) == 0x80) {
            --cut;  // never split a character
        }
        clean.resize(cut);
    }
    return clean;
}

ParamLibrary::Written ParamLibrary::Save(const std::string& name, const std::string& note,
                                         const CCadLayer& layer) {
    if (!writable_) {
        return Written::Locked;
    }
    if (!AcceptableName(name)) {
        return Written::RefusedName;
    }
    const std::string section = ListedSpelling(name).value_or(name);
    store_.AddItemSection(section);
    store_.SetItemText(section, "Note", CleanNote(note));
    const KeyWriter write{store_, section};
    const bool vector = layer.commonParams.COM_Type == CCadLayer::kVectorLayer;
    store_.SetItemText(section, "COM_Type", vector ? "Vector" : "Bmp");
    VisitCommonKeys(layer.editCommonParams, write);
    if (vector) {
        const VectorLayerParams& params = static_cast<const CCadVectorLayer&>(layer).editVectorParams;
        if (params.COM_WorkType <= VectorLayerParams::kPen) {
            store_.SetItemText(section, "COM_WorkType", kModeWords[params.COM_WorkType]);
            VisitModeKeys(params, params.COM_WorkType, write);
        }
    } else {
        store_.SetItemText(section, "COM_WorkType", "Scan");
        VisitBitmapKeys(static_cast<const CCadBitmapLayer&>(layer).editBitmapParams, write);
    }
    return WriteFile();
}

ParamLibrary::Written ParamLibrary::Delete(const std::string& name) {
    if (!writable_) {
        return Written::Locked;
    }
    store_.DeleteItemSection(name);
    return WriteFile();
}

ParamLibrary::Written ParamLibrary::WriteFile() {
    const std::filesystem::path saving = SavingFile(file_);
    std::error_code error;
    if (store_.SaveItemFile(saving) != 0) {
        std::filesystem::remove(saving, error);
        return Written::Failed;
    }
    if (std::filesystem::file_size(saving, error) > CTextStore::kMaxFileBytes || error) {
        std::filesystem::remove(saving, error);
        Open();  // back to what the file holds
        return Written::TooLarge;
    }
    std::filesystem::rename(saving, file_, error);
    if (error) {
        std::filesystem::remove(saving, error);
        return Written::Failed;
    }
    return Written::Done;
}

ParamLibrary::Kind ParamLibrary::KindOf(const std::string& name) const {
    return platform::EqualIgnoringCase(store_.GetItemText(name, "COM_Type"), "Bmp") ? Kind::Bitmap
                                                                                    : Kind::Vector;
}

std::string ParamLibrary::Value(const std::string& name, const std::string& key) const {
    return store_.GetItemText(name, key);
}

bool ParamLibrary::Load(const std::string& name, CCadLayer& layer) const {
    const bool vector = layer.commonParams.COM_Type == CCadLayer::kVectorLayer;
    if ((KindOf(name) == Kind::Vector) != vector) {
        return false;
    }
    const KeyReader read{store_, name};
    VisitCommonKeys(layer.editCommonParams, read);
    if (!vector) {
        VisitBitmapKeys(static_cast<CCadBitmapLayer&>(layer).editBitmapParams, read);
        return true;
    }
    VectorLayerParams& params = static_cast<CCadVectorLayer&>(layer).editVectorParams;
    const std::string word = store_.GetItemText(name, "COM_WorkType");
    params.COM_WorkType = VectorLayerParams::kCut;
    for (std::uint16_t mode = 0; mode <= VectorLayerParams::kPen; ++mode) {
        if (platform::EqualIgnoringCase(word, kModeWords[mode])) {
            params.COM_WorkType = mode;
        }
    }
    VisitModeKeys(params, params.COM_WorkType, read);
    return true;
}
