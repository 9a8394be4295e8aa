#include "Twain.h"

#include <algorithm>
#include <array>
#include <climits>

#include "SaneOptions.h"
#include "ScanPage.h"

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

platform::ScanLayout LayoutOf(const SANE_Parameters& parameters) {
    platform::ScanLayout layout;
    layout.format = parameters.format == SANE_FRAME_GRAY  ? platform::ScanLayout::Format::kGrey
                    : parameters.format == SANE_FRAME_RGB ? platform::ScanLayout::Format::kColour
                                                          : platform::ScanLayout::Format::kOther;
    if (parameters.last_frame == SANE_FALSE) {
        layout.format = platform::ScanLayout::Format::kOther;  // a page sent one colour at a time
    }
    layout.bytesPerLine = parameters.bytes_per_line;
    layout.pixelsPerLine = parameters.pixels_per_line;
    layout.lines = parameters.lines;
    layout.depth = parameters.depth;
    return layout;
}

ScanImageInfo InfoOf(const SANE_Parameters& parameters, double resolution) {
    const bool colour = parameters.format != SANE_FRAME_GRAY;
    return {parameters.pixels_per_line, parameters.lines, parameters.depth * (colour ? 3 : 1), resolution,
            colour};
}

}  // namespace

CTwain::CTwain(std::string libraryName) : libraryName_(std::move(libraryName)) {}

CTwain::~CTwain() {
    Release();
}

bool CTwain::Fail(ScanError error, SANE_Status status) {
    error_ = error;
    status_ = status != SANE_STATUS_GOOD && sane_.IsLoaded() ? sane_.strstatus(status) : "";
    return false;
}

void CTwain::ClearError() {
    error_ = ScanError::kNone;
    status_.clear();
}

bool CTwain::OpenSourceManager() {
    ClearError();
    if (managerOpen_) {
        return true;
    }
    if (!sane_.Load(libraryName_)) {
        return Fail(ScanError::kNoLibrary);
    }
    SANE_Int version = 0;
    const SANE_Status status = sane_.init(&version, nullptr);
    if (status != SANE_STATUS_GOOD) {
        return Fail(ScanError::kDeviceFailed, status);
    }
    managerOpen_ = true;
    return true;
}

void CTwain::Release() {
    if (!sane_.IsLoaded()) {
        return;
    }
    CloseSourceManager();
    sane_.Unload();
}

void CTwain::CloseSourceManager() {
    if (!managerOpen_) {
        return;
    }
    CloseSource();
    sane_.exit();
    managerOpen_ = false;
}

std::vector<platform::ScanDevice> CTwain::ListDevices() {
    std::vector<platform::ScanDevice> devices;
    const SANE_Device** list = nullptr;
    const SANE_Status status = sane_.getDevices(&list, SANE_FALSE);
    if (status != SANE_STATUS_GOOD) {
        Fail(ScanError::kDeviceFailed, status);
        return devices;
    }
    for (; list != nullptr && *list != nullptr; ++list) {
        const SANE_Device& device = **list;
        if (device.name == nullptr) {
            continue;
        }
        auto text = [](const char* value) { return std::string(value == nullptr ? "" : value); };
        devices.push_back({device.name, text(device.vendor), text(device.model), text(device.type)});
    }
    return devices;
}

bool CTwain::SelectSource() {
    ClearError();
    source_.clear();
    if (!managerOpen_) {
        return false;
    }
    const std::vector<platform::ScanDevice> devices = ListDevices();
    if (devices.empty()) {
        return error_ == ScanError::kDeviceFailed ? false : Fail(ScanError::kNoDevice);
    }
    const std::optional<std::size_t> chosen = ChooseSource(devices);
    if (!chosen || *chosen >= devices.size()) {
        return Fail(ScanError::kCancelled);
    }
    source_ = devices[*chosen].name;
    return true;
}

std::optional<std::size_t> CTwain::ChooseSource(const std::vector<platform::ScanDevice>&) {
    return 0;
}

bool CTwain::ChooseSettings(platform::ScanSettings&) {
    return true;
}

bool CTwain::OpenSource(const std::string* device) {
    ClearError();
    if (device != nullptr) {
        source_ = *device;
    }
    if (!managerOpen_) {
        return false;
    }
    if (device_ != nullptr) {
        return true;
    }
    if (source_.empty()) {
        const std::vector<platform::ScanDevice> devices = ListDevices();
        if (devices.empty()) {
            return error_ == ScanError::kDeviceFailed ? false : Fail(ScanError::kNoDevice);
        }
        source_ = devices.front().name;
    }
    SANE_Handle handle = nullptr;
    const SANE_Status status = sane_.open(source_.c_str(), &handle);
    if (status != SANE_STATUS_GOOD || handle == nullptr) {
        return Fail(ScanError::kDeviceFailed, status);
    }
    device_ = handle;
    return true;
}

void CTwain::CloseSource() {
    if (device_ == nullptr) {
        return;
    }
    DisableSource();
    sane_.cancel(device_);
    sane_.close(device_);
    device_ = nullptr;
}

bool CTwain::Acquire(int count) {
    if (device_ == nullptr && !OpenSource(nullptr)) {
        return false;
    }
    SetImageCount(count);
    return EnableSource(true);
}

bool CTwain::SetImageCount(int count) {
    if (count < 1 && count != kAnyCount) {
        return false;
    }
    imageCount_ = count;
    return true;
}

bool CTwain::EnableSource(bool showUi) {
    if (device_ == nullptr) {
        return false;
    }
    if (enabled_) {
        return true;
    }
    platform::ScanSettings settings = platform::ReadScanSettings(sane_, device_);
    if (showUi && !ChooseSettings(settings)) {
        return Fail(ScanError::kCancelled);
    }
    platform::ApplyScanSettings(sane_, device_, settings);
    settings_ = platform::ReadScanSettings(sane_, device_);
    enabled_ = true;
    return true;
}

void CTwain::DisableSource() {
    enabled_ = false;
}

int CTwain::ShouldTransfer(const ScanImageInfo&) {
    return kTransfer;
}

void CTwain::OnNativeImage(platform::DibBlock, const ScanImageInfo&) {}

std::optional<std::vector<std::uint8_t>> CTwain::ReadPage(const SANE_Parameters& parameters,
                                                          std::stop_token stop) {
    std::vector<std::uint8_t> page;
    if (parameters.lines > 0 && parameters.bytes_per_line > 0) {
        const auto expected =
            static_cast<std::size_t>(parameters.lines) * static_cast<std::size_t>(parameters.bytes_per_line);
        page.reserve(std::min(expected, kMaxPageBytes));
    }
    std::array<SANE_Byte, kReadChunk> chunk{};
    for (;;) {
        if (stop.stop_requested()) {
            Fail(ScanError::kCancelled);
            return std::nullopt;
        }
        SANE_Int length = 0;
        const SANE_Status status =
            sane_.read(device_, chunk.data(), static_cast<SANE_Int>(chunk.size()), &length);
        if (status == SANE_STATUS_EOF) {
            return page;
        }
        if (status != SANE_STATUS_GOOD) {
            Fail(ScanError::kDeviceFailed, status);
            return std::nullopt;
        }
        const auto taken = static_cast<std::size_t>(std::clamp<SANE_Int>(length, 0, kReadChunk));
        if (page.size() + taken > kMaxPageBytes) {
            Fail(ScanError::kBadPage);
            return std::nullopt;
        }
        page.insert(page.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(taken));
    }
}

// A page that is not wanted is still read to its end: devices read on a thread of their own, and
// cancelling it mid-page may stop it while it holds the allocator's lock, so that the next page hangs.
void CTwain::DiscardPage(std::stop_token stop) {
    std::array<SANE_Byte, kReadChunk> chunk{};
    SANE_Int length = 0;
    while (!stop.stop_requested() && sane_.read(device_, chunk.data(), static_cast<SANE_Int>(chunk.size()),
                                                &length) == SANE_STATUS_GOOD) {
    }
}

bool CTwain::TransferPage(std::stop_token stop, double resolution, int& handed) {
    SANE_Parameters parameters{};
    const SANE_Status status = sane_.getParameters(device_, &parameters);
    if (status != SANE_STATUS_GOOD) {
        return Fail(ScanError::kDeviceFailed, status);
    }
    const ScanImageInfo info = InfoOf(parameters, resolution);
    const int choice = ShouldTransfer(info);
    if (choice != kTransfer) {
        DiscardPage(stop);
        return choice == kSkip;
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPage(parameters, stop);
    if (!bytes) {
        return false;
    }
    std::optional<platform::DibBlock> picture =
        platform::DibFromScan(LayoutOf(parameters), *bytes, info.resolution);
    if (!picture) {
        return Fail(ScanError::kBadPage);
    }
    OnNativeImage(std::move(*picture), info);
    ++handed;
    return true;
}

int CTwain::TransferPages(std::stop_token stop) {
    int handed = 0;
    if (!enabled_) {
        return handed;
    }
    ClearError();
    // Without a count a feeder gives every sheet it holds, any other source one page.
    int pages = imageCount_;
    if (pages < 1) {
        pages = platform::IsFeederSource(settings_.source) ? INT_MAX : 1;
    }
    // Read while the device is idle: a scanning device need not answer its options.
    const double resolution = platform::CurrentResolution(sane_, device_);
    for (int page = 0; page < pages; ++page) {
        if (stop.stop_requested()) {
            Fail(ScanError::kCancelled);
            break;
        }
        const SANE_Status status = sane_.start(device_);
        if (status == SANE_STATUS_NO_DOCS) {
            if (page == 0) {
                Fail(ScanError::kNoDocuments, status);
            }
            break;
        }
        if (status != SANE_STATUS_GOOD) {
            Fail(ScanError::kDeviceFailed, status);
            break;
        }
        const bool goOn = TransferPage(stop, resolution, handed);
        // Every page is finished off, so that the device is ready for the next one or for closing.
        sane_.cancel(device_);
        if (!goOn) {
            break;
        }
    }
    if (CanClose()) {
        CloseSource();
    }
    return handed;
}
