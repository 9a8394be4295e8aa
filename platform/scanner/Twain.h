// CTwain: bringing pictures from a scanner into the program, over the SANE scanner library, which is
// opened only when the first scan asks for it. The operations keep the steps a scanning session goes
// through: open the source manager (load and start the library), select a source (from the device
// list), open it, enable it (the mode, source and resolution are chosen), transfer its pages, and close
// everything again. Derived classes choose the device and the settings and take the pages.
#pragma once

#include <sane/sane.h>

#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "DibBlock.h"
#include "SaneLibrary.h"
#include "ScanSettings.h"

// Why the last step did not go on.
enum class ScanError {
    kNone,
    kNoLibrary,     // the scanner library is not installed or lacks entry points
    kNoDevice,      // the library found no scanner
    kCancelled,     // the user cancelled a choice, or stopped the transfer
    kNoDocuments,   // the feeder was empty before the first page
    kDeviceFailed,  // the library reported a failure (see LastStatus)
    kBadPage,       // a page arrived in a form the program cannot take
};

// The page about to be read, as the scanner describes it.
struct ScanImageInfo {
    int width = 0;   // pixels
    int height = 0;  // lines; -1 while the scanner does not know
    int bitsPerPixel = 0;
    double resolution = 0.0;  // dots per inch
    bool colour = false;
};

class CTwain {
  public:
    // ShouldTransfer's answers.
    static constexpr int kTransfer = 0;
    static constexpr int kSkip = 1;
    static constexpr int kAbort = 2;
    // No limit on the pages of one acquisition.
    static constexpr int kAnyCount = -1;
    // A page larger than this is refused rather than held in memory.
    static constexpr std::size_t kMaxPageBytes = std::size_t{1} << 30;

    explicit CTwain(std::string libraryName = platform::SaneLibrary::kDefaultName);
    CTwain(const CTwain&) = delete;
    CTwain& operator=(const CTwain&) = delete;
    virtual ~CTwain();

    // Loads the library and starts it; true when the manager is open (at once when it already was).
    bool OpenSourceManager();
    // Closes the manager and unloads the library.
    void Release();
    void CloseSourceManager();

    // Lists the devices and lets ChooseSource pick one; false when there is none or the choice is
    // cancelled.
    virtual bool SelectSource();
    // Opens the given device, else the selected one, else the first of the list; true when open.
    virtual bool OpenSource(const std::string* device = nullptr);
    void CloseSource();

    // Opens the source when needed, asks for `count` pages and enables it (the settings are chosen).
    bool Acquire(int count);
    // The number of pages to take: a positive count, or kAnyCount; false for any other, unchanged.
    bool SetImageCount(int count);
    // Reads the source's settings, lets ChooseSettings edit them when `showUi`, and sets them. False
    // when the source is not open or the user cancels.
    bool EnableSource(bool showUi);
    virtual void DisableSource();

    // The transfer: page after page, sane_start, ShouldTransfer, the page read whole and handed to
    // OnNativeImage, until the image count is reached, the feeder is empty, a step fails or `stop` is
    // requested; a source that is not a feeder gives one page. Then the source closes when CanClose
    // agrees. Runs on the caller's thread; returns the pages handed over.
    int TransferPages(std::stop_token stop = {});

    // Window events are never routed to the scanner: its dialogs are the program's own.
    bool ProcessEvent() const { return false; }

    // Whether the page of `info` is taken (kTransfer), passed over (kSkip) or ends the transfer (kAbort).
    virtual int ShouldTransfer(const ScanImageInfo& info);
    virtual bool CanClose() { return true; }
    // Takes one page; called on the thread that runs TransferPages.
    virtual void OnNativeImage(platform::DibBlock picture, const ScanImageInfo& info);

    bool IsLoaded() const { return sane_.IsLoaded(); }
    bool IsManagerOpen() const { return managerOpen_; }
    bool IsSourceSelected() const { return !source_.empty(); }
    bool IsSourceOpen() const { return device_ != nullptr; }
    bool IsSourceEnabled() const { return enabled_; }
    const std::string& Source() const { return source_; }
    int ImageCount() const { return imageCount_; }
    const platform::ScanSettings& Settings() const { return settings_; }

    ScanError LastError() const { return error_; }
    // The library's words for the last failure it reported; empty when there was none.
    const std::string& LastStatus() const { return status_; }

  protected:
    // The device to use among those found (never empty): its index, or nothing to cancel. The first
    // unless a derived class asks.
    virtual std::optional<std::size_t> ChooseSource(const std::vector<platform::ScanDevice>& devices);
    // Edits the settings before the scan; false cancels. Unchanged unless a derived class asks.
    virtual bool ChooseSettings(platform::ScanSettings& settings);

  private:
    std::vector<platform::ScanDevice> ListDevices();
    void ClearError();
    bool Fail(ScanError error, SANE_Status status = SANE_STATUS_GOOD);
    // One page: nothing, with the error set, when it cannot be read whole.
    // Reads the started page to its end and drops it.
    void DiscardPage(std::stop_token stop);
    std::optional<std::vector<std::uint8_t>> ReadPage(const SANE_Parameters& parameters,
                                                      std::stop_token stop);
    // Reads one started page and hands it over; false when the transfer ends.
    bool TransferPage(std::stop_token stop, double resolution, int& handed);

    std::string libraryName_;
    platform::SaneLibrary sane_;
    bool managerOpen_ = false;
    std::string source_;
    SANE_Handle device_ = nullptr;
    bool enabled_ = false;
    int imageCount_ = kAnyCount;
    platform::ScanSettings settings_;
    ScanError error_ = ScanError::kNone;
    std::string status_;
};
